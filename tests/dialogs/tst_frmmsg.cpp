#include "dialogs/erroVaspira.h"
#include "dialogs/mensagens.h"
#include "dialogs/unFrmMsg.h"
#include "storage/arquivoTexto.h"
#include "support/mainGui.h"
#include "support/motoristaMensagens.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

class TstFrmMsg : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tiposDeMensagem_data();
    void tiposDeMensagem();
    void respostasDaPergunta_data();
    void respostasDaPergunta();
    void enterNaPerguntaNaoFaz();
    void fechaSozinhaComSete();
    void barraInvertidaNViraQuebra();
    void alturaDaAjuda();
    void rodaRolaUmDecimo();
    void dicaOcultadaNaoVolta();
    void dicaBuscaIdSemCaixaValorComCaixa();
    void dicaGuardaOutrasLinhasEMarca();
    void arquivoDeDicasComFalha();

private:
    QString tipfile() const { return pastaDeTeste() + "tipfile.txt"; }
    MotoristaMensagens *m = nullptr;
};

void TstFrmMsg::init()
{
    m = new MotoristaMensagens;
    QFile::remove(tipfile());
}

void TstFrmMsg::cleanup()
{
    MotoristaMensagens::encerrar(m);
}

void TstFrmMsg::tiposDeMensagem_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<bool>("cancelarVisivel");
    QTest::newRow("informação") << 1 << "Informação" << "Ok" << false;
    QTest::newRow("erro") << 2 << "Erro" << "Ok" << false;
    QTest::newRow("aviso") << 3 << "Aviso" << "Ok" << false;
    QTest::newRow("pergunta") << 4 << "Pergunta" << "&Sim" << true;
    QTest::newRow("dica") << 5 << "Dica" << "Ok" << false;
    QTest::newRow("ajuda") << 6 << "Ajuda" << "Ok" << false;
}

void TstFrmMsg::tiposDeMensagem()
{
    QFETCH(int, tipo);
    QFETCH(QString, titulo);
    QFETCH(QString, ok);
    QFETCH(bool, cancelarVisivel);

    bool conferiu = false;
    m->aoAbrir([&](TfrmMsg *frm) {
        QCOMPARE(frm->windowTitle(), titulo);
        QCOMPARE(frm->btnOk->text(), ok);
        QCOMPARE(frm->btnCancelar->isVisible(), cancelarVisivel);
        if (cancelarVisivel)
            QCOMPARE(frm->btnCancelar->text(), QStringLiteral("&Não"));
        QCOMPARE(frm->ckbHide->isVisible(), tipo == TfrmMsg::Dica);
        QVERIFY(frm->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!frm->Image1->pixmap().isNull());
        QCOMPARE(frm->Image1->pixmap().size(), QSize(80, 80));
        QCOMPARE(frm->size(), QSize(740, 249));
        conferiu = true;
        QTest::keyClick(frm, Qt::Key_Escape);
    });
    const QString texto = QStringLiteral("Mensagem de teste");
    switch (tipo) {
    case 1: msgInformacao(texto); break;
    case 2: msgErro(texto); break;
    case 3: msgAviso(texto); break;
    case 4: msgPergunta(texto); break;
    case 5: msgDica(QStringLiteral("dicaTipos"), texto, 249); break;
    case 6: msgAjuda(texto); break;
    }
    QVERIFY(conferiu);
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].tipo, tipo);
    QCOMPARE(m->vistas[0].texto, texto);
}

void TstFrmMsg::respostasDaPergunta_data()
{
    QTest::addColumn<QString>("acao");
    QTest::addColumn<int>("codigo");
    QTest::newRow("Sim dá 6") << "btnOk" << 6;
    QTest::newRow("Não dá 7") << "btnCancelar" << 7;
    QTest::newRow("Esc dá 2") << "esc" << 2;
    QTest::newRow("caixa de fechar dá 2") << "fechar" << 2;
}

