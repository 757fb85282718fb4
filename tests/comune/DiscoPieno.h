#pragma once

// A folder on which writing runs out of room. Where mounting is allowed it is a small tmpfs
// mounted in a mount namespace of this thread alone, so that nothing outlives the test;
// elsewhere a limit on the size of every file this process writes stands in for it.

#include <QFile>
#include <QString>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>

namespace windara::prova {

class DiscoPieno
{
public:
    // `byte`: the room on the tmpfs, or the largest file under the limit.
    DiscoPieno(const QString &cartella, qint64 byte) : m_cartella(QFile::encodeName(cartella))
    {
        static const bool montaggiPropri =
            unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        const QByteArray opzioni = "size=" + QByteArray::number(byte);
        m_tmpfs = montaggiPropri && mount("tmpfs", m_cartella.constData(), "tmpfs", 0, opzioni.constData()) == 0;
        if (!m_tmpfs) {
            getrlimit(RLIMIT_FSIZE, &m_limite);
            rlimit limite = m_limite;
            limite.rlim_cur = rlim_t(byte);
            setrlimit(RLIMIT_FSIZE, &limite);
            // A write past the limit fails with EFBIG instead of ending the process.
            m_segnale = std::signal(SIGXFSZ, SIG_IGN);
        }
    }
    ~DiscoPieno()
    {
        if (m_tmpfs) {
            umount2(m_cartella.constData(), MNT_DETACH);
        } else {
            setrlimit(RLIMIT_FSIZE, &m_limite);
            std::signal(SIGXFSZ, m_segnale);
        }
    }
    DiscoPieno(const DiscoPieno &) = delete;
    DiscoPieno &operator=(const DiscoPieno &) = delete;

    // The tmpfs made read-only; false where there is none.
    bool soloLettura()
    {
        return m_tmpfs && mount(nullptr, m_cartella.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    // What a message about the failed write must say.
    QString causa() const
    {
        return m_tmpfs ? QStringLiteral("il disco è pieno") : QStringLiteral("dimensione massima");
    }

private:
    QByteArray m_cartella;
    bool m_tmpfs = false;
    rlimit m_limite{};
    void (*m_segnale)(int) = SIG_DFL;
};

} // namespace windara::prova
