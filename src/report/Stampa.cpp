#include "report/Stampa.h"

#include "report/FileSicuri.h"
#include "report/Studio.h"

#include <QDir>
#include <QStringList>

#include <cerrno>

namespace windara {

QString AvvisoSalvareStampa()
{
    return QStringLiteral("Prima di stampare è necessario salvare le informazioni contenute nella finestra.");
}

EsitoStampa StampaStudio(QWidget *finestra, const StatoProgetto &s, Stampante &stampante,
                         AvanzamentoStampa *avanzamento)
{
    using Stato = EsitoStampa::Stato;
    if (s.Salvato == Falso)
        return {Stato::DaSalvare, AvvisoSalvareStampa()};
    stampante.Documento(s.NomeFile);
    int copie = 1;
    if (!stampante.Dialogo(finestra, copie))
        return {Stato::Annullata, {}};
    copie = qBound(-32768, copie, 32767);

    // Only a regular file: a named pipe put in its place would block the window for ever.
    QByteArray byte;
    const GuastoFile guasto = LeggiFileRegolare(s.NomeFile, byte);
    if (guasto.fallito()) {
        QString causa = CausaSistema(guasto.codice);
        if (guasto.trovato != TipoFile::Nessuno)
            causa = QStringLiteral("al suo posto c'è %1, non un file").arg(DescriviTipo(guasto.trovato));
        else if (guasto.codice == ENOENT)
            causa = QStringLiteral("il file non c'è più");
        return {Stato::Fallita, QStringLiteral("Impossibile stampare: lo studio %1 non si può leggere: %2. Salvare di "
                                               "nuovo lo studio e stampare.")
                                    .arg(QDir::toNativeSeparators(s.NomeFile), causa)};
    }
    // The report is read back in its own code page, line by line without the CR LF.
    QStringList righe = DaWindows1252(byte).split(QStringLiteral("\r\n"));
    if (!righe.isEmpty() && righe.last().isEmpty())
        righe.removeLast();

    stampante.ImpostaFont(QStringLiteral("courier new"), 10);
    // An empty report still makes a page.
    const qsizetype perPagina = qMax(1, stampante.RighePerPagina());
    const qsizetype pagineCopia = qMax<qsizetype>(1, (righe.size() + perPagina - 1) / perPagina);
    const int totale = int(qMin<qint64>(qint64(pagineCopia) * qMax(copie, 0), std::numeric_limits<int>::max()));
    if (avanzamento && totale > PagineSenzaDomanda && !avanzamento->Conferma(int(pagineCopia), copie))
        return {Stato::Annullata, {}};

    const auto fallita = [&] {
        const QString causa = stampante.Errore();
        stampante.Annulla();
        return EsitoStampa{Stato::Fallita, QStringLiteral("La stampa dello studio %1 non è riuscita: %2.")
                                               .arg(QDir::toNativeSeparators(s.NomeFile), causa)};
    };
    int pagina = 0;
    for (int copia = 1; copia <= copie; ++copia) {
        for (qsizetype p = 0; p < pagineCopia; ++p) {
            if (avanzamento && !avanzamento->Pagina(++pagina, totale)) {
                const QString uscito = stampante.Annulla();
                if (uscito.isEmpty())
                    return {Stato::Annullata, {}};
                return {Stato::Annullata, QStringLiteral("Stampa annullata prima della pagina %1 di %2: %3.")
                                              .arg(pagina)
                                              .arg(totale)
                                              .arg(uscito)};
            }
            if (p > 0)
                stampante.NuovaPagina();
            const qsizetype fine = qMin(righe.size(), (p + 1) * perPagina);
            for (qsizetype i = p * perPagina; i < fine; ++i)
                stampante.Riga(righe[i]);
        }
        if (!stampante.FineDocumento())
            return fallita();
    }
    if (!stampante.FineStampa())
        return fallita();
    return {};
}

} // namespace windara