void TstFrmMsg::respostasDaPergunta()
{
    QFETCH(QString, acao);
    QFETCH(int, codigo);
    if (acao == u"esc")
        m->tecla(Qt::Key_Escape);
    else if (acao == u"fechar")
        m->aoAbrir([](TfrmMsg *frm) { frm->close(); });
    else
        m->clicar(acao);
    QCOMPARE(msgPergunta(QStringLiteral("Continuar?")), codigo);
}

void TstFrmMsg::enterNaPerguntaNaoFaz()
{
    m->aoAbrir([](TfrmMsg *frm) {
        // The window sees Enter first, also when a control has the focus.
        frm->ckbHide->setFocus();
        QTest::keyClick(frm->ckbHide, Qt::Key_Return);
        QTest::keyClick(frm, Qt::Key_Enter);
        QVERIFY(frm->isVisible());
        QTest::mouseClick(frm->btnOk, Qt::LeftButton);
    });
    QCOMPARE(msgPergunta(QStringLiteral("Continuar?")), 6);

    // Elsewhere Enter closes with 1 (ok).
    m->tecla(Qt::Key_Return);
    TfrmMsg frm;
    frm.exibirMensagem(QStringLiteral("Salvou"), TfrmMsg::Informacao, 0);
    QCOMPARE(frm.exec(), 1);
}

void TstFrmMsg::fechaSozinhaComSete()
{
    m->deixarFecharSozinha();
    QCOMPARE(msgPergunta(QStringLiteral("Fecha em um segundo?"), 1), 7);
}

void TstFrmMsg::barraInvertidaNViraQuebra()
{
    TfrmMsg frm;
    frm.exibirMensagem(QStringLiteral("um\\ndois\\Ntrês\r\nquatro"), TfrmMsg::Aviso, 0);
    QCOMPARE(frm.mensagem(), QStringLiteral("um\r\ndois\r\ntrês\r\nquatro"));
    QCOMPARE(frm.lbMsg->text(), QStringLiteral("um\ndois\ntrês\nquatro"));
}

void TstFrmMsg::alturaDaAjuda()
{
    int altura = 0;
    m->aoAbrir([&](TfrmMsg *frm) { altura = frm->height(); frm->done(1); });
    msgAjuda(QStringLiteral("Ajuda"), 0, 350);
    QCOMPARE(altura, 350);
    m->aoAbrir([&](TfrmMsg *frm) { altura = frm->height(); frm->done(1); });
    msgAjuda(QStringLiteral("Ajuda"), 0, 0);
    QCOMPARE(altura, 249);
}

void TstFrmMsg::rodaRolaUmDecimo()
{
    TfrmMsg frm;
    frm.exibirMensagem(QStringLiteral("linha\\n").repeated(80), TfrmMsg::Ajuda, 0);
    MotoristaMensagens::ignorar(&frm);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    QScrollBar *barra = frm.ScrollBox1->verticalScrollBar();
    QTRY_VERIFY(barra->maximum() > 100);

    auto roda = [&](int delta) {
        QWheelEvent e(QPointF(10, 10), frm.ScrollBox1->viewport()->mapToGlobal(QPointF(10, 10)),
                      QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
        QApplication::sendEvent(frm.ScrollBox1->viewport(), &e);
    };
    roda(-120);
    QCOMPARE(barra->value(), 12);
    roda(-120 * 1000);
    QCOMPARE(barra->value(), barra->maximum());
    roda(120 * 1000);
    QCOMPARE(barra->value(), 0);
    frm.done(1);
}

void TstFrmMsg::dicaOcultadaNaoVolta()
{
    m->aoAbrir([](TfrmMsg *frm) {
        QVERIFY(frm->ckbHide->isVisible());
        QVERIFY(!frm->ckbHide->isChecked());
        QCOMPARE(frm->ckbHide->text(), QStringLiteral("Não exibir mais essa mensagem"));
        QTest::mouseClick(frm->ckbHide, Qt::LeftButton);
        QTest::mouseClick(frm->btnOk, Qt::LeftButton);
    });
    msgDica(QStringLiteral("dicaUm"), QStringLiteral("Uma dica"), 300);
    QCOMPARE(m->vistas.size(), 1);
    QVERIFY(m->vistas[0].caixaDicaVisivel);

    QFile f(tipfile());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("dicaUm=true\r\n"));
    f.close();

    msgDica(QStringLiteral("dicaUm"), QStringLiteral("Uma dica"), 300);
    QCOMPARE(m->vistas.size(), 1);

    // Clearing the box again turns the line into false; it is never removed.
    m->aoAbrir([](TfrmMsg *frm) {
        QTest::mouseClick(frm->ckbHide, Qt::LeftButton);
        QTest::mouseClick(frm->ckbHide, Qt::LeftButton);
        frm->done(1);
    });
    msgDica(QStringLiteral("outra"), QStringLiteral("Outra dica"), 300);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("dicaUm=true\r\noutra=false\r\n"));
}

