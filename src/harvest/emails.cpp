#include "harvest/emails.h"

#include "harvest/bombeamento.h"
#include "harvest/textos.h"

#include <libpsl.h>

#include <QStringDecoder>

#include <cstring>
#include <type_traits>

namespace {

// Widest look around each "@": the address's left part never spans more
// than 100 characters of the window, the whole window 200.
constexpr qsizetype kAntesDaArroba = 100;
constexpr qsizetype kJanela = 200;

bool ehDelimitadorEsquerdo(QChar c)
{
    switch (c.unicode()) {
    case u' ': case u'\r': case u'\n': case u'\t': case u';': case u',':
    case u')': case u'"': case u'<': case u'>':
        return true;
    default:
        return false;
    }
}

// "&" ends the domain too: page sources write entities such as "&nbsp;" or
// "&gt;" right after an address, and no domain holds an "&".
bool ehDelimitadorDireito(QChar c)
{
    switch (c.unicode()) {
    case u' ': case u'\r': case u'\n': case u'\t': case u';': case u',':
    case u'(': case u'"': case u'<': case u'>': case u'&':
        return true;
    default:
        return false;
    }
}

bool ehLetraOuDigitoAscii(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9');
}

void pausaEntreCortes()
{
    if (bombearEntreCortes())
        bombearEventos();
}

// A candidate cleaned in place, in UTF-16 units (the text scan, and byte
// candidates with non-ASCII characters) or in ASCII bytes (most byte
// candidates, spared a conversion to text). It never holds more than a
// window, plus the two letters that a completed ending adds.
template <typename Ch>
struct Candidato {
    Ch d[kJanela + 4];
    qsizetype n = 0;

