// The start-up reference: an ordinary Qt main window with a menu bar, a label and a text box,
// of the main window's size, linked with Qt alone. misura_avvio starts it in turn with the
// program.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow finestra;
    finestra.setWindowTitle(QStringLiteral("Riferimento"));
    for (const char *voce : {"Calcola", "Visualizza", "Esci"})
        finestra.menuBar()->addAction(QString::fromLatin1(voce));
    auto *cliente = new QWidget;
    cliente->setFixedSize(689, 489);
    auto *etichetta = new QLabel(QStringLiteral("Altezza (H) mm:"), cliente);
    etichetta->setGeometry(16, 176, 97, 17);
    auto *casella = new QLineEdit(cliente);
    casella->setGeometry(152, 168, 73, 25);
    finestra.setCentralWidget(cliente);
    finestra.show();
    return app.exec();
}
