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

EsitoStampa StampaStudio(QWidget *finestra, const StatoProgetto &s, Stampante &stampante)
{
    using Stato = EsitoStampa::Stato;
    if (s.Salvato == Falso)
        return {Stato::DaSalvare, AvvisoSalvareStampa()};
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

    const auto fallita = [&] {
        return EsitoStampa{Stato::Fallita, QStringLiteral("La stampa dello studio %1 non è riuscita: %2.")
                                               .arg(QDir::toNativeSeparators(s.NomeFile), stampante.Errore())};
    };
    stampante.ImpostaFont(QStringLiteral("courier new"), 10);
    for (int copia = 1; copia <= copie; ++copia) {
        for (const QString &riga : righe)
            stampante.Riga(riga);
        if (!stampante.FineDocumento())
            return fallita();
    }
    if (!stampante.FineStampa())
        return fallita();
    return {};
}

} // namespace windara
