#include "harvest/emails.h"

#include "harvest/bombeamento.h"
#include "harvest/textos.h"

#include <libpsl.h>

#include <cstring>

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

// Any of "!", "*", "}", "{", "%", "[", "]", ".0." to ".9.", "\\", "=", "|",
// "$", "/", "..." or "#", found in one pass.
bool temTrechoProibido(QStringView c)
{
    const qsizetype n = c.size();
    for (qsizetype i = 0; i < n; ++i) {
        switch (c[i].unicode()) {
        case u'!': case u'*': case u'}': case u'{': case u'%': case u'[': case u']':
        case u'\\': case u'=': case u'|': case u'$': case u'/': case u'#':
            return true;
        case u'.':
            if (i + 2 < n) {
                const char16_t seguinte = c[i + 1].unicode();
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

// Text after the last ".", empty view when there is none.
QStringView aposUltimoPonto(const QString &s)
{
    const qsizetype p = s.lastIndexOf(QLatin1Char('.'));
    return p < 0 ? QStringView() : QStringView(s).mid(p + 1);
}

bool temUmSoPontoAposArroba(const QString &s)
{
    const qsizetype arroba = s.indexOf(QLatin1Char('@'));
    return arroba >= 0 && QStringView(s).mid(arroba + 1).count(QLatin1Char('.')) == 1;
}

// Completes only real truncations of the last segment; anything else
// (io, info, de, ...) is a valid ending and stays.
void completarTerminacao(QString &c)
{
    if (!c.contains(QLatin1Char('.')))
        return;
    const QStringView fim = aposUltimoPonto(c);
    if (fim == u"co") {
        if (temUmSoPontoAposArroba(c))
            c += QLatin1Char('m');
    } else if (fim == u"b") {
        c += QLatin1Char('r');
    } else if (fim == u"ne") {
        c += QLatin1Char('t');
    } else if (fim == u"c") {
        c += QLatin1String("om");
    }
}

void cortarNaInterrogacao(QString &c)
{
    const qsizetype q = c.indexOf(QLatin1Char('?'));
    if (q >= 0)
        c.truncate(q);
}

// Steps 8 to 17 of the scan on one candidate; empty when rejected.
QString limparCandidato(QString c)
{
    // One look at the characters first: most candidates hold none of those
    // the steps below remove, and then the steps are skipped.
    bool doisPontos = false;
    bool igual = false;
    bool parenteses = false;
    bool interrogacao = false;
    for (QChar ch : std::as_const(c)) {
        switch (ch.unicode()) {
        case u':': doisPontos = true; break;
        case u'=': igual = true; break;
        case u'(': case u')': parenteses = true; break;
        case u'?': interrogacao = true; break;
        default: break;
        }
    }
    if (doisPontos)
        removerPrimeiro(c, u"mailto:", Qt::CaseInsensitive);
    if (igual)
        removerPrimeiro(c, u"email=", Qt::CaseInsensitive);
    if (parenteses) {
        c.remove(QLatin1Char('('));
        c.remove(QLatin1Char(')'));
    }
    // A mailto query ("?subject=...") would otherwise be rejected for its "=",
    // and "contato@x.com.br!" or "ana@x.com:" for their punctuation.
    if (interrogacao)
        cortarNaInterrogacao(c);
    while (!c.isEmpty() && (c.back() == u'!' || c.back() == u':'))
        c.chop(1);
    pausaEntreCortes();

    if (c.size() >= 2 && c[c.size() - 2] == u'@')
        return {};

    if (temTrechoProibido(c))
        return {};
    pausaEntreCortes();

    c = aparar(c);
    if (c.startsWith(QLatin1Char('@')))
        return {};
    if (c.isEmpty() || !ehLetraOuDigitoAscii(c.front()))
        return {};
    while (!c.isEmpty() && (c.back() == u'.' || c.back() == u'\''))
        c.chop(1);
    pausaEntreCortes();

    completarTerminacao(c);
    // Every "?" went with the cut above.
    if (doisPontos) {
        const qsizetype posicao = c.indexOf(QLatin1Char(':'));
        if (posicao >= 0)
            c = c.mid(posicao + 1);
    }
    pausaEntreCortes();

    const qsizetype arroba = c.indexOf(QLatin1Char('@'));
    if (arroba < 0 || c.indexOf(QLatin1Char('.'), arroba) < 0)
        return {};
    if (terminaEmExtensaoDaWeb(c))
        return {};
    return c;
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

        QString candidato = limparCandidato(texto.mid(ini, fim - ini));
        base = arroba + 1;

        candidato = aparar(candidato);
        if (!candidato.isEmpty()) {
            resultado += candidato.toLower();
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

QString getEmailsUtf8(QByteArrayView utf8, qsizetype de, qsizetype ate)
{
    QString resultado;
    getEmailsUtf8(utf8, de, ate, [&resultado](const QString &endereco) {
        resultado += endereco;
        resultado += QLatin1String("\r\n");
    });
    return resultado;
}

void getEmailsUtf8(QByteArrayView utf8, qsizetype de, qsizetype ate,
                   const std::function<void(const QString &)> &aoEncontrar)
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
                }
                antesExato = true;
                break;
            }
            antes += u;
            ini = c;
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

        bool ascii = true;
        for (qsizetype k = ini; k < fim && ascii; ++k)
            ascii = d[k] < 0x80;
        QString bruto = ascii ? QString::fromLatin1(reinterpret_cast<const char *>(d + ini), fim - ini)
                              : QString::fromUtf8(reinterpret_cast<const char *>(d + ini), fim - ini);
        if (metadeNoInicio && !bruto.isEmpty())
            bruto.remove(0, 1);
        if (metadeNoFim && !bruto.isEmpty())
            bruto.chop(1);
        QString candidato = aparar(limparCandidato(bruto));
        base = arroba + 1;
        if (!candidato.isEmpty()) {
            aoEncontrar(candidato.toLower());
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
