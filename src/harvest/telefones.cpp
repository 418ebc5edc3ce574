#include "harvest/telefones.h"

#include "harvest/bombeamento.h"
#include "harvest/textos.h"

#include <QSet>
#include <QtAlgorithms>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Phone characters and the characters a run may start after, as a table of
// ASCII codes: the text scan and the byte scan read the same table.
struct Classes {
    bool telefone[128] = {};
    bool antecessor[128] = {};
    Classes()
    {
        for (int c = '0'; c <= '9'; ++c)
            telefone[c] = true;
        for (unsigned char c : {' ', '"', '(', ')', '-', '.', '=', '_'})
            telefone[c] = true;
        for (unsigned char c : {' ', '\n', '\r', '"', '(', '+', ':', '\'', '>'})
            antecessor[c] = true;
    }
};

const Classes &classes()
{
    static const Classes c;
    return c;
}

bool ehCaractereDeTelefone(QChar c)
{
    return c.unicode() < 128 && classes().telefone[c.unicode()];
}

bool ehAntecessorPermitido(QChar c)
{
    return c.unicode() < 128 && classes().antecessor[c.unicode()];
}

// The ASCII digits of a text or of bytes, in their order.
template <typename Vista>
QString digitosDe(Vista texto)
{
    QString digitos;
    for (auto c : texto) {
        const char16_t u = unidade(c);
        if (u >= u'0' && u <= u'9')
            digitos += QChar(u);
    }
    return digitos;
}

} // namespace

// The numbers found, in order of first appearance, without repeats. A run of
// phone characters becomes a number when its 9 to 18 digits make one.
class ListaDeTelefones
{
public:
    template <typename Vista>
    void descarregar(Vista run)
    {
        registrar(digitosDe(run));
    }
    QString resultado() const { return mResultado; }

private:
    void registrar(const QString &digitos)
    {
        if (digitos.size() < 9 || digitos.size() > 18)
            return;
        bombearEventos();
        const QString numero = validaTelefone(digitos);
        bombearEventos();
        if (!numero.isEmpty() && !mVistos.contains(numero)) {
            mVistos.insert(numero);
            mResultado += numero + QStringLiteral("\r\n");
        }
    }

    QSet<QString> mVistos;
    QString mResultado;
};

QString GetNumbersFromString(QStringView text)
{
    return digitosDe(text);
}

QString validaTelefone(const QString &telefone)
{
    QString s = telefone;
    QString saida;
    bool seguirComArea = false;
    if (s.size() >= 12 && s.size() <= 14) {
        if (s.startsWith(u'0') && !s.startsWith(u"00")) {
            // A trunk prefix, not a country code: "(011) 91111-2222". With a
            // carrier code ("0 21 11 ...") two more digits go.
            s.remove(0, 1);
            if (s.size() == 12 || s.size() == 13)
                s.remove(0, 2);
            seguirComArea = true;
        } else {
            saida = QLatin1Char('+') + s.left(2) + QLatin1Char(' ');
            s.remove(0, 2);
        }
    }
    if (!seguirComArea && s.startsWith(u'0'))
        s.remove(0, 1);
    if (s.size() == 10 || s.size() == 11) {
        saida += QLatin1Char('(') + s.left(2) + QStringLiteral(") ");
        s.remove(0, 2);
    }
    if (s.size() == 9)
        saida += s.left(5) + QLatin1Char('-') + s.right(4);
    else if (s.size() == 8)
        saida += s.left(4) + QLatin1Char('-') + s.right(4);
    else
        return QString();
    // An area code without a country code followed by a number that begins
    // with 0 is no phone number.
    if (saida.contains(u'(') && saida.indexOf(u" 0") == 4)
        return QString();
    return saida;
}

namespace {

// Position of the next ASCII digit at or after i, n when none.
qsizetype proximoDigito(const unsigned char *d, qsizetype i, qsizetype n)
{
#ifdef __SSE2__
    const __m128i antesDoZero = _mm_set1_epi8('0' - 1);
    const __m128i depoisDoNove = _mm_set1_epi8('9' + 1);
    while (i + 16 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(d + i));
        // Bytes of 0x80 and above compare as negative: never digits.
        const int mascara = _mm_movemask_epi8(
            _mm_and_si128(_mm_cmpgt_epi8(v, antesDoZero), _mm_cmplt_epi8(v, depoisDoNove)));
        if (mascara)
            return i + qCountTrailingZeroBits(static_cast<quint32>(mascara));
        i += 16;
    }
#endif
    while (i < n && (d[i] < '0' || d[i] > '9'))
        ++i;
    return i;
}

} // namespace