    void copiar(const Ch *de, qsizetype tamanho)
    {
        // A window never holds more; the bound keeps bytes that are not
        // UTF-8 after all, which decode to more units, inside the buffer.
        n = qMin<qsizetype>(tamanho, kJanela + 2);
        std::memcpy(d, de, static_cast<size_t>(n) * sizeof(Ch));
    }
    char16_t operator[](qsizetype i) const { return unidade(d[i]); }
    bool vazio() const { return n == 0; }
    char16_t frente() const { return unidade(d[0]); }
    char16_t fundo() const { return unidade(d[n - 1]); }
    qsizetype indice(char16_t c, qsizetype de = 0) const
    {
        for (qsizetype i = de; i < n; ++i) {
            if (unidade(d[i]) == c)
                return i;
        }
        return -1;
    }
    qsizetype ultimoIndice(char16_t c) const
    {
        for (qsizetype i = n - 1; i >= 0; --i) {
            if (unidade(d[i]) == c)
                return i;
        }
        return -1;
    }
    // The QString search rules, case folding included.
    qsizetype indiceSemCaixa(QLatin1StringView alvo) const
    {
        if constexpr (std::is_same_v<Ch, char>)
            return QLatin1StringView(d, n).indexOf(alvo, 0, Qt::CaseInsensitive);
        else
            return QStringView(d, n).indexOf(alvo, 0, Qt::CaseInsensitive);
    }
    void remover(qsizetype pos, qsizetype quantos)
    {
        std::memmove(d + pos, d + pos + quantos, static_cast<size_t>(n - pos - quantos) * sizeof(Ch));
        n -= quantos;
    }
    void removerPrimeiroSemCaixa(QLatin1StringView alvo)
    {
        const qsizetype pos = indiceSemCaixa(alvo);
        if (pos >= 0)
            remover(pos, alvo.size());
    }
    void removerTodos(char16_t c)
    {
        qsizetype escrito = 0;
        for (qsizetype i = 0; i < n; ++i) {
            if (unidade(d[i]) != c)
                d[escrito++] = d[i];
        }
        n = escrito;
    }
    void acrescentar(const char *ascii)
    {
        while (*ascii)
            d[n++] = static_cast<Ch>(*ascii++);
    }
    void aparar()
    {
        qsizetype ini = 0;
        while (ini < n && unidade(d[ini]) <= 32)
            ++ini;
        while (n > ini && unidade(d[n - 1]) <= 32)
            --n;
        if (ini > 0)
            remover(0, ini);
    }
    bool terminaEmExtensao() const
    {
        if constexpr (std::is_same_v<Ch, char>)
            return terminaEmExtensaoDaWeb(QLatin1StringView(d, n));
        else
            return terminaEmExtensaoDaWeb(QStringView(d, n));
    }
};

// Any of "!", "*", "}", "{", "%", "[", "]", ".0." to ".9.", "\\", "=", "|",
// "$", "/", "..." or "#", found in one pass.
template <typename Ch>
bool temTrechoProibido(const Candidato<Ch> &c)
{
    const qsizetype n = c.n;
    for (qsizetype i = 0; i < n; ++i) {
        switch (c[i]) {
        case u'!': case u'*': case u'}': case u'{': case u'%': case u'[': case u']':
        case u'\\': case u'=': case u'|': case u'$': case u'/': case u'#':
            return true;
        case u'.':
            if (i + 2 < n) {
                const char16_t seguinte = c[i + 1];
                if (c[i + 2] == u'.' && ((seguinte >= u'0' && seguinte <= u'9') || seguinte == u'.'))
                    return true;
            }
            break;
        default:
            break;
        }
    }
    return false;
}

template <typename Ch>
bool temUmSoPontoAposArroba(const Ch *d, qsizetype n)
{
    qsizetype i = 0;
    while (i < n && unidade(d[i]) != u'@')
        ++i;
    if (i == n)
        return false;
    int pontos = 0;
    for (++i; i < n; ++i)
        pontos += unidade(d[i]) == u'.';
    return pontos == 1;
}

bool temUmSoPontoAposArroba(const QString &s)
{
    return temUmSoPontoAposArroba(reinterpret_cast<const char16_t *>(s.utf16()), s.size());
}

// Completes only real truncations of the last segment; anything else
// (io, info, de, ...) is a valid ending and stays.
template <typename Ch>
void completarTerminacao(Candidato<Ch> &c)
{
    const qsizetype ponto = c.ultimoIndice(u'.');
    if (ponto < 0)
        return;
    const qsizetype tamanho = c.n - ponto - 1;
    const char16_t a = tamanho >= 1 ? c[ponto + 1] : 0;
    const char16_t b = tamanho >= 2 ? c[ponto + 2] : 0;
    if (tamanho == 2 && a == u'c' && b == u'o') {
        if (temUmSoPontoAposArroba(c.d, c.n))
            c.acrescentar("m");
    } else if (tamanho == 1 && a == u'b') {
        c.acrescentar("r");
    } else if (tamanho == 2 && a == u'n' && b == u'e') {
        c.acrescentar("t");
    } else if (tamanho == 1 && a == u'c') {
        c.acrescentar("om");
    }
}

void cortarNaInterrogacao(QString &c)
{
    const qsizetype q = c.indexOf(QLatin1Char('?'));
    if (q >= 0)
        c.truncate(q);
}

// Steps 8 to 17 of the scan on one candidate; false when rejected.
template <typename Ch>
bool limparCandidato(Candidato<Ch> &c)
{
    // One look at the characters first: most candidates hold none of those
    // the steps below remove, and then the steps are skipped.
    bool doisPontos = false;
    bool igual = false;
    bool parenteses = false;
    bool interrogacao = false;
    for (qsizetype i = 0; i < c.n; ++i) {
        switch (c[i]) {
        case u':': doisPontos = true; break;
        case u'=': igual = true; break;
        case u'(': case u')': parenteses = true; break;
        case u'?': interrogacao = true; break;
        default: break;
        }
    }
    if (doisPontos)
        c.removerPrimeiroSemCaixa(QLatin1StringView("mailto:"));
    if (igual)
        c.removerPrimeiroSemCaixa(QLatin1StringView("email="));
    if (parenteses) {
        c.removerTodos(u'(');
        c.removerTodos(u')');
    }
    // A mailto query ("?subject=...") would otherwise be rejected for its "=",
    // and "contato@x.com.br!" or "ana@x.com:" for their punctuation.
    if (interrogacao) {
        const qsizetype q = c.indice(u'?');
        if (q >= 0)
            c.n = q;
    }
    while (!c.vazio() && (c.fundo() == u'!' || c.fundo() == u':'))
        --c.n;
    pausaEntreCortes();

    if (c.n >= 2 && c[c.n - 2] == u'@')
        return false;

    if (temTrechoProibido(c))
        return false;
    pausaEntreCortes();

    c.aparar();
    if (c.vazio() || c.frente() == u'@' || !ehLetraOuDigitoAscii(QChar(c.frente())))
        return false;
    while (!c.vazio() && (c.fundo() == u'.' || c.fundo() == u'\''))
        --c.n;
    pausaEntreCortes();

    completarTerminacao(c);
    // Every "?" went with the cut above.
    if (doisPontos) {
        const qsizetype posicao = c.indice(u':');
        if (posicao >= 0)
            c.remover(0, posicao + 1);
    }
    pausaEntreCortes();

    const qsizetype arroba = c.indice(u'@');
    if (arroba < 0 || c.indice(u'.', arroba) < 0)
        return false;
    if (c.terminaEmExtensao())
        return false;
    // What the cuts left at the ends goes too.
    c.aparar();
    return !c.vazio();
}

// Lower case in place; true when every unit was ASCII (then the whole
// candidate is lowered), false when the text's own rules must do it.
template <typename Ch>
bool minusculasAscii(Candidato<Ch> &c)
{
    for (qsizetype i = 0; i < c.n; ++i) {
        if (unidade(c.d[i]) >= 0x80)
            return false;
    }
    for (qsizetype i = 0; i < c.n; ++i) {
        if (c.d[i] >= 'A' && c.d[i] <= 'Z')
            c.d[i] = static_cast<Ch>(c.d[i] + ('a' - 'A'));
    }
    return true;
}

const psl_ctx_t *listaDeSufixos()
{
    // The distribution's list when it is newer than the built-in one.
    static const psl_ctx_t *const psl = [] {
        const psl_ctx_t *ctx = psl_latest(nullptr);
        return ctx ? ctx : psl_builtin();
    }();
    return psl;
}

bool ehDominioDeTopo(QStringView segmento)
{
    const psl_ctx_t *psl = listaDeSufixos();
    if (!psl || segmento.isEmpty())
        return false;
    const QByteArray rotulo = segmento.toString().toLower().toUtf8();
    return psl_is_public_suffix2(psl, rotulo.constData(),
                                 PSL_TYPE_ICANN | PSL_TYPE_NO_STAR_RULE) != 0;
}

} // namespace

