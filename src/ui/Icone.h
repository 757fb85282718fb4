#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <QWidget>

namespace windara::ui {

// ":/windara/" + nome + ".svg": the program's pictures, compiled into this library.
QString PercorsoSvg(const QString &nome);

// An icon drawn from the SVG at whatever size and device pixel ratio it is asked for,
// so toolbar images and window icons stay sharp at 16, 32, 64 px and on high-dpi
// screens. Disabled and selected looks come from the style. Null if the picture
// does not exist.
QIcon IconaSvg(const QString &nome);

// A picture control showing a drawing at its own size (sizeHint), sharp at every scale:
// loaded as the build made it at scales 1 and 2, drawn from the vector at others, and kept;
// where the drawing has no ground of its own, the parent's colour shows through. A plain
// widget rather than Qt's SVG widget, whose library start-up would load for nothing.
class Immagine : public QWidget
{
    Q_OBJECT

public:
    Immagine(const QString &percorso, QWidget *parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString m_percorso;
};

// The picture ":/windara/<nome>.svg".
Immagine *ImmagineSvg(const QString &nome, QWidget *parent = nullptr);

// The picture at `percorso` drawn as ImmagineSvg shows it at that size (in pixels before
// scaling) and screen scale, made once and kept.
QImage DisegnoSvg(const QString &percorso, QSize dimensione, qreal scala);

} // namespace windara::ui
