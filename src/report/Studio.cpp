#include "Studio.h"

#include "Aritmetica.h"
#include "Tabella.h"
#include "Val.h"

#include <QStringEncoder>

namespace windara {

namespace {

// A text laid out with 1-based column stops, line by line.
class Impaginatore
{
public:
    explicit Impaginatore(qsizetype riserva) { m_testo.reserve(riserva); }

    void scrivi(const QString &s) { m_testo += s; }
    void riga(const QString &s = QString()) { m_testo += s; a_capo(); }
    void a_capo()
    {
        m_testo += QLatin1String("\r\n");
        m_inizioRiga = m_testo.size();
    }
    // Moves to column n; a line that already reaches it is ended and the next one is
    // padded up to the stop.
    void colonna(int n)
    {
        const qsizetype libera = m_testo.size() - m_inizioRiga + 1;
        if (libera > n) {
            a_capo();
            m_testo += QString(n - 1, u' ');
        } else if (libera < n) {
            m_testo += QString(n - libera, u' ');
        }
    }
    const QString &testo() const { return m_testo; }

private:
    QString m_testo;
    qsizetype m_inizioRiga = 0;
};

QString conSegno(bool neg, const QString &cifre)
{
    return (neg ? QStringLiteral("-") : QStringLiteral(" ")) + cifre + u' ';
}

} // namespace

QString NomeStudio(const TestiStudio &t, StatoProgetto &s)
{
    const QString &diam = t.sceltaDiametro;
    s.LunghezzaDiametro = aritmetica::intero16(static_cast<double>(diam.size()));
    s.PosizionePunto = static_cast<std::int32_t>(diam.indexOf(u'.') + 1);
    if (s.PosizionePunto != 0) {
        s.ParteIntera = diam.left(s.PosizionePunto - 1);
        s.ParteDecimale = diam.mid(s.PosizionePunto, s.LunghezzaDiametro - s.PosizionePunto);
        s.DiametroNome = s.ParteIntera + u'_' + s.ParteDecimale;
    } else {
        s.DiametroNome = diam;
    }
    return t.altezza + u'x' + t.d1 + u'-' + s.DiametroNome + QLatin1String(".txt");
}

QString NumeroStudio(std::int16_t v)
{
    return conSegno(v < 0, QString::number(v < 0 ? -int(v) : int(v)));
}

QString NumeroStudio(double v, const QString &separatore)
{
    const Decimale15 d = Decimale15::da(v);
    return conSegno(negativo(d), cifre(d, FormaTesto{separatore, true}));
}

QString NumeroStudio(const Valuta &v, const QString &separatore)
{
    return conSegno(negativo(v), cifre(v, FormaTesto{separatore, true}));
}

QByteArray TestoStudio(const TestiStudio &t, StatoProgetto &s, const ImpostazioniStudio &imp)
{
    using namespace aritmetica;
    const QString nome = NomeStudio(t, s);
    const QString &sep = imp.separatore;

    Impaginatore p(1200 + qsizetype(s.StratiMax > 0 ? s.StratiMax : 0) * 84);
    p.riga();
    p.riga(QStringLiteral("Generato con Windara Versione 1.0"));
    p.riga();
    p.riga(QStringLiteral("Nome File ") + nome);
    p.riga(QStringLiteral("Data Creazione ") + imp.data);
    p.riga();
    p.riga(QStringLiteral("Valori di induttanza (mH) in funzione delle dimensioni del rocchetto:"));
    p.riga();
    p.riga(QStringLiteral("Altezza H (mm)------------------------------------  ") + t.altezza);
    p.riga(QStringLiteral("Diametro filo di Rame (mm)------------------------  ") + t.diametro);
    p.riga(QStringLiteral("Diametro del rocchetto D1 (mm)--------------------  ") + t.d1);
    p.riga(QStringLiteral("Larghezza delle flangie del rocchetto L (mm)------ ") + t.ltot);
    p.riga();
    p.riga(QStringLiteral("Numero massimo di strati consentiti--------------- ") + t.numeroStrati);
    p.riga(QStringLiteral("Numero massimo di spire consentite per ogni strato ") + t.spireStrato);
    p.riga(QStringLiteral("Numero di spire massimo consentite---------------- ") + t.spireTotali);
    p.riga(QStringLiteral("Valore massimo di induttanza ottenibile----------- ") + t.ind);
    p.riga();
    p.riga();
    p.scrivi(QStringLiteral("N°Strati"));
    p.colonna(11);
    p.scrivi(QStringLiteral("N°Spire"));
    p.colonna(22);
    p.scrivi(QStringLiteral("A1"));
    p.colonna(27);
    p.scrivi(QStringLiteral("Filo Necessario (m)"));
    p.colonna(49);
    p.scrivi(QStringLiteral("Induttanza (mH)"));
    p.colonna(66);
    p.riga(QStringLiteral("R Teorica"));
    p.riga();

    s.RaggioInterno = quoziente(s.DiametroD1, 2);
    PerOgniStrato(s, [&](double n) {
        const Valuta induttanza = Valuta::da(strato::Induttanza(n, s));
        const double filo = strato::Filo(n, s);
        const Valuta resistenza = strato::Resistenza(filo, Val(s.ResistenzaMetro));

        p.scrivi(NumeroStudio(s.Indice));
        p.colonna(13);
        p.scrivi(NumeroStudio(strato::Spire(n, s), sep));
        p.colonna(21);
        p.scrivi(NumeroStudio(s.RaggioMedio, sep));
        p.colonna(32);
        p.scrivi(NumeroStudio(filo, sep));
        p.colonna(52);
        p.scrivi(NumeroStudio(induttanza, sep));
        p.colonna(66);
        p.riga(NumeroStudio(resistenza, sep));
    });

    QStringEncoder cp1252("windows-1252");
    return cp1252.encode(p.testo());
}

} // namespace windara