QString getEmails(const QString &fonte)
{
    const QString texto = normalizarEspacos(fonte);
    const qsizetype n = texto.size();
    QString resultado;
    // The remaining text is texto[base, n): it shrinks by moving base, never
    // by copying, so the scan stays linear in the text's length.
    qsizetype base = 0;
    for (;;) {
        bombearEventos();
        const qsizetype arroba = texto.indexOf(QLatin1Char('@'), base);
        if (arroba < 0)
            break;
        if (arroba - base >= kAntesDaArroba)
            base = arroba - kAntesDaArroba;
        const qsizetype fimJanela = qMin(base + kJanela, n);
        bombearEventos();

        qsizetype ini = arroba;
        while (ini > base && !ehDelimitadorEsquerdo(texto[ini - 1]))
            --ini;
        qsizetype fim = arroba + 1;
        while (fim < fimJanela && !ehDelimitadorDireito(texto[fim]))
            ++fim;
        pausaEntreCortes();

        Candidato<char16_t> candidato;
        candidato.copiar(reinterpret_cast<const char16_t *>(texto.utf16()) + ini, fim - ini);
        base = arroba + 1;

        if (limparCandidato(candidato)) {
            if (minusculasAscii(candidato))
                resultado += QStringView(candidato.d, candidato.n);
            else
                resultado += QStringView(candidato.d, candidato.n).toString().toLower();
            resultado += QLatin1String("\r\n");
            bombearEventos();
        }
    }
    return resultado;
}

