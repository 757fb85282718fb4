#include "ui/Appunti.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTableView>

#include <set>

namespace windara::ui {

namespace {

class CopiaTasti : public QObject
{
public:
    explicit CopiaTasti(QTableView *griglia) : QObject(griglia), m_griglia(griglia) {}

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(evento)->matches(QKeySequence::Copy)) {
            QGuiApplication::clipboard()->setText(TestoSelezione(m_griglia));
            return true;
        }
        return QObject::eventFilter(oggetto, evento);
    }

private:
    QTableView *m_griglia;
};

} // namespace

QString TestoSelezione(const QTableView *griglia)
{
    const QAbstractItemModel *modello = griglia->model();
    const QItemSelectionModel *selezione = griglia->selectionModel();
    QModelIndexList celle = selezione->selectedIndexes();
    if (celle.isEmpty() && griglia->currentIndex().isValid())
        celle << griglia->currentIndex();
    std::set<int> righe, colonne;
    std::set<std::pair<int, int>> scelte;
    for (const QModelIndex &c : celle) {
        if (!griglia->isRowHidden(c.row()) && !griglia->isColumnHidden(c.column())) {
            righe.insert(c.row());
            colonne.insert(c.column());
            scelte.emplace(c.row(), c.column());
        }
    }
    auto riga = [&](auto &&testo) {
        QStringList campi;
        for (int c : colonne)
            campi << testo(c);
        return campi.join(u'\t') + u'\n';
    };
    QString risultato = riga([&](int c) { return modello->headerData(c, Qt::Horizontal).toString(); });
    for (int r : righe) {
        risultato += riga([&](int c) {
            return scelte.count({r, c}) ? modello->index(r, c).data().toString() : QString();
        });
    }
    return risultato;
}

void CopiaSelezione(QTableView *griglia)
{
    griglia->installEventFilter(new CopiaTasti(griglia));
}

} // namespace windara::ui
