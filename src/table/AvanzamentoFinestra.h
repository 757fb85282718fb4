#pragma once

#include "report/Stampa.h"

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace windara {

// A print as the results window shows it: the question before a long print, then, for a
// print of more than one page, a dialog modal over the window with the page under way and
// a cancel that takes effect before the next page. The window's events are handled at
// every page, so it repaints while printing and takes no other command meanwhile.
class AvanzamentoFinestra : public AvanzamentoStampa
{
public:
    AvanzamentoFinestra(QWidget *finestra, const QString &nomeStudio);
    ~AvanzamentoFinestra() override;
    AvanzamentoFinestra(const AvanzamentoFinestra &) = delete;
    AvanzamentoFinestra &operator=(const AvanzamentoFinestra &) = delete;

    bool Conferma(int pagineCopia, int copie) override;
    bool Pagina(int pagina, int totale) override;

private:
    QWidget *m_finestra;
    QString m_nome;
    std::unique_ptr<QProgressDialog> m_dialogo;
};

} // namespace windara
