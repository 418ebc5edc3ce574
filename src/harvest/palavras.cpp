#include "harvest/palavras.h"

#include "harvest/emails.h"
#include "harvest/listaResultados.h"
#include "harvest/textos.h"

namespace {

bool ehDelimitador(QChar c, bool ignorarEspacos)
{
    switch (c.unicode()) {
    case u'\t': case u'\n': case u'\r': case u'"': case u';': case u'<': case u'>':
        return true;
    case u' ':
        return !ignorarEspacos;
    default:
        return false;
    }
}

} // namespace

QString isolarTextoNaPosicao(QStringView texto, qsizetype aPos, bool ignorarEspacos,
                             qsizetype *fimPos)
{
    const qsizetype n = texto.size();
    aPos = qBound<qsizetype>(1, aPos, n + 1);
    qsizetype fim = aPos;
    while (fim <= n && !ehDelimitador(texto[fim - 1], ignorarEspacos))
        ++fim;
    qsizetype inicio = qMin(aPos, n);
    while (inicio >= 1 && !ehDelimitador(texto[inicio - 1], ignorarEspacos))
        --inicio;
    if (fimPos)
        *fimPos = fim;
    const qsizetype tamanho = fim - inicio - 1;
    if (tamanho <= 0)
        return QString();
    QString palavra = texto.mid(inicio, tamanho).toString();
    palavra.replace(QStringLiteral("\\/"), QStringLiteral("/"));
    return palavra;
}

QStringList varrerContendo(const QString &entrada, const QString &termo,
                           const AcompanhamentoContendo &acompanhamento, bool *parou)
{
    // The keyword is read like the text: one copied from a page may hold a
    // no-break space that the text no longer has.
    const QString texto = normalizarEspacos(entrada);
    const QString valor = normalizarEspacos(termo);
    QStringList resultado;
    if (parou)
        *parou = false;
    qsizetype posicao = 1;
    for (;;) {
        if (acompanhamento.aoAvancar)
            acompanhamento.aoAvancar();
        if (acompanhamento.cancelado && acompanhamento.cancelado()) {
            if (parou)
                *parou = true;
            break;
        }
        if (valor.isEmpty() || posicao > texto.size())
            break;
        const qsizetype ocorrencia = texto.indexOf(valor, posicao - 1);
        if (ocorrencia < 0)
            break;
        qsizetype fim = 0;
        QString palavra = isolarTextoNaPosicao(texto, ocorrencia + 1 + valor.size(), false, &fim);
        if (palavra.contains(u'@') && !palavra.startsWith(u'@'))
            palavra = tratarEmail(palavra);
        if (!palavra.isEmpty()) {
            if (palavra.endsWith(u"..."))
                palavra.chop(3);
            if (palavra.endsWith(u'.'))
                palavra.chop(1);
            palavra = aparar(palavra);
            resultado.append(palavra);
            if (acompanhamento.aoAdicionar)
                acompanhamento.aoAdicionar(palavra);
        }
        // Go on right after the word's delimiter: lines separated by a lone
        // LF would otherwise lose every second record.
        posicao = fim + 1;
    }
    return resultado;
}

