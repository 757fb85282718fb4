#include "report/Stampa.h"

#include "report/Studio.h"

#include <QDir>
#include <QFile>
#include <QStringList>

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

    QFile file(s.NomeFile);
    if (!file.open(QIODevice::ReadOnly))
        return {Stato::Fallita, QStringLiteral("Impossibile stampare: lo studio %1 non si può leggere (%2).")
                                    .arg(QDir::toNativeSeparators(s.NomeFile), file.errorString())};
    // The report is read back in its own code page, line by line without the CR LF.
    QStringList righe = DaWindows1252(file.readAll()).split(QStringLiteral("\r\n"));
    if (!righe.isEmpty() && righe.last().isEmpty())
        righe.removeLast();
    file.close();

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
