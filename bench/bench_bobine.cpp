// The main window: one keystroke in H, from the key event to the six captions set.

#include "Banco.h"

#include "design/FrmBobine.h"
#include "design/Module1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

using namespace windara;

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

    auto tasto = [h](Qt::Key k, const QString &testo) {
        QKeyEvent premuto(QEvent::KeyPress, k, Qt::NoModifier, testo);
        QApplication::sendEvent(h, &premuto);
        QKeyEvent rilasciato(QEvent::KeyRelease, k, Qt::NoModifier, testo);
        QApplication::sendEvent(h, &rilasciato);
    };
    // Two keystrokes a round ("0" then Backspace), each running one whole recomputation.
    banco::misura(
        "tasto in H fino alle sei didascalie", 50, 41,
        [&] {
            tasto(Qt::Key_0, QStringLiteral("0"));
            tasto(Qt::Key_Backspace, QString());
        },
        200);
    return Module1().Altezza == 2 ? 0 : 1;
}
