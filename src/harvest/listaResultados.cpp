#include "harvest/listaResultados.h"

#include "harvest/mesclagem.h"

ListaResultados::ListaResultados()
    : mCollator(collatorDeResultados())
{
}

bool ListaResultados::adicionar(const QString &linha)
{
    QString dobrada = linha.toCaseFolded();
    if (mDobradas.contains(dobrada))
        return false;
    // Lines that differ after case folding may still be one line to the
    // collation (a soft hyphen, a decomposed accent), which also sorts them.
    const auto [posicao, nova] = mOrdem.insert(Entrada{mCollator.sortKey(linha), mLinhas.size()});
    if (!nova)
        return false;
    mPosicoes.push_back(posicao);
    mDobradas.insert(std::move(dobrada));
    mLinhas.append(linha);
    return true;
}

QStringList ListaResultados::ordenadas() const
{
    QStringList resultado;
    resultado.reserve(mLinhas.size());
    for (const Entrada &e : mOrdem)
        resultado.append(mLinhas[e.indice]);
    return resultado;
}

void ListaResultados::voltarA(qsizetype marca)
{
    while (mLinhas.size() > qMax<qsizetype>(marca, 0)) {
        mOrdem.erase(mPosicoes.back());
        mPosicoes.pop_back();
        mDobradas.remove(mLinhas.back().toCaseFolded());
        mLinhas.removeLast();
    }
}

void relatarContagens(const RelatorDeVarredura &relator, const QString &rotulo, qint64 contagem,
                      const ListaResultados &lista)
{
    if (relator.contagens)
        relator.contagens(rotulo + QString::number(contagem),
                          QStringLiteral("Não repetidos: ") + QString::number(lista.tamanho()));
}
