#include "design/Val.h"

#include "design/Errori.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace windara {

namespace {

bool ignorato(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Walks the text skipping the characters that Val ignores.
class Lettore
{
public:
    explicit Lettore(QStringView t) : m_t(t) { salta(); }
    bool fine() const { return m_i >= m_t.size(); }
    QChar corrente() const { return fine() ? QChar() : m_t[m_i]; }
    void avanza()
    {
        ++m_i;
        salta();
    }

private:
    void salta()
    {
        while (m_i < m_t.size() && ignorato(m_t[m_i]))
            ++m_i;
    }
    QStringView m_t;
    qsizetype m_i = 0;
};

int cifra(QChar c, int base)
{
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= u'0' && u <= u'9')
        v = u - u'0';
    else if (u >= u'a' && u <= u'f')
        v = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        v = u - u'A' + 10;
    return v < base ? v : -1;
}

// &H and &O numbers: up to 16 bits they are read as a signed 16-bit value, up to 32
// bits as a signed 32-bit value, beyond that they overflow.
double leggiBase(Lettore &l, int base)
{
    std::uint64_t v = 0;
    for (int c; !l.fine() && (c = cifra(l.corrente(), base)) >= 0; l.avanza()) {
        v = v * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(c);
        if (v > 0xFFFFFFFFull)
            throw ErroreRuntime::overflow();
    }
    if (v <= 0xFFFFull)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

bool cifraDecimale(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

double Val(QStringView testo)
{
    Lettore l(testo);
    if (l.corrente() == u'&') {
        l.avanza();
        const QChar p = l.corrente();
        if (p == u'H' || p == u'h') {
            l.avanza();
            return leggiBase(l, 16);
        }
        if (p == u'O' || p == u'o') {
            l.avanza();
            return leggiBase(l, 8);
        }
        return 0.0;
    }

    std::string numero;
    numero.reserve(32);
    bool negativo = false;
    if (l.corrente() == u'+' || l.corrente() == u'-') {
        negativo = l.corrente() == u'-';
        l.avanza();
    }

    // Decimal magnitude of the mantissa, to tell overflow from underflow.
    long long magnitudine = 0;
    bool cifre = false, punto = false, nonZero = false;
    for (; !l.fine(); l.avanza()) {
        const QChar c = l.corrente();
        if (cifraDecimale(c)) {
            cifre = true;
            if (c != u'0' && !nonZero)
                nonZero = true;
            if (!punto && nonZero)
                ++magnitudine;
            if (punto && !nonZero)
                --magnitudine;
            numero.push_back(static_cast<char>(c.unicode()));
        } else if (c == u'.' && !punto) {
            punto = true;
            numero.push_back('.');
        } else {
            break;
        }
    }
    if (!cifre)
        return 0.0;

    if (l.corrente() == u'E' || l.corrente() == u'e') {
        l.avanza();
        bool espNegativo = false;
        if (l.corrente() == u'+' || l.corrente() == u'-') {
            espNegativo = l.corrente() == u'-';
            l.avanza();
        }
        long long esponente = 0;
        for (; !l.fine() && cifraDecimale(l.corrente()); l.avanza()) {
            if (esponente < 100000000)
                esponente = esponente * 10 + (l.corrente().unicode() - u'0');
        }
        if (espNegativo)
            esponente = -esponente;
        numero += 'e';
        numero += std::to_string(esponente);
        magnitudine += esponente;
    }
    if (!nonZero)
        return 0.0;

    double v = 0.0;
    const auto r = std::from_chars(numero.data(), numero.data() + numero.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        if (magnitudine > 0)
            throw ErroreRuntime::overflow();
        return 0.0;
    }
    return negativo ? -v : v;
}

} // namespace windara
