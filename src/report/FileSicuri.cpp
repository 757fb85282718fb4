#include "report/FileSicuri.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace windara {

namespace {

// Enough to open and rename in a folder: neither reading nor listing it is needed.
#ifdef O_PATH
constexpr int SoloPercorso = O_PATH;
#else
constexpr int SoloPercorso = O_RDONLY;
#endif

// Writes are gathered into blocks of this size: the PDF engine writes a few bytes at a time.
constexpr qsizetype Blocco = qsizetype(64) * 1024;

TipoFile tipoDi(mode_t modo)
{
    switch (modo & S_IFMT) {
    case S_IFREG:
        return TipoFile::File;
    case S_IFDIR:
        return TipoFile::Cartella;
    case S_IFLNK:
        return TipoFile::Collegamento;
    case S_IFIFO:
        return TipoFile::Pipe;
    case S_IFSOCK:
        return TipoFile::Socket;
    default:
        return TipoFile::Dispositivo;
    }
}

// What stands at a path, without following a link; Nessuno when nothing does.
TipoFile tipoA(int cartella, const QByteArray &nome)
{
    struct stat st = {};
    return fstatat(cartella, nome.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? tipoDi(st.st_mode) : TipoFile::Nessuno;
}

} // namespace

QString CausaSistema(int codice)
{
    switch (codice) {
    case ENOSPC:
        return QStringLiteral("il disco è pieno; liberare spazio e riprovare");
    case EDQUOT:
        return QStringLiteral("lo spazio su disco concesso all'utente è esaurito; liberare spazio e riprovare");
    case EFBIG:
        return QStringLiteral("il file supera la dimensione massima che il sistema permette di scrivere; chiedere a "
                              "chi amministra il computer di alzare il limite");
    case EROFS:
        return QStringLiteral("il disco è in sola lettura; renderlo scrivibile o chiedere a chi amministra il "
                              "computer, poi riprovare");
    case EACCES:
    case EPERM:
        return QStringLiteral(
            "permesso negato; chiedere a chi amministra il computer i permessi necessari e riprovare");
    case ENAMETOOLONG:
        return QStringLiteral("il nome del file è troppo lungo; sceglierne uno più corto");
    case ENOENT:
        return QStringLiteral("il file o la cartella non esiste; controllare il percorso e riprovare");
    case ENOTDIR:
        return QStringLiteral("una parte del percorso non è una cartella; controllare il percorso e riprovare");
    case EISDIR:
        return QStringLiteral("al posto del file c'è una cartella; rimuoverla o rinominarla e riprovare");
    case ELOOP:
        return QStringLiteral("nel percorso c'è un collegamento simbolico, che non viene seguito; rimuoverlo e "
                              "riprovare");
    case EIO:
        return QStringLiteral("errore di lettura o scrittura del disco; controllare il disco e riprovare");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("ci sono troppi file aperti; chiudere altri programmi e riprovare");
    case ENOMEM:
        return QStringLiteral("la memoria non basta; chiudere altri programmi e riprovare");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("il file è in uso da un altro programma; chiuderlo e riprovare");
    case EAGAIN:
        return QStringLiteral("il file è bloccato da un altro programma; riprovare più tardi");
    case ESTALE:
    case ENXIO:
    case ENODEV:
        return QStringLiteral("il disco o il dispositivo non è più raggiungibile; ricollegarlo e riprovare");
    default:
        return QStringLiteral("errore di sistema numero %1; riprovare e, se si ripete, controllare il disco")
            .arg(codice);
    }
}

QString DescriviTipo(TipoFile tipo)
{
    switch (tipo) {
    case TipoFile::Nessuno:
        break;
    case TipoFile::File:
        return QStringLiteral("un file");
    case TipoFile::Cartella:
        return QStringLiteral("una cartella");
    case TipoFile::Collegamento:
        return QStringLiteral("un collegamento simbolico");
    case TipoFile::Pipe:
        return QStringLiteral("una pipe con nome");
    case TipoFile::Socket:
        return QStringLiteral("un socket");
    case TipoFile::Dispositivo:
        return QStringLiteral("un dispositivo");
    }
    return QStringLiteral("niente");
}

GuastoFile LeggiFileRegolare(const QString &percorso, QByteArray &byte)
{
    const QByteArray nome = QFile::encodeName(percorso);
    // Non-blocking: a named pipe opens at once instead of waiting for a writer.
    const int fd = open(nome.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int codice = errno;
        if (codice == ELOOP && tipoA(AT_FDCWD, nome) == TipoFile::Collegamento)
            return {0, TipoFile::Collegamento};
        return {codice};
    }
    GuastoFile guasto;
    struct stat st = {};
    if (fstat(fd, &st) != 0) {
        guasto.codice = errno;
    } else if (!S_ISREG(st.st_mode)) {
        guasto.trovato = tipoDi(st.st_mode);
    } else {
        byte.clear();
        byte.reserve(qsizetype(st.st_size));
        char blocco[Blocco];
        for (;;) {
            const ssize_t letti = read(fd, blocco, sizeof blocco);
            if (letti > 0) {
                byte.append(blocco, letti);
            } else if (letti == 0) {
                break;
            } else if (errno != EINTR) {
                guasto.codice = errno;
                break;
            }
        }
    }
    close(fd);
    return guasto;
}

ScritturaAtomica::ScritturaAtomica(const QString &cartella, const QString &nome, bool cartellaSenzaCollegamento)
    : m_nome(QFile::encodeName(nome))
{
    const QByteArray percorsoCartella = QFile::encodeName(cartella);
    m_cartella = ::open(percorsoCartella.constData(),
                        SoloPercorso | O_DIRECTORY | O_CLOEXEC | (cartellaSenzaCollegamento ? O_NOFOLLOW : 0));
    if (m_cartella < 0) {
        const int codice = errno;
        const TipoFile trovato = tipoA(AT_FDCWD, percorsoCartella);
        fallisce(Fase::Cartella, trovato == TipoFile::Nessuno ? codice : 0, trovato);
        return;
    }

    struct stat st = {};
    // Readable by every user, writable by its owner alone, whatever the umask: in the Studi
    // of a system install no user may change another's report.
    mode_t modo = 0644;
    if (fstatat(m_cartella, m_nome.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (!S_ISREG(st.st_mode)) {
            fallisce(Fase::Destinazione, 0, tipoDi(st.st_mode));
            return;
        }
        // A report the user made read-only stays as it is, as with any editor.
        if (faccessat(m_cartella, m_nome.constData(), W_OK, 0) != 0) {
            fallisce(Fase::Destinazione, errno);
            return;
        }
        modo = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        fallisce(Fase::Destinazione, errno);
        return;
    }

    // A new name every time, made by this call alone (O_EXCL): nothing else can be written
    // through it, not even through a link someone put there first.
    static const char cifre[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int prova = 0; prova < 100 && m_file < 0; ++prova) {
        QByteArray temporaneo = QByteArrayLiteral(".windara-");
        for (int i = 0; i < 8; ++i)
            temporaneo += cifre[QRandomGenerator::global()->bounded(int(sizeof cifre - 1))];
        m_file = openat(m_cartella, temporaneo.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, modo);
        if (m_file >= 0) {
            m_temporaneo = temporaneo;
        } else if (errno != EEXIST) {
            fallisce(Fase::Scrittura, errno);
            return;
        }
    }
    if (m_file < 0) {
        fallisce(Fase::Scrittura, EEXIST);
        return;
    }
    // The mode chosen above (or of the report it replaces), not narrowed by the umask.
    fchmod(m_file, modo);
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

ScritturaAtomica::~ScritturaAtomica()
{
    if (m_file >= 0)
        ::close(m_file);
    if (!m_temporaneo.isEmpty())
        unlinkat(m_cartella, m_temporaneo.constData(), 0);
    if (m_cartella >= 0)
        ::close(m_cartella);
}

void ScritturaAtomica::fallisce(Fase fase, int codice, TipoFile trovato)
{
    if (m_guasto.fallito())
        return;
    m_fase = fase;
    m_guasto = {codice, trovato};
}

void ScritturaAtomica::scrivi(const char *dati, qint64 n)
{
    while (n > 0 && !m_guasto.fallito()) {
        const ssize_t scritti = ::write(m_file, dati, size_t(n));
        if (scritti >= 0) {
            dati += scritti;
            n -= scritti;
        } else if (errno != EINTR) {
            fallisce(Fase::Scrittura, errno);
        }
    }
}

void ScritturaAtomica::svuota()
{
    scrivi(m_memoria.constData(), m_memoria.size());
    m_memoria.clear();
}

qint64 ScritturaAtomica::writeData(const char *dati, qint64 n)
{
    if (m_file < 0)
        return -1;
    // After a failure the rest is dropped: Conferma() reports it and nothing is renamed.
    if (m_memoria.size() + n > Blocco)
        svuota();
    if (n >= Blocco)
        scrivi(dati, n);
    else
        m_memoria.append(dati, n);
    return n;
}

bool ScritturaAtomica::Conferma()
{
    if (m_file < 0)
        return false;
    svuota();
    // On the disk before the rename: after a crash either report is whole.
    if (!m_guasto.fallito() && fdatasync(m_file) != 0)
        fallisce(Fase::Scrittura, errno);
    // A network file system may report a failed write only here.
    if (::close(m_file) != 0)
        fallisce(Fase::Scrittura, errno);
    m_file = -1;
    QIODevice::close();
    if (m_guasto.fallito())
        return false;
    if (renameat(m_cartella, m_temporaneo.constData(), m_cartella, m_nome.constData()) != 0) {
        fallisce(Fase::Scrittura, errno);
        return false;
    }
    m_temporaneo.clear();
    return true;
}

} // namespace windara
