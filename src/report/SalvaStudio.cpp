#include "report/SalvaStudio.h"

#include "design/Errori.h"
#include "report/FileSicuri.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>

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

    // The name is written into the report too, in its code page: a character it lacks
    // would come out as '?' there and differ from the file's own name.
    for (qsizetype i = 0; i < nome.size(); ++i) {
        char32_t c = nome[i].unicode();
        if (nome[i].isHighSurrogate() && i + 1 < nome.size() && nome[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(nome[i], nome[i + 1]);
        if (!InWindows1252(c))
            throw erroreFile(QStringLiteral("Impossibile salvare lo studio: il nome «%1» contiene il carattere «%2» "
                                            "(U+%3), che la codifica degli studi (Windows-1252) non ha. Togliere il "
                                            "carattere da Altezza, D1 o diametro e salvare di nuovo.")
                                 .arg(nome, QString::fromUcs4(&c, 1),
                                      QStringLiteral("%1").arg(uint(c), 4, 16, QChar(u'0')).toUpper()));
        if (c > 0xFFFF)
            ++i;
    }

    constexpr qsizetype LunghezzaMassima = 255; // bytes of a file name on the usual file systems
    const qsizetype lunghezza = QFile::encodeName(nome).size();
    if (lunghezza > LunghezzaMassima)
        throw erroreFile(
            QStringLiteral("Impossibile salvare lo studio: il nome «%1» è troppo lungo per un nome di file "
                           "(%2 byte, al massimo %3). Accorciare Altezza o D1 e salvare di nuovo.")
                .arg(nome)
                .arg(lunghezza)
                .arg(LunghezzaMassima));
}

// Why the save could not be done, told for the folder Studi and the report in it.
QString causaSalvataggio(const ScritturaAtomica &file, const QString &cartella, const QString &percorso)
{
    const GuastoFile &g = file.guasto();
    const QString studi = QDir::toNativeSeparators(cartella);
    switch (file.fase()) {
    case ScritturaAtomica::Fase::Cartella:
        if (g.trovato == TipoFile::Collegamento)
            return QStringLiteral("Impossibile salvare lo studio: %1 è un collegamento simbolico, non una cartella, e "
                                  "gli studi non si scrivono mai attraverso un collegamento. Mettere al suo posto una "
                                  "cartella Studi e salvare di nuovo.")
                .arg(studi);
        if (g.trovato != TipoFile::Nessuno)
            return QStringLiteral("Impossibile salvare lo studio: %1 è %2, non una cartella. Spostarlo o "
                                  "rinominarlo, creare al suo posto la cartella Studi e salvare di nuovo.")
                .arg(studi, DescriviTipo(g.trovato));
        if (g.codice == ENOENT)
            return QStringLiteral("Impossibile salvare lo studio: la cartella %1 non esiste. Crearla accanto al "
                                  "programma e salvare di nuovo.")
                .arg(studi);
        return QStringLiteral("Impossibile salvare lo studio: la cartella %1 non si apre: %2.")
            .arg(studi, CausaSistema(g.codice));
    case ScritturaAtomica::Fase::Destinazione:
        if (g.trovato != TipoFile::Nessuno)
            return QStringLiteral("Impossibile salvare lo studio %1: al suo posto c'è %2, e uno studio si scrive solo "
                                  "come file a sé, mai attraverso un collegamento. Rimuoverlo e salvare di nuovo.")
                .arg(QDir::toNativeSeparators(percorso), DescriviTipo(g.trovato));
        break;
    case ScritturaAtomica::Fase::Scrittura:
        break;
    }
    return QStringLiteral("Impossibile salvare lo studio %1: %2.")
        .arg(QDir::toNativeSeparators(percorso), CausaSistema(g.codice));
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

StudioEsistente ConfrontaStudio(const QString &percorso, const QByteArray &nuovo)
{
    QByteArray vecchio;
    if (LeggiFileRegolare(percorso, vecchio).fallito())
        return StudioEsistente::Assente;
    return vecchio == nuovo ? StudioEsistente::Uguale : StudioEsistente::Diverso;
}

QString DomandaSostituzione(const QString &percorso)
{
    return QStringLiteral("Nella cartella Studi c'è già lo studio %1, diverso da questo.\n\n"
                          "Sostituirlo? Lo studio salvato prima andrà perso.")
        .arg(QFileInfo(percorso).fileName());
}

bool SalvaStudio(const QString &cartellaProgramma, const TestiStudio &t, StatoProgetto &s,
                 const ImpostazioniStudio &imp, const std::function<bool(const QString &percorso)> &sostituisci)
{
    const QString nome = NomeStudio(t, s);
    verificaNome(nome);
    if (s.ResistenzaMetroIgnota)
        throw erroreFile(QStringLiteral("Impossibile salvare lo studio: la resistenza per metro del filo %1 non si "
                                        "legge dal catalogo, e le resistenze dello studio sarebbero quelle di un "
                                        "altro filo. Ripristinare il file Database/Diametri.db, poi modificare un "
                                        "dato o scegliere di nuovo il filo e salvare.")
                             .arg(t.sceltaDiametro));

    // The folder belongs to the program's folder: it is laid out with it, never made here,
    // and never taken through a link to elsewhere.
    const QString cartella = CartellaStudi(cartellaProgramma);
    const QString percorso = cartella + u'/' + nome;
    QByteArray testo;
    try {
        testo = TestoStudio(t, s, imp);
    } catch (const ErroreRuntime &e) {
        throw erroreFile(QStringLiteral("Impossibile calcolare lo studio %1: %2.")
                             .arg(QDir::toNativeSeparators(percorso), e.testo()));
    }
    // Asked before the temporary file exists: while the question is open nothing is in Studi.
    if (sostituisci && ConfrontaStudio(percorso, testo) == StudioEsistente::Diverso && !sostituisci(percorso))
        return false;

    ScritturaAtomica file(cartella, nome, true);
    if (file.guasto().fallito())
        throw erroreFile(causaSalvataggio(file, cartella, percorso));
    verificaProprietario(percorso);
    file.write(testo);
    if (!file.Conferma())
        throw erroreFile(causaSalvataggio(file, cartella, percorso));
    s.NomeFile = percorso;
    s.Salvato = Vero;
    return true;
}

} // namespace windara
