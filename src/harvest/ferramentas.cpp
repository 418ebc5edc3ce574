#include "harvest/ferramentas.h"

#include "harvest/textos.h"

QStringList excluirLinhasContendo(const QStringList &linhas, const QString &valor)
{
    if (valor.isEmpty())
        return linhas;
    QStringList mantidas;
    mantidas.reserve(linhas.size());
    for (const QString &l : linhas) {
        if (!l.contains(valor))
            mantidas.append(l);
    }
    return mantidas;
}

QString excluirTextoEntreNaLinha(const QString &linha, const QString &valori,
                                 const QString &valorf)
{
    const QString inicioMinusculo = valori.toLower();
    QString atual = linha;
    QString buffer;
    bool procurandoFim = false;
    for (const QChar c : linha) {
        buffer += c;
        if (!procurandoFim) {
            if (buffer.size() > valori.size())
                buffer.remove(0, 1);
            if (buffer.toLower() == inicioMinusculo) {
                buffer.clear();
                procurandoFim = true;
            }
        } else if (!valorf.isEmpty() && buffer.endsWith(valorf)) {
            // Checked after every character, so the end marker can only
            // have just appeared at the buffer's end.
            const QString peca = valori + buffer;
            const qsizetype pos = atual.indexOf(peca, 0, Qt::CaseInsensitive);
            if (pos >= 0)
                atual.remove(pos, peca.size());
            atual = aparar(atual);
            buffer.clear();
            procurandoFim = false;
        }
    }
    return atual;
}

QString substituirSemCaixa(const QString &texto, const QString &de, const QString &por)
{
    if (de.isEmpty())
        return texto;
    QString resultado = texto;
    return resultado.replace(de, por, Qt::CaseInsensitive);
}

QString linhaCapturada(const QString &areaDeTransferencia)
{
    QString texto = aparar(areaDeTransferencia);
    if (texto.isEmpty())
        return texto;
    normalizarQuebras(texto);
    texto.replace(QLatin1Char('\n'), QLatin1Char(';'));
    texto.remove(QLatin1Char('~'));
    return texto;
}
