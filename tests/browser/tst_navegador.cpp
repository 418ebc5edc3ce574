#include "app/janelas.h"
#include "app/unFrmPrincipal.h"
#include "browser/unFrmEdge.h"
#include "browser/unFrmInstalarWebview.h"
#include "support/mainGui.h"
#include "support/motoristaMensagens.h"
#include "support/servidorHttp.h"
#include "workspace/unFrmExtrairNavegador.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWebEngineView>

// End to end in the real browser view, against pages served on 127.0.0.1.
class TstNavegador : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void inicioGravaMarcaEFechaInstalacao();
    void textoChegaComoAPaginaTem();
    void novaJanelaAbreNaMesmaVista();
    void tresPassesComCliques_data();
    void tresPassesComCliques();
    void pararNosCliquesDoSegundoPasse();
    void pontoDeCliqueMalFormado();
    void tamanhoDoNavegadorTemLimites_data();
    void tamanhoDoNavegadorTemLimites();
    void ofertaDeInstalacaoUmaVez();
    void instaladorQueNaoIniciaNaoFingeSucesso();
    void protecaoDeContaParaORun();
    void paginaQueNaoRespondeEncerraORun();

private:
    TfrmExtrairNavegador *workspaceWeb();
    void abrir(const QString &caminho);

    ServidorHttp *servidor = nullptr;
    TfrmPrincipal *principal = nullptr;
    MotoristaMensagens *m = nullptr;
    QPointer<TfrmExtrairNavegador> ws;
};

namespace {
const QByteArray kLista = R"HTML(<html><body style="margin:0">
<div id="lista" style="position:absolute;left:0;top:200px"><p>ana@pagina1.com.br</p></div>
<button id="prox" style="position:absolute;left:100px;top:100px;width:120px;height:40px" onclick="proxima()">Próxima</button>
<script>var pagina=1;function proxima(){pagina++;var a=String.fromCharCode(64);document.getElementById('lista').innerHTML='<p>pessoa'+pagina+a+'pagina'+pagina+'.com.br</p>';}</script>
</body></html>)HTML";
}

void TstNavegador::initTestCase()
{
    servidor = new ServidorHttp(this);
    QVERIFY(servidor->iniciar());
    servidor->pagina("/lista.html", kLista);
    servidor->pagina("/texto.html", QByteArray("<html><body><p>Escreva para ana+news@example.com ou \"Bia\" "
                                               "&lt;bia@x.com&gt; &#x2014; ação 😀</p></body></html>"));
    servidor->pagina("/blank.html", "<html><body style=\"margin:0\"><a target=\"_blank\" href=\"/destino.html\" "
                                    "style=\"position:absolute;left:0;top:0;width:300px;height:80px;display:block\">"
                                    "abrir</a></body></html>");
    servidor->pagina("/surrogate.html", "<html><body><p id=\"p\"></p><script>document.getElementById('p')"
                                        ".textContent='x@y.com \\uD83D fim';</script></body></html>");
    servidor->pagina("/protecao.html", "<html><body><p>x@conta.com.br</p><p>Ajude-nos a confirmar que esta "
                                       "conta é sua</p></body></html>");
    servidor->pagina("/destino.html", "<html><body><p>destino@x.com</p></body></html>");
    servidor->pagina("/trava.html", "<html><body style=\"margin:0\"><p>x@trava.com.br</p><button "
                                    "style=\"position:absolute;left:100px;top:100px;width:120px;height:40px\" "
                                    "onclick=\"while(true){}\">travar</button></body></html>");

    principal = new TfrmPrincipal;
    principal->resize(1400, 900);
    principal->show();
    janelas().frmPrincipal = principal;
}

void TstNavegador::cleanupTestCase()
{
    delete principal;
}

void TstNavegador::init()
{
    m = new MotoristaMensagens;
}

void TstNavegador::cleanup()
{
    if (ws)
        delete ws->parentWidget();
    MotoristaMensagens::encerrar(m);
}

TfrmExtrairNavegador *TstNavegador::workspaceWeb()
{
    ws = principal->extrairDaWeb();
    principal->tmIniciarNavegadores->stop();
    return ws;
}

void TstNavegador::abrir(const QString &caminho)
{
    TfrmEdge *nav = janelas().frmNavegador;
    QVERIFY(nav);
    bool carregou = false;
    auto c = connect(nav->web, &QWebEngineView::loadFinished, this, [&](bool ok) { carregou = ok; });
    QVERIFY(nav->navegar(servidor->endereco(caminho)));
    QTRY_VERIFY_WITH_TIMEOUT(carregou, 15000);
    disconnect(c);
}