QStringList varrerEntre(const QString &entrada, const QString &marcadorInicio, const QString &marcadorFim,
                        const std::function<bool()> &aoAvancar,
                        const std::function<void(const QString &)> &aoAdicionar)
{
    const QString texto = normalizarEspacos(entrada);
    const QString valori = normalizarEspacos(marcadorInicio);
    const QString valorf = normalizarEspacos(marcadorFim);
    const QStringView vista(texto);
    const qsizetype n = texto.size();
    const qsizetype m = valori.size();
    const qsizetype f = valorf.size();
    QStringList resultado;

    // The buffer is always a stretch of the text ending at i, so it is kept
    // as its start index and compared in place.
    bool capturando = false;
    qsizetype inicioBuffer = 0;
    // The window can only equal the marker when its last characters agree;
    // checking that first keeps the scan at one cheap test per character.
    const char32_t ultimoInicio = m > 0 ? QChar::toCaseFolded(valori.back().unicode()) : 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (aoAvancar && !aoAvancar())
            break;
        if (!capturando) {
            const qsizetype inicioJanela = qMax(inicioBuffer, i + 1 - m);
            if (i + 1 - inicioJanela == m
                && (m == 0 || QChar::toCaseFolded(vista[i].unicode()) == ultimoInicio)
                && vista.mid(inicioJanela, m).compare(valori, Qt::CaseInsensitive) == 0) {
                capturando = true;
                inicioBuffer = i + 1;
            }
        } else if (f > 0 && vista[i] == valorf.back() && i + 1 - inicioBuffer >= f
                   && vista.mid(i + 1 - f, f) == valorf) {
            // The end marker was just found at the buffer's end; that is the
            // one removed, not an earlier look-alike in another case.
            const QString peca = aparar(vista.mid(inicioBuffer, i + 1 - f - inicioBuffer));
            resultado.append(peca);
            if (aoAdicionar)
                aoAdicionar(peca);
            capturando = false;
            inicioBuffer = i + 1;
        }
    }
    return resultado;
}

namespace {

void relatarContagens(const RelatorDeVarredura &relator, qint64 contagem, const ListaResultados &lista)
{
    relatarContagens(relator, QStringLiteral("Total de ocorrências neste arquivo: "), contagem, lista);
}

// Adds one result of a wizard scan; the counts show after every tenth.
void adicionarContando(const QString &resultado, qint64 &contagem, ListaResultados &lista,
                       const RelatorDeVarredura &relator)
{
    lista.adicionar(resultado);
    if (++contagem % 10 == 0)
        relatarContagens(relator, contagem, lista);
}

// The end of a wizard scan: the stop message, or the counts once more.
void terminar(const RelatorDeVarredura &relator, bool cancelou, qint64 contagem, const ListaResultados &lista,
              bool *parou)
{
    if (cancelou && relator.informar)
        relator.informar(QStringLiteral("Interrompido por sua solicitação"));
    else if (!cancelou)
        relatarContagens(relator, contagem, lista);
    if (parou)
        *parou = cancelou;
}

} // namespace

void extrairContendoParaLista(const QString &texto, const QString &valor, ListaResultados &lista,
                              const RelatorDeVarredura &relator, bool *parou)
{
    qint64 posicao = 0;
    if (relator.progresso)
        relator.progresso(texto.size(), 0);
    if (relator.status)
        relator.status(QStringLiteral("Extraindo textos contendo: \"") + valor + QLatin1Char('"'));
    qint64 contagem = 0;
    AcompanhamentoContendo acompanhamento;
    acompanhamento.aoAvancar = [&] {
        if (relator.progresso)
            relator.progresso(texto.size(), ++posicao);
    };
    acompanhamento.cancelado = [&] { return relator.parar && relator.parar(); };
    acompanhamento.aoAdicionar = [&](const QString &palavra) { adicionarContando(palavra, contagem, lista, relator); };
    bool cancelou = false;
    varrerContendo(texto, valor, acompanhamento, &cancelou);
    terminar(relator, cancelou, contagem, lista, parou);
}

void getTextoEntreParaLista(const QString &texto, const QString &valori, const QString &valorf,
                            ListaResultados &lista, const RelatorDeVarredura &relator, bool *parou)
{
    if (relator.status)
        relator.status(QStringLiteral("Localizando textos entre \"") + valori + QStringLiteral("\" e \"")
                       + valorf + QLatin1Char('"'));
    if (relator.progresso)
        relator.progresso(texto.size(), 0);
    qint64 posicao = 0;
    qint64 contagem = 0;
    bool cancelou = false;
    varrerEntre(
        texto, valori, valorf,
        [&] {
            if (relator.progresso)
                relator.progresso(texto.size(), ++posicao);
            if (relator.parar && relator.parar()) {
                cancelou = true;
                return false;
            }
            return true;
        },
        [&](const QString &peca) { adicionarContando(peca, contagem, lista, relator); });
    terminar(relator, cancelou, contagem, lista, parou);
}
