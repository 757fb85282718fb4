#include "report/SalvaStudio.h"

#include "design/Errori.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace windara {

namespace {

ErroreRuntime erroreFile(const QString &testo)
{
    return ErroreRuntime(ErroreRuntime::Tipo::File, testo);
}

// The texts of H, D1 and the wire go into the file name: it must stay a plain name
// inside Studi, one that every file system accepts.
void verificaNome(const QString &nome)
{
    static const QString vietati = QStringLiteral("/\\<>:\"|?*");
    bool ammesso = nome != u"." && nome != u"..";
    for (const QChar c : nome)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || vietati.contains(c))
            ammesso = false;
    if (!ammesso)
        throw erroreFile(QStringLiteral("Impossibile salvare lo studio: il nome «%1» non è un nome di file valido. "
                                        "Altezza, D1 e diametro non possono contenere / \\ < > : \" | ? * "
                                        "né caratteri di controllo.")
                             .arg(nome));
}

} // namespace

ImpostazioniStudio ImpostazioniUtente()
{
    const QLocale locale;
    return ImpostazioniStudio{locale.toString(QDate::currentDate(), QLocale::ShortFormat), locale.decimalPoint()};
}

QString CartellaStudi(const QString &cartellaProgramma)
{
    return cartellaProgramma + QStringLiteral("/Studi");
}

void SalvaStudio(const QString &cartellaProgramma, const TestiStudio &t, StatoProgetto &s,
                 const ImpostazioniStudio &imp)
{
    const QString nome = NomeStudio(t, s);
    verificaNome(nome);
    if (s.ResistenzaMetroIgnota)
        throw erroreFile(QStringLiteral("Impossibile salvare lo studio: la resistenza per metro del filo %1 non si "
                                        "legge dal catalogo, e le resistenze dello studio sarebbero quelle di un "
                                        "altro filo. Ripristinare il file Database/Diametri.db, poi modificare un "
                                        "dato o scegliere di nuovo il filo e salvare.")
                             .arg(t.sceltaDiametro));

    // The folder belongs to the program's folder: it is laid out with it, never made here.
    const QString cartella = CartellaStudi(cartellaProgramma);
    if (!QFileInfo(cartella).isDir())
        throw erroreFile(QStringLiteral("Impossibile salvare lo studio: la cartella %1 non esiste.")
                             .arg(QDir::toNativeSeparators(cartella)));

    const QString percorso = cartella + u'/' + nome;
    QByteArray testo;
    try {
        testo = TestoStudio(t, s, imp);
    } catch (const ErroreRuntime &e) {
        throw erroreFile(QStringLiteral("Impossibile calcolare lo studio %1: %2.")
                             .arg(QDir::toNativeSeparators(percorso), e.testo()));
    }

    // Written beside the target and renamed into place: a failed save leaves an earlier
    // report intact and no partial file.
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly) || file.write(testo) != testo.size() || !file.commit()) {
        const QString causa = file.errorString();
        file.cancelWriting();
        throw erroreFile(
            QStringLiteral("Impossibile salvare lo studio %1: %2.").arg(QDir::toNativeSeparators(percorso), causa));
    }
    s.NomeFile = percorso;
    s.Salvato = Vero;
}

} // namespace windara