void TstNavegador::inicioGravaMarcaEFechaInstalacao()
{
    const QString marca = pastaDeTeste() + "webview_status.txt";
    QVERIFY(!QFile::exists(marca));
    // The start-up waits inside its own handler; a timer sees what shows
    // meanwhile.
    bool viuInstalacao = false;
    QTimer vigia;
    vigia.setInterval(20);
    connect(&vigia, &QTimer::timeout, this, [&] {
        if (TfrmInstalarWebview *j = janelas().frmInstalarWebview; j && j->isVisible())
            viuInstalacao = true;
    });
    vigia.start();
    QTest::mouseClick(principal->findChild<QPushButton *>("btnDaweb"), Qt::LeftButton);
    ws = janelas().frmExtrairNavegador;
    QTRY_VERIFY_WITH_TIMEOUT(janelas().frmNavegador && janelas().frmNavegador->gIniciou, 30000);
    // No marker yet: the installation window showed while the browser started.
    QVERIFY(viuInstalacao);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marca), 10000);
    QTRY_VERIFY(!janelas().frmInstalarWebview);
    QFile f(marca);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("webview_ok=true\r\n"));

    // A second "Da web" makes no second browser window.
    TfrmEdge *primeiro = janelas().frmNavegador;
    delete ws->parentWidget();
    workspaceWeb();
    principal->tmIniciarNavegadores->start(0);
    QTest::qWait(100);
    QCOMPARE(janelas().frmNavegador.data(), primeiro);
    QCOMPARE(principal->findChildren<TfrmEdge *>().size(), 1);
    // The browser window refuses to close.
    qobject_cast<QMdiSubWindow *>(primeiro->parentWidget())->close();
    QVERIFY(janelas().frmNavegador);
}

void TstNavegador::textoChegaComoAPaginaTem()
{
    abrir("/texto.html");
    TfrmEdge *nav = janelas().frmNavegador;
    const QString texto = nav->getTextoNavegador();
    QVERIFY(!nav->gNavegadorOutput.isEmpty());
    QCOMPARE(texto, QStringLiteral("Escreva para ana+news@example.com ou \"Bia\" <bia@x.com> — ação 😀"));
    QVERIFY(nav->getFonteNavegador().contains(QStringLiteral("ana+news@example.com")));

    // A post cut inside an emoji still reads, the broken half replaced.
    abrir("/surrogate.html");
    QCOMPARE(nav->getTextoNavegador(), QStringLiteral("x@y.com \uFFFD fim"));
}

void TstNavegador::novaJanelaAbreNaMesmaVista()
{
    abrir("/blank.html");
    TfrmEdge *nav = janelas().frmNavegador;
    nav->cliqueNavegador(20, 20, 0);
    QTRY_COMPARE_WITH_TIMEOUT(nav->web->url().path(), QStringLiteral("/destino.html"), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(nav->getTextoNavegador().contains(QStringLiteral("destino@x.com")), 15000);
}

void TstNavegador::tresPassesComCliques_data()
{
    QTest::addColumn<bool>("fonte");
    QTest::newRow("texto da página") << false;
    QTest::newRow("código-fonte") << true;
}

void TstNavegador::tresPassesComCliques()
{
    QFETCH(bool, fonte);
    abrir("/lista.html");
    TfrmExtrairNavegador *frm = workspaceWeb();
    frm->rdbEmails->setChecked(true);
    (fonte ? frm->rdbPegarFonte : frm->rdbPegarTexto)->setChecked(true);
    frm->edtRepetir->setText(QStringLiteral("3"));
    frm->edtCliqueVezes->setText(QStringLiteral("1"));
    frm->edtPontoClique->setText(QStringLiteral("150,120"));
    QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
    QCOMPARE(frm->mmoDados->toPlainText(),
             QStringLiteral("ana@pagina1.com.br\npessoa2@pagina2.com.br\npessoa3@pagina3.com.br\n"));
    QVERIFY(frm->pnProgresso->isHidden());
    QVERIFY(frm->btnExtrairDados->isEnabled());
}

void TstNavegador::pararNosCliquesDoSegundoPasse()
{
    abrir("/lista.html");
    TfrmExtrairNavegador *frm = workspaceWeb();
    frm->rdbEmails->setChecked(true);
    frm->edtRepetir->setText(QStringLiteral("5"));
    frm->edtCliqueVezes->setText(QStringLiteral("2"));
    frm->edtPontoClique->setText(QStringLiteral("150,120"));
    // "Parar" as soon as pass 2 has merged and made its first click.
    bool parou = false;
    QTimer vigia;
    vigia.setInterval(0);
    connect(&vigia, &QTimer::timeout, this, [&] {
        if (!parou && frm->progress1->value() == 2 && frm->mmoDados->toPlainText().count(u'\n') == 2) {
            parou = true;
            QTest::mouseClick(frm->btnCancelarExtracao, Qt::LeftButton);
        }
    });
    vigia.start();
    QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
    vigia.stop();
    QVERIFY(parou);
    QCOMPARE(frm->mmoDados->toPlainText().count(u'\n'), 2);
    QVERIFY(frm->mmoDados->toPlainText().startsWith(QStringLiteral("ana@pagina1.com.br\n")));
}

void TstNavegador::pontoDeCliqueMalFormado()
{
    TfrmExtrairNavegador *frm = workspaceWeb();
    frm->rdbEmails->setChecked(true);
    frm->edtCliqueVezes->setText(QStringLiteral("1"));
    frm->edtPontoClique->setText(QStringLiteral("150"));
    m->clicar(QStringLiteral("btnOk"));
    QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].texto,
             QStringLiteral("O ponto de clique deve ter dois números inteiros separados por vírgula, por exemplo 640,480"));
    QCOMPARE(frm->mmoDados->toPlainText(), QString());
    QVERIFY(frm->btnExtrairDados->isEnabled());
}