void TstFrmMsg::dicaBuscaIdSemCaixaValorComCaixa()
{
    QFile f(tipfile());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Abc=true\r\nxyz=TRUE\r\n");
    f.close();

    msgDica(QStringLiteral("abc"), QStringLiteral("oculta"), 300);
    QCOMPARE(m->vistas.size(), 0);

    m->clicar(QStringLiteral("btnOk"));
    msgDica(QStringLiteral("xyz"), QStringLiteral("exibida"), 300);
    QCOMPARE(m->vistas.size(), 1);
}

void TstFrmMsg::dicaGuardaOutrasLinhasEMarca()
{
    QString erro;
    QVERIFY(gravarArquivoTexto(tipfile(), QStringLiteral("primeira linha\r\nb=false\r\nc=x\r\n"),
                               Codificacao::Utf16LeBom, erro));
    m->aoAbrir([](TfrmMsg *frm) {
        QTest::mouseClick(frm->ckbHide, Qt::LeftButton);
        frm->done(1);
    });
    msgDica(QStringLiteral("B"), QStringLiteral("dica"), 300);

    TextoDecodificado lido;
    QVERIFY(lerArquivoTexto(tipfile(), lido, erro));
    QCOMPARE(int(lido.codificacao), int(Codificacao::Utf16LeBom));
    QCOMPARE(lido.texto, QStringLiteral("primeira linha\r\nB=true\r\nc=x\r\n"));
}

void TstFrmMsg::arquivoDeDicasComFalha()
{
    // A folder where the file should be: it can be neither read nor replaced.
    QVERIFY(QDir().mkpath(tipfile()));

    // Reading fails: the call ends unseen and the error reaches the caller.
    bool falhou = false;
    try {
        msgDica(QStringLiteral("dica"), QStringLiteral("texto"), 300);
    } catch (const ErroVaspira &) {
        falhou = true;
    }
    QVERIFY(falhou);
    QCOMPARE(m->vistas.size(), 0);

    // Writing fails from the box: the general error report shows the error
    // and the tip stays open.
    m->aoAbrir([this](TfrmMsg *frm) {
        m->clicar(QStringLiteral("btnOk"));
        QTest::mouseClick(frm->ckbHide, Qt::LeftButton);
        QVERIFY(frm->isVisible());
        frm->done(1);
    });
    TfrmMsg frm;
    frm.exibirMensagem(QStringLiteral("dica"), TfrmMsg::Dica, 0);
    frm.gTipID = QStringLiteral("dica");
    frm.ckbHide->show();
    frm.exec();
    QCOMPARE(m->vistas.size(), 2);
    QCOMPARE(m->vistas[1].tipo, int(TfrmMsg::Erro));
    QVERIFY(!m->vistas[1].texto.isEmpty());
    QDir(tipfile()).removeRecursively();
}

VASPIRA_GUI_TEST_MAIN(TstFrmMsg)
#include "tst_frmmsg.moc"
