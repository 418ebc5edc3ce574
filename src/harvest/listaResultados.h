#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// A run-wide result list: repeats ignored without regard to case, the first
// spelling met kept; sorted by the results collation when read.
class ListaResultados
{
public:
    // True when the line was new.
    bool adicionar(const QString &linha);
    qsizetype tamanho() const { return mLinhas.size(); }
    void limpar();
    QStringList ordenadas() const;

private:
    QSet<QString> mChaves;
    QStringList mLinhas;
};

// How a scan over documents reports to its window; every member may be empty.
struct RelatorDeVarredura {
    std::function<void(const QString &)> status;                       // lbStatus
    std::function<void(const QString &, const QString &)> contagens;   // lbStatus2, lbStatus3
    std::function<void(qint64 maximo, qint64 posicao)> progresso;      // progress1
    std::function<bool()> parar;                                       // gParar
    std::function<void(const QString &)> informar;                     // msgInformacao
    std::function<void()> bombear;
};