void TstNavegador::tamanhoDoNavegadorTemLimites_data()
{
    QTest::addColumn<QString>("tamanho");
    QTest::addColumn<bool>("muda");
    QTest::newRow("800,600") << "800,600" << true;
    QTest::newRow("99,600 pequeno") << "99,600" << false;
    QTest::newRow("20000,600 grande") << "20000,600" << false;
    QTest::newRow("texto") << "abc" << false;
}

void TstNavegador::tamanhoDoNavegadorTemLimites()
{
    QFETCH(QString, tamanho);
    QFETCH(bool, muda);
    TfrmExtrairNavegador *frm = workspaceWeb();
    QWidget *janela = janelas().frmNavegador->parentWidget();
    janela->resize(700, 500);
    frm->TravarJanelaNavegador(tamanho);
    QCOMPARE(janela->size() == QSize(800, 600), muda);
    if (!muda)
        QCOMPARE(janela->size(), QSize(700, 500));
}

void TstNavegador::ofertaDeInstalacaoUmaVez()
{
    TfrmEdge *nav = janelas().frmNavegador;
    if (TfrmInstalarWebview *janela = janelas().frmInstalarWebview)
        janela->close();
    QTRY_VERIFY(!janelas().frmInstalarWebview);
    principal->gTentouInstalarWebView = false;
    m->clicar(QStringLiteral("btnCancelar"));
    m->clicar(QStringLiteral("btnOk"));
    nav->instalarWebView();
    QCOMPARE(m->vistas.size(), 2);
    QCOMPARE(m->vistas[1].texto,
             QStringLiteral("Entendi... Sem instalar o componente de navegação da Microsoft, este software não terá utilidade"));
    nav->instalarWebView();
    QCOMPARE(m->vistas.size(), 2);
    QVERIFY(!janelas().frmInstalarWebview);
}

void TstNavegador::instaladorQueNaoIniciaNaoFingeSucesso()
{
    const QString marca = pastaDeTeste() + "webview_status.txt";
    QFile::remove(marca);
    auto anterior = TfrmInstalarWebview::iniciarInstalador();
    TfrmInstalarWebview::iniciarInstalador() = [](const QString &, QString &erro) {
        erro = QStringLiteral("sem terminal");
        return false;
    };
    QPointer<TfrmInstalarWebview> janela = abrirJanelaDeInstalacao();
    m->clicar(QStringLiteral("btnOk"));
    QTest::mouseClick(janela->btnInstalar, Qt::LeftButton);
    TfrmInstalarWebview::iniciarInstalador() = anterior;
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].texto, QStringLiteral("Não foi possível iniciar a instalação do módulo web: sem terminal"));
    QVERIFY(!QFile::exists(marca));
    QVERIFY(janela && janela->btnInstalar->isEnabled());

    // Closing with the box ticked writes the marker; unticked it does not.
    janela->ckbNaoExibir->setChecked(true);
    QTest::mouseClick(janela->btnOk, Qt::LeftButton);
    QTRY_VERIFY(!janela);
    QVERIFY(QFile::exists(marca));
}

void TstNavegador::protecaoDeContaParaORun()
{
    abrir("/protecao.html");
    TfrmExtrairNavegador *frm = workspaceWeb();
    frm->rdbEmails->setChecked(true);
    frm->edtRepetir->setText(QStringLiteral("2"));
    m->clicar(QStringLiteral("btnOk"));
    QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
    // The help message, then a quiet end: nothing harvested from that page.
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].tipo, 6);
    QVERIFY(m->vistas[0].texto.startsWith(QStringLiteral("Erro: O sistema de proteção de dados do Instagram foi ativado.")));
    QCOMPARE(frm->mmoDados->toPlainText(), QString());
    QVERIFY(frm->btnExtrairDados->isEnabled());
    QVERIFY(frm->pnProgresso->isHidden());
}

void TstNavegador::paginaQueNaoRespondeEncerraORun()
{
    // Last: the page's renderer stays busy for good.
    abrir("/trava.html");
    TfrmExtrairNavegador *frm = workspaceWeb();
    frm->rdbEmails->setChecked(true);
    frm->edtRepetir->setText(QStringLiteral("3"));
    frm->edtCliqueVezes->setText(QStringLiteral("1"));
    frm->edtPontoClique->setText(QStringLiteral("150,120"));
    m->clicar(QStringLiteral("btnOk"));
    QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].texto, QStringLiteral("O navegador não respondeu a tempo. A extração foi interrompida."));
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("x@trava.com.br\n"));
}

VASPIRA_GUI_TEST_MAIN(TstNavegador)
#include "tst_navegador.moc"
