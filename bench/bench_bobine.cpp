// The main window: one keystroke in H, from the key event to the six captions set; then a
// keystroke into D1 holding 100,000 characters, painted; each in turn with the same keystroke
// in a plain QLineEdit holding the same text.

#include "Banco.h"

#include "design/FrmBobine.h"
#include "design/Module1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

using namespace windara;

namespace {

void tasto(QWidget *w, Qt::Key k, const QString &testo)
{
    QKeyEvent premuto(QEvent::KeyPress, k, Qt::NoModifier, testo);
    QApplication::sendEvent(w, &premuto);
    QKeyEvent rilasciato(QEvent::KeyRelease, k, Qt::NoModifier, testo);
    QApplication::sendEvent(w, &rilasciato);
}

// "0" then Backspace: two keystrokes, each a whole recomputation in the main window.
void andataERitorno(QWidget *w)
{
    tasto(w, Qt::Key_0, QStringLiteral("0"));
    tasto(w, Qt::Key_Backspace, QString());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FrmBobine f(QStringLiteral(WINDARA_PROGRAM_DIR));
    f.Form_Load();
    f.show();
    QApplication::processEvents();
    auto *h = f.findChild<QLineEdit *>(QStringLiteral("txtAltezza"));
    f.findChild<QLineEdit *>(QStringLiteral("txtB"))->setText(QStringLiteral("10"));
    f.findChild<QLineEdit *>(QStringLiteral("txtL"))->setText(QStringLiteral("10"));
    h->setText(QStringLiteral("2"));
    h->setFocus();
    QLineEdit corta;
    corta.setFont(h->font());
    corta.setText(QStringLiteral("2"));
    banco::coppia(
        "tasto in H fino alle sei didascalie", [&] { andataERitorno(h); }, "lo stesso tasto in un QLineEdit semplice",
        [&] { andataERitorno(&corta); }, 3.0, 41, 200);

    // The worst text for the recomputation: a number read to its last character, twice
    // (D1 is read at steps 10 and 11), and every step run.
    auto *d1 = f.findChild<QLineEdit *>(QStringLiteral("txtL"));
    QString lungo = QStringLiteral("1.");
    lungo.resize(100000, u'0');
    d1->setText(lungo);
    // Same font and size, and room for the text (its default length limit is 32767).
    QLineEdit semplice;
    semplice.setMaxLength(d1->maxLength());
    semplice.setFont(d1->font());
    semplice.resize(d1->size());
    semplice.setText(lungo);
    semplice.show();
    QApplication::processEvents();
    if (d1->text() != lungo || semplice.text() != lungo || !f.esitoLimiti().completo())
        return 1;
    d1->setFocus();
    d1->setCursorPosition(50000);
    semplice.setCursorPosition(50000);
    auto dipinto = [](QWidget *w) {
        andataERitorno(w);
        QApplication::processEvents();
    };
    banco::coppia(
        "tasto in D1 che contiene 100000 caratteri", [&] { dipinto(d1); }, "lo stesso tasto in un QLineEdit semplice",
        [&] { dipinto(&semplice); }, 1.5, 31);
    return Module1().Altezza == 2 ? 0 : 1;
}
