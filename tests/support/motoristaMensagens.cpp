#include "support/motoristaMensagens.h"

#include "dialogs/unFrmMsg.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
const char *const kTratada = "vaspiraTesteTratada";
}

MotoristaMensagens::MotoristaMensagens()
    : mTimer(new QTimer(this))
{
    mTimer->setInterval(5);
    connect(mTimer, &QTimer::timeout, this, &MotoristaMensagens::verificar);
    mTimer->start();
}

MotoristaMensagens::~MotoristaMensagens() = default;

void MotoristaMensagens::aoAbrir(Acao acao)
{
    mAcoes.push_back(std::move(acao));
}

void MotoristaMensagens::clicar(const QString &botao)
{
    aoAbrir([botao](TfrmMsg *m) {
        auto *b = m->findChild<QPushButton *>(botao);
        QVERIFY2(b && b->isVisible(), qPrintable(QStringLiteral("sem botão ") + botao));
        QTest::mouseClick(b, Qt::LeftButton);
    });
}

void MotoristaMensagens::tecla(int tecla)
{
    aoAbrir([tecla](TfrmMsg *m) {
        QWidget *alvo = m->focusWidget() ? m->focusWidget() : m;
        QTest::keyClick(alvo, static_cast<Qt::Key>(tecla));
    });
}

void MotoristaMensagens::deixarFecharSozinha()
{
    aoAbrir([](TfrmMsg *) {});
}

int MotoristaMensagens::inesperadas() const
{
    int n = 0;
    for (const Vista &v : vistas)
        n += v.esperada ? 0 : 1;
    return n;
}

void MotoristaMensagens::verificar()
{
    const auto janelas = QApplication::topLevelWidgets();
    for (QWidget *w : janelas) {
        auto *m = qobject_cast<TfrmMsg *>(w);
        if (!m || !m->isVisible() || m->property(kTratada).toBool())
            continue;
        m->setProperty(kTratada, true);
        Vista v;
        v.tipo = m->tipoMSG();
        v.titulo = m->windowTitle();
        v.texto = m->mensagem();
        v.caixaDicaVisivel = m->ckbHide->isVisible();
        if (mAcoes.empty()) {
            v.esperada = false;
            vistas.append(v);
            qWarning("mensagem inesperada: %s", qPrintable(v.texto));
            m->done(2);
            continue;
        }
        vistas.append(v);
        Acao acao = std::move(mAcoes.front());
        mAcoes.pop_front();
        // Run from its own timer: an action that opens another message window
        // must leave this poll free to answer it.
        QPointer<TfrmMsg> janela(m);
        QTimer::singleShot(0, this, [janela, acao = std::move(acao)] {
            if (!janela)
                return;
            acao(janela);
            // A check that failed inside the action must not leave the test
            // waiting on a window nobody will close.
            if (QTest::currentTestFailed() && janela && janela->isVisible())
                janela->done(2);
        });
    }
}

void MotoristaMensagens::ignorar(TfrmMsg *janela)
{
    janela->setProperty(kTratada, true);
}

int MotoristaMensagens::fecharRestantes()
{
    int n = 0;
    const auto janelas = QApplication::topLevelWidgets();
    for (QWidget *w : janelas) {
        if (auto *m = qobject_cast<TfrmMsg *>(w); m && m->isVisible()) {
            m->done(2);
            ++n;
        }
    }
    return n;
}

void MotoristaMensagens::encerrar(MotoristaMensagens *&motorista)
{
    const int abertas = fecharRestantes();
    const int inesperadas = motorista ? motorista->inesperadas() : 0;
    const int pendentes = motorista ? motorista->acoesPendentes() : 0;
    delete motorista;
    motorista = nullptr;
    QVERIFY2(abertas == 0, "uma janela de mensagem ficou aberta");
    QVERIFY2(inesperadas == 0, "uma mensagem apareceu sem ser esperada");
    QVERIFY2(pendentes == 0, "uma resposta preparada não foi usada");
}
