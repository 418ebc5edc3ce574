#include "app/janelas.h"
#include "app/pausa.h"
#include "app/unFrmPrincipal.h"
#include "dialogs/erroVaspira.h"
#include "support/mainGui.h"
#include "support/motoristaMensagens.h"
#include "workspace/unFrmExtrairNavegador.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

class TstPrincipal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controlesECaptions();
    void fecharPergunta_data();
    void fecharPergunta();
    void duasVezesDaWebDaoDoisWorkspaces();
    void pausarSegundos_data();
    void pausarSegundos();
    void pausaComVariacao();
    void relatorioGeralDeErros();

private:
    TfrmPrincipal *principal = nullptr;
    MotoristaMensagens *m = nullptr;
};

void TstPrincipal::init()
{
    principal = new TfrmPrincipal;
    principal->show();
    m = new MotoristaMensagens;
}

void TstPrincipal::cleanup()
{
    delete principal;
    MotoristaMensagens::encerrar(m);
}

void TstPrincipal::controlesECaptions()
{
    QCOMPARE(principal->windowTitle(), QStringLiteral("Vaspira"));
    const QList<QPair<const char *, const char *>> botoes = {
        {"btnDaweb", "Da web"}, {"btnColando", "Colando"}, {"btnDeArquivos", "De arquivos"}};
    for (const auto &[nome, texto] : botoes) {
        auto *b = principal->findChild<QPushButton *>(nome);
        QVERIFY2(b, nome);
        QCOMPARE(b->text(), QString::fromUtf8(texto));
    }
    const QList<QPair<const char *, const char *>> barra = {
        {"btnNotes", "Anotações"}, {"SpeedButton1", "Tutoriais"}, {"btnSair", "Sair"}};
    for (const auto &[nome, texto] : barra) {
        auto *b = principal->findChild<QToolButton *>(nome);
        QVERIFY2(b, nome);
        QCOMPARE(b->text(), QString::fromUtf8(texto));
    }
    QVERIFY(!principal->findChild<QWidget *>("pnAtualizacao")->isVisible());
    QCOMPARE(principal->findChild<QAction *>("Exibirdicasdeuso1")->text(),
             QStringLiteral("Exibir dicas de uso"));
    QCOMPARE(principal->findChild<QAction *>("Fechar1")->text(), QStringLiteral("Fechar o sistema"));
    QVERIFY(principal->gIniciou);
    QVERIFY(principal->tmStart->isActive());
    QCOMPARE(principal->tmStart->interval(), 3000);
    QCOMPARE(principal->tmIniciarNavegadores->interval(), 2000);
    QCOMPARE(principal->GetMonitorScale(), 100);
}

void TstPrincipal::fecharPergunta_data()
{
    QTest::addColumn<bool>("pelaOpcao");
    QTest::addColumn<QString>("resposta");
    QTest::addColumn<bool>("fecha");
    QTest::newRow("Sair, Não") << false << "btnCancelar" << false;
    QTest::newRow("Sair, Esc") << false << "esc" << false;
    QTest::newRow("Sair, Sim") << false << "btnOk" << true;
    QTest::newRow("Fechar o sistema, Não") << true << "btnCancelar" << false;
    QTest::newRow("Fechar o sistema, Sim") << true << "btnOk" << true;
}

void TstPrincipal::fecharPergunta()
{
    QFETCH(bool, pelaOpcao);
    QFETCH(QString, resposta);
    QFETCH(bool, fecha);

    TfrmExtrairNavegador *frm = principal->extrairColando();
    QPointer<TfrmExtrairNavegador> ref(frm);
    if (resposta == u"esc")
        m->tecla(Qt::Key_Escape);
    else
        m->clicar(resposta);
    if (pelaOpcao)
        principal->findChild<QAction *>("Fechar1")->trigger();
    else
        QTest::mouseClick(principal->findChild<QToolButton *>("btnSair"), Qt::LeftButton);

    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].tipo, 4);
    QCOMPARE(m->vistas[0].texto, QStringLiteral("Fechar o sistema?"));
    QCOMPARE(principal->isVisible(), !fecha);
    QVERIFY(ref);
    if (!fecha)
        QVERIFY(frm->isVisible());
}