QString juntarTelefones(const QString &primeiro, const QString &segundo)
{
    const QStringList vistos = primeiro.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const QSet<QString> conjunto(vistos.cbegin(), vistos.cend());
    QString resultado = primeiro;
    for (const QString &l : segundo.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (!conjunto.contains(l))
            resultado += l + QStringLiteral("\r\n");
    }
    return resultado;
}

ColetaDeTelefones::ColetaDeTelefones()
    : mLista(std::make_unique<ListaDeTelefones>())
{
}

ColetaDeTelefones::~ColetaDeTelefones() = default;

QString ColetaDeTelefones::resultado() const
{
    return mLista->resultado();
}

QString getTelefonesUtf8(QByteArrayView utf8, qsizetype de, qsizetype ate)
{
    ColetaDeTelefones coleta;
    coleta.varrer(utf8, de, ate);
    return coleta.resultado();
}

void ColetaDeTelefones::varrer(QByteArrayView utf8, qsizetype de, qsizetype ate)
{
    const auto *d = reinterpret_cast<const unsigned char *>(utf8.data());
    const qsizetype n = utf8.size();
    if (ate < 0 || ate > n)
        ate = n;
    bool branco = true;
    for (qsizetype i = 0; i < n && branco; ++i)
        branco = d[i] <= 32;
    if (branco)
        return;
    bombearEventos();

    const Classes &cl = classes();
    // Width of the phone character ending just before position i (a no-break
    // space is two bytes), 0 when that character is no phone character.
    auto larguraAntes = [&](qsizetype i) -> int {
        if (i <= 0)
            return 0;
        const unsigned char b = d[i - 1];
        if (b < 0x80)
            return cl.telefone[b] ? 1 : 0;
        return (b == 0xA0 && i >= 2 && d[i - 2] == 0xC2) ? 2 : 0;
    };
    auto larguraEm = [&](qsizetype i) -> int {
        const unsigned char b = d[i];
        if (b < 0x80)
            return cl.telefone[b] ? 1 : 0;
        return (b == 0xC2 && i + 1 < n && d[i + 1] == 0xA0) ? 2 : 0;
    };
    // A run may start at a phone character whose predecessor is the start of
    // the text, an allowed character or a no-break space.
    auto podeComecar = [&](qsizetype i) {
        if (i == 0)
            return true;
        const unsigned char b = d[i - 1];
        return b < 0x80 ? cl.antecessor[b] : (b == 0xA0 && i >= 2 && d[i - 2] == 0xC2);
    };

    ListaDeTelefones &lista = *mLista;
    // Only digits make numbers: jump from digit to digit and look at the
    // stretch of phone characters around each one. Within a stretch the run
    // starts at its first character allowed to start one and lasts to its end.
    qsizetype i = de;
    while ((i = proximoDigito(d, i, ate)) < ate) {
        qsizetype inicio = i;
        for (int w; (w = larguraAntes(inicio)) > 0;)
            inicio -= w;
        qsizetype fim = i;
        for (int w; fim < n && (w = larguraEm(fim)) > 0;)
            fim += w;
        qsizetype p = inicio;
        while (p < fim && !podeComecar(p))
            p += larguraEm(p);
        if (p < fim)
            lista.descarregar(utf8.sliced(p, fim - p));
        i = fim;
    }
}

QString getTelefones(const QString &entrada)
{
    if (emBranco(entrada))
        return QString();
    const QString texto = normalizarEspacos(entrada);
    ListaDeTelefones lista;
    bombearEventos();

    auto descarregar = [&](qsizetype inicio, qsizetype fim) {
        if (inicio >= 0 && fim > inicio)
            lista.descarregar(QStringView(texto).mid(inicio, fim - inicio));
    };

    // The run is texto[inicio, i): consecutive phone characters, so it is
    // kept as a start index and never copied until it is flushed.
    qsizetype inicio = -1;
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (ehCaractereDeTelefone(texto[i])) {
            if (inicio < 0) {
                inicio = i;
                // The start of the text counts as an allowed predecessor, so a
                // pasted column of numbers keeps its first one.
                if (i > 0 && !ehAntecessorPermitido(texto[i - 1]))
                    inicio = -1;
            }
        } else {
            descarregar(inicio, i);
            inicio = -1;
        }
    }
    descarregar(inicio, n);
    return lista.resultado();
}