namespace {

inline bool ehContinuacao(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// UTF-16 units of the character that starts with byte b.
inline int unidades(unsigned char b)
{
    return b >= 0xF0 ? 2 : 1;
}

// A no-break space (C2 A0) counts as a space, and so as a delimiter.
inline bool nbspTerminaEm(const unsigned char *d, qsizetype i, qsizetype inicio)
{
    return i - 1 >= inicio && d[i] == 0xA0 && d[i - 1] == 0xC2;
}

} // namespace

QByteArray getEmailsUtf8(QByteArrayView utf8, qsizetype de, qsizetype ate)
{
    QByteArray resultado;
    getEmailsUtf8(utf8, de, ate, [&resultado](QByteArrayView endereco) {
        resultado += endereco;
        resultado += "\r\n";
    });
    return resultado;
}

void getEmailsUtf8(QByteArrayView utf8, qsizetype de, qsizetype ate,
                   const std::function<void(QByteArrayView)> &aoEncontrar)
{
    const auto *d = reinterpret_cast<const unsigned char *>(utf8.data());
    const qsizetype n = utf8.size();
    if (ate < 0 || ate > n)
        ate = n;
    qsizetype base = de;
    for (;;) {
        bombearEventos();
        const void *achado = base < ate ? std::memchr(d + base, '@', static_cast<size_t>(ate - base)) : nullptr;
        if (!achado)
            break;
        const qsizetype arroba = static_cast<const unsigned char *>(achado) - d;

        // One walk back from the "@" finds the left part: it stops at a left
        // delimiter, at the remaining text's start, or where the window
        // starts, 100 UTF-16 units before the "@".
        qsizetype ini = arroba;
        int antes = 0;
        bool antesExato = false;
        bool metadeNoInicio = false;
        // False once either walk takes in a character outside ASCII.
        bool ascii = true;
        for (;;) {
            if (ini == base) {
                antesExato = true;
                break;
            }
            const unsigned char b = d[ini - 1];
            if (b < 0x80) {
                if (ehDelimitadorEsquerdo(QChar(b)))
                    break;
                if (antes == kAntesDaArroba) {
                    antesExato = true;
                    break;
                }
                ++antes;
                --ini;
                continue;
            }
            if (nbspTerminaEm(d, ini - 1, base))
                break;
            qsizetype c = ini - 1;
            while (c > base && ehContinuacao(d[c]))
                --c;
            const int u = unidades(d[c]);
            if (antes + u > kAntesDaArroba) {
                // A four-byte character astride the window's start: the text
                // scan keeps only its second half there.
                if (u == 2 && antes == kAntesDaArroba - 1) {
                    metadeNoInicio = true;
                    antes += u;
                    ini = c;
                    ascii = false;
                }
                antesExato = true;
                break;
            }
            antes += u;
            ini = c;
            ascii = false;
        }
        const qsizetype paradaEsquerda = ini;
        // Stopped at a delimiter, the units before the "@" are not all
        // counted; the tightest bound (a full window) serves until the
        // address runs that long.
        int limiteDireita = static_cast<int>(kJanela - 1 - (antesExato ? qMin<qsizetype>(antes, kAntesDaArroba)
                                                                      : kAntesDaArroba));
        bombearEventos();

        qsizetype fim = arroba + 1;
        int depois = 0;
        bool metadeNoFim = false;
        for (;;) {
            while (fim < n && depois < limiteDireita) {
                const unsigned char b = d[fim];
                if (b < 0x80) {
                    if (ehDelimitadorDireito(QChar(b)))
                        break;
                    ++fim;
                    ++depois;
                    continue;
                }
                if (b == 0xC2 && fim + 1 < n && d[fim + 1] == 0xA0)
                    break;
                qsizetype c = fim + 1;
                while (c < n && ehContinuacao(d[c]))
                    ++c;
                const int u = unidades(b);
                if (depois + u > limiteDireita)
                    metadeNoFim = true;
                depois += u;
                fim = c;
                ascii = false;
            }
            if (antesExato || depois < limiteDireita || fim >= n)
                break;
            // The address reached the bound: count the units before the "@"
            // from where the walk stopped, up to the window's size.
            qsizetype k = paradaEsquerda;
            while (k > base && antes < kAntesDaArroba) {
                qsizetype c = k - 1;
                while (c > base && ehContinuacao(d[c]))
                    --c;
                antes += unidades(d[c]);
                k = c;
            }
            antesExato = true;
            limiteDireita = static_cast<int>(kJanela - 1 - qMin<qsizetype>(antes, kAntesDaArroba));
            metadeNoFim = depois > limiteDireita;
        }
        pausaEntreCortes();

        base = arroba + 1;
        if (ascii) {
            // Most addresses: cleaned and lowered as bytes, no text made.
            Candidato<char> candidato;
            candidato.copiar(reinterpret_cast<const char *>(d + ini), fim - ini);
            if (limparCandidato(candidato)) {
                minusculasAscii(candidato);
                aoEncontrar(QByteArrayView(candidato.d, candidato.n));
                bombearEventos();
            }
            continue;
        }
        // A U+FEFF that opens the candidate is a character of the text, not
        // a byte order mark: fromUtf8 would drop it and let the candidate
        // through where the text scan rejects it.
        QStringDecoder decodificador(QStringConverter::Utf8, QStringConverter::Flag::Stateless
                                                                 | QStringConverter::Flag::ConvertInitialBom);
        QString bruto = decodificador.decode(QByteArrayView(d + ini, fim - ini));
        if (metadeNoInicio && !bruto.isEmpty())
            bruto.remove(0, 1);
        if (metadeNoFim && !bruto.isEmpty())
            bruto.chop(1);
        Candidato<char16_t> candidato;
        candidato.copiar(reinterpret_cast<const char16_t *>(bruto.utf16()), bruto.size());
        if (limparCandidato(candidato)) {
            if (minusculasAscii(candidato))
                aoEncontrar(QStringView(candidato.d, candidato.n).toUtf8());
            else
                aoEncontrar(QStringView(candidato.d, candidato.n).toString().toLower().toUtf8());
            bombearEventos();
        }
    }
}

QString tratarEmail(const QString &email)
{
    QString s = normalizarEspacos(email);

    while (!s.isEmpty() && (s.back() == u'.' || s.back() == u' ' || s.back() == u'-'))
        s.chop(1);
    if (s.endsWith(u".b"))
        s += QLatin1Char('r');
    if (s.endsWith(u".co") && temUmSoPontoAposArroba(s))
        s += QLatin1Char('m');
    if (s.endsWith(QLatin1Char('@')))
        return {};

    // A label or scheme glued to the address ("mailto:", "E-mail:") and a
    // query would otherwise end up inside the result.
    removerPrimeiro(s, u"mailto:", Qt::CaseInsensitive);
    cortarNaInterrogacao(s);
    const qsizetype doisPontos = s.indexOf(QLatin1Char(':'));
    if (doisPontos >= 0)
        s = s.mid(doisPontos + 1);

    s.remove(QStringLiteral("email:"));
    s.remove(QStringLiteral("e-mail:"));
    s = aparar(s);

    if (s.startsWith(QLatin1Char('@')) || !s.contains(QLatin1Char('.'))
        || s.contains(QLatin1Char(' ')))
        return {};

    const qsizetype reticencias = s.indexOf(u"...");
    if (reticencias >= 0)
        s.truncate(reticencias);
    if (s.endsWith(u".co") && temUmSoPontoAposArroba(s))
        s += QLatin1Char('m');

    if (s.endsWith(QLatin1Char(',')) || s.endsWith(QLatin1Char('/')))
        s.chop(1);
    const qsizetype barra = s.indexOf(QLatin1Char('/'));
    if (barra >= 0)
        s.truncate(barra);

    // A word glued with a full stop ("ana@x.com.Obrigado") goes; a real
    // top-level domain of four or more letters (.info, .online) stays.
    if (!emBranco(s)) {
        const qsizetype ponto = s.lastIndexOf(QLatin1Char('.'));
        if (ponto >= 0) {
            const QStringView segmento = QStringView(s).mid(ponto + 1);
            if (segmento.size() > 3 && !ehDominioDeTopo(segmento))
                s.truncate(ponto);
        } else if (s.size() >= 3) {
            s.clear();
        }
    }

    s.remove(QLatin1Char('('));
    s.remove(QLatin1Char(')'));
    s.remove(QLatin1Char(':'));
    s.remove(QStringLiteral("--"));
    s.remove(QLatin1Char('"'));
    s.remove(QLatin1Char('['));
    s.remove(QLatin1Char(']'));
    s = aparar(s).toLower();

    if (terminaEmExtensaoDaWeb(s))
        return {};
    return s;
}
