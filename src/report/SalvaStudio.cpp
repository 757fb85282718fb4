#include "report/SalvaStudio.h"

#include "design/Errori.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// Studi/ of a system install is shared by every user, and its sticky bit lets only a
// report's owner replace it: the rename into place would fail with a bare "operation not
// permitted". The report of another user is refused first, saying whose it is and what to do.
void verificaProprietario(const QString &percorso)
{
#ifdef Q_OS_UNIX
    struct stat info;
    if (::lstat(QFile::encodeName(percorso).constData(), &info) != 0 || info.st_uid == ::geteuid())
        return;
    const passwd *utente = ::getpwuid(info.st_uid);
    const QString proprietario = utente ? QString::fromLocal8Bit(utente->pw_name) : QString::number(info.st_uid);
    throw erroreFile(QStringLiteral("Impossibile salvare lo studio %1: esiste già uno studio con questo nome "
                                    "dell'utente %2, e solo chi lo ha salvato può sostituirlo o cancellarlo. Per "
                                    "salvare il proprio studio cambiare l'altezza H, la dimensione D1 o il filo, "
                                    "oppure chiedere a %2 di cancellare il suo.")
                         .arg(QDir::toNativeSeparators(percorso), proprietario));
#else
    Q_UNUSED(percorso);
#endif
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
    verificaProprietario(percorso);
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
    const bool nuovo = !QFileInfo::exists(percorso);
    // Readable by every user, writable by its owner alone, whatever the user's umask; a
    // report replaced keeps the permissions its owner gave it.
    constexpr QFileDevice::Permissions permessiStudio =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (!file.open(QIODevice::WriteOnly) || (nuovo && !file.setPermissions(permessiStudio)) ||
        file.write(testo) != testo.size() || !file.commit()) {
        const QString causa = file.errorString();
        file.cancelWriting();
        throw erroreFile(
            QStringLiteral("Impossibile salvare lo studio %1: %2.").arg(QDir::toNativeSeparators(percorso), causa));
    }
    s.NomeFile = percorso;
    s.Salvato = Vero;
}

} // namespace windara