void TstPrincipal::duasVezesDaWebDaoDoisWorkspaces()
{
    auto *daWeb = principal->findChild<QPushButton *>("btnDaweb");
    QTest::mouseClick(daWeb, Qt::LeftButton);
    TfrmExtrairNavegador *primeiro = janelas().frmExtrairNavegador;
    QTest::mouseClick(daWeb, Qt::LeftButton);
    TfrmExtrairNavegador *segundo = janelas().frmExtrairNavegador;
    QVERIFY(primeiro && segundo && primeiro != segundo);
    QCOMPARE(principal->mdiArea->subWindowList().size(), 2);
    for (TfrmExtrairNavegador *frm : {primeiro, segundo}) {
        QCOMPARE(frm->gModoExtracao, QStringLiteral("web"));
        QCOMPARE(frm->pgcDados->currentIndex(), 0);
        QVERIFY(!frm->pgcDados->isTabVisible(1));
        QVERIFY(frm->pgcDados->isTabVisible(2));
    }
    QVERIFY(principal->tmIniciarNavegadores->isActive());

    // The older workspace stays open when the reference moves on.
    segundo->btnCancelar->click();
    QTRY_VERIFY(!janelas().frmExtrairNavegador);
    QCOMPARE(principal->mdiArea->subWindowList().size(), 1);
}

void TstPrincipal::pausarSegundos_data()
{
    QTest::addColumn<double>("segundos");
    QTest::addColumn<int>("dormido");
    QTest::addColumn<int>("bombeamentos");
    QTest::newRow("0 retorna") << 0.0 << 0 << 0;
    QTest::newRow("0,05 retorna") << 0.05 << 0 << 0;
    QTest::newRow("-3 retorna") << -3.0 << 0 << 0;
    QTest::newRow("0,5 são cinco passos") << 0.5 << 500 << 5;
    QTest::newRow("1 são dez passos") << 1.0 << 1000 << 10;
    QTest::newRow("1,5 espera 1 segundo") << 1.5 << 1010 << 101;
    QTest::newRow("2,7 espera 2 segundos") << 2.7 << 2010 << 201;
}

void TstPrincipal::pausarSegundos()
{
    QFETCH(double, segundos);
    QFETCH(int, dormido);
    QFETCH(int, bombeamentos);
    qint64 agora = 0;
    int bombeou = 0;
    RelogioPausa r;
    r.agoraMs = [&] { return agora; };
    r.dormirMs = [&](int ms) { agora += ms; };
    r.bombear = [&] { ++bombeou; };
    pausar(segundos, r);
    QCOMPARE(agora, qint64(dormido));
    QCOMPARE(bombeou, bombeamentos);
}

void TstPrincipal::pausaComVariacao()
{
    qint64 agora = 0;
    RelogioPausa r;
    r.agoraMs = [&] { return agora; };
    r.dormirMs = [&](int ms) { agora += ms; };
    r.bombear = [] {};
    r.acaso = [](int n) { return n - 1; };
    pausar(1, r);
    QCOMPARE(agora, qint64(10 * 124));
    agora = 0;
    r.acaso = [](int) { return 0; };
    pausar(1, r);
    QCOMPARE(agora, qint64(1000));
}

namespace {
class Explode : public QObject
{
public:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw ErroVaspira(QStringLiteral("Falha de teste"));
        return QObject::event(e);
    }
};
} // namespace

void TstPrincipal::relatorioGeralDeErros()
{
    Explode alvo;
    m->clicar(QStringLiteral("btnOk"));
    QEvent evento(QEvent::User);
    QCoreApplication::sendEvent(&alvo, &evento);
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].tipo, 2);
    QCOMPARE(m->vistas[0].texto, QStringLiteral("Falha de teste"));
}

VASPIRA_GUI_TEST_MAIN(TstPrincipal)
#include "tst_principal.moc"
