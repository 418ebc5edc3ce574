#pragma once

#include <QCollator>
#include <QCollatorSortKey>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <set>
#include <vector>

// A run-wide result list: repeats ignored under the results collation (letter
// case ignored), the first spelling met kept; read in that collation's order.
class ListaResultados
{
public:
    ListaResultados();

    // True when the line was new.
    bool adicionar(const QString &linha);
    qsizetype tamanho() const { return mLinhas.size(); }
    QStringList ordenadas() const;

    // Lines added after a mark can be taken back, so that a file that fails
    // part-way adds nothing.
    qsizetype marca() const { return mLinhas.size(); }
    void voltarA(qsizetype marca);

private:
    struct Entrada {
        QCollatorSortKey chave;
        qsizetype indice;
    };
    struct PorChave {
        bool operator()(const Entrada &a, const Entrada &b) const { return a.chave.compare(b.chave) < 0; }
    };

    QCollator mCollator;
    // Case-folded lines held: most repeats are found here without a sort key.
    QSet<QString> mDobradas;
    std::set<Entrada, PorChave> mOrdem;
    // Where each line, in the order added, stands in mOrdem.
    std::vector<std::set<Entrada, PorChave>::iterator> mPosicoes;
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

// The counts of a scan over documents: `rotulo` and this file's count
// (lbStatus2), and the size of the run's list (lbStatus3).
void relatarContagens(const RelatorDeVarredura &relator, const QString &rotulo, qint64 contagem,
                      const ListaResultados &lista);
