#include "analysis/Csv.h"

namespace windara::analisi {

QChar SeparatoreCampi(const QString &separatoreDecimale)
{
    return separatoreDecimale == QStringLiteral(",") ? QChar(u';') : QChar(u',');
}

namespace {

void campo(QString &testo, const QString &valore, QChar separatore)
{
    if (valore.contains(separatore) || valore.contains(u'"') || valore.contains(u'\n') || valore.contains(u'\r')) {
        QString v = valore;
        v.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        testo += u'"' + v + u'"';
    } else {
        testo += valore;
    }
}

void riga(QString &testo, const QStringList &celle, QChar separatore)
{
    for (qsizetype i = 0; i < celle.size(); ++i) {
        if (i > 0)
            testo += separatore;
        campo(testo, celle[i], separatore);
    }
    testo += QStringLiteral("\r\n");
}

} // namespace

QString TestoCsv(const QStringList &intestazione, const std::vector<QStringList> &righe,
                 const QString &separatoreDecimale)
{
    const QChar separatore = SeparatoreCampi(separatoreDecimale);
    QString testo;
    testo.reserve(qsizetype(righe.size() + 1) * 96);
    QStringList capi;
    for (const QString &c : intestazione)
        capi << QString(c).replace(u'\n', u' ');
    riga(testo, capi, separatore);
    for (const QStringList &r : righe)
        riga(testo, r, separatore);
    return testo;
}

} // namespace windara::analisi
