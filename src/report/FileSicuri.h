#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace windara {

// What stood where a regular file or folder was expected.
enum class TipoFile { Nessuno, File, Cartella, Collegamento, Pipe, Socket, Dispositivo };

// A failed file operation as the system reported it: errno, and what was found in place of
// a regular file when that was the cause.
struct GuastoFile
{
    int codice = 0; // errno; 0 when the cause is `trovato`
    TipoFile trovato = TipoFile::Nessuno;
    bool fallito() const { return codice != 0 || trovato != TipoFile::Nessuno; }
};

// The cause of a failed system call in Italian, with what the user can do about it: the
// system's own texts follow the C locale and stay English.
QString CausaSistema(int codice);

// "un collegamento simbolico", "una pipe con nome", ...: what was found, for a message.
QString DescriviTipo(TipoFile tipo);

// Reads a whole regular file. A link, a named pipe, a device or a folder in its place is
// refused at once, without waiting on it or following it.
GuastoFile LeggiFileRegolare(const QString &percorso, QByteArray &byte);

// A file written whole or not at all. The bytes go into a temporary file made for this
// write alone beside the target, and replace the target by a rename only once all of them
// reached the disk, so that a failure leaves an earlier file intact and no partial one. A
// target that exists and is not a regular file (a link above all) is refused before
// anything is written; a link put there meanwhile is replaced by the rename, never
// followed. Everything happens relative to the folder opened once, so a folder renamed or
// replaced meanwhile cannot redirect the write. Destroyed before Conferma(), it removes
// the temporary file.
class ScritturaAtomica : public QIODevice
{
public:
    // Where a failure happened: opening the folder, in what stands at the target, or
    // while writing and renaming.
    enum class Fase { Cartella, Destinazione, Scrittura };

    // With `cartellaSenzaCollegamento` a folder that is itself a link is refused.
    ScritturaAtomica(const QString &cartella, const QString &nome, bool cartellaSenzaCollegamento);
    ~ScritturaAtomica() override;
    ScritturaAtomica(const ScritturaAtomica &) = delete;
    ScritturaAtomica &operator=(const ScritturaAtomica &) = delete;

    // Every byte to disk, then renamed into place; false on failure (see guasto()).
    bool Conferma();

    const GuastoFile &guasto() const { return m_guasto; }
    Fase fase() const { return m_fase; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *dati, qint64 n) override;

private:
    void fallisce(Fase fase, int codice, TipoFile trovato = TipoFile::Nessuno);
    void scrivi(const char *dati, qint64 n);
    void svuota();

    int m_cartella = -1;
    int m_file = -1;
    QByteArray m_nome;
    QByteArray m_temporaneo; // empty once renamed into place or removed
    QByteArray m_memoria;
    GuastoFile m_guasto;
    Fase m_fase = Fase::Cartella;
};

} // namespace windara
