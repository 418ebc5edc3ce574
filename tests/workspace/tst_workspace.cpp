#include "app/janelas.h"
#include "app/unFrmPrincipal.h"
#include "support/mainGui.h"
#include "support/motoristaMensagens.h"
#include "workspace/unFrmExtrairNavegador.h"

#include "dialogs/unFrmMsg.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QToolButton>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

class TstWorkspace : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void colandoEmailsOrdenadosSemRepetidos();
    void segundaExecucaoMescla();
    void camposEmBrancoMostramErro_data();
    void camposEmBrancoMostramErro();
    void statusVazioEContagem();
    void pararNaoRetomaExecucaoParada();
    void fecharDuranteExecucaoAdiaEFecha();
    void quatroTiposDoTexto_data();
    void quatroTiposDoTexto();
    void pararDuranteTextosContendo();
    void webSemNavegadorAvisa();
    void ferramentasDeLinhas();
    void copiarComCapturaLigada();
    void capturaDaAreaDeTransferencia();
    void capturaNaoPerdeNemRepete();

private:
    TfrmExtrairNavegador *colando();
    void extrair(TfrmExtrairNavegador *frm, const QString &texto);

    TfrmPrincipal *principal = nullptr;
    MotoristaMensagens *m = nullptr;
};

void TstWorkspace::init()
{
    principal = new TfrmPrincipal;
    principal->show();
    m = new MotoristaMensagens;
}

void TstWorkspace::cleanup()
{
    // Close without the closing question.
    delete principal;
    MotoristaMensagens::encerrar(m);
}

TfrmExtrairNavegador *TstWorkspace::colando()
{
    QTest::mouseClick(principal->findChild<QPushButton *>("btnColando"), Qt::LeftButton);
    auto *frm = janelas().frmExtrairNavegador.data();
    if (!frm)
        return nullptr;
    frm->findChild<QRadioButton *>("rdbEmails2")->setChecked(true);
    return frm;
}

void TstWorkspace::extrair(TfrmExtrairNavegador *frm, const QString &texto)
{
    frm->findChild<QPlainTextEdit *>("mmoExtracao")->setPlainText(texto);
    QTest::mouseClick(frm->findChild<QPushButton *>("btnExtrairDados"), Qt::LeftButton);
}

void TstWorkspace::colandoEmailsOrdenadosSemRepetidos()
{
    TfrmExtrairNavegador *frm = colando();
    QVERIFY(frm);
    auto *pgc = frm->findChild<QTabWidget *>("pgcDados");
    QCOMPARE(pgc->currentIndex(), 1);
    QVERIFY(!pgc->isTabVisible(0));
    QCOMPARE(frm->gModoExtracao, QStringLiteral("texto"));

    extrair(frm, QStringLiteral("Contatos:\nZeca@Loja.com.br; ana@x.com\r\n"
                                "Vendas ana@X.com e bia@y.com.br\n"));
    QCOMPARE(pgc->currentIndex(), 2);
    QCOMPARE(frm->findChild<QPlainTextEdit *>("mmoDados")->toPlainText(),
             QStringLiteral("ana@x.com\nbia@y.com.br\nzeca@loja.com.br\n"));
    QCOMPARE(frm->findChild<QLabel *>("stMemo")->text(), QStringLiteral("Total de registros: 3"));
    QVERIFY(frm->findChild<QFrame *>("pnProgresso")->isHidden());
    QVERIFY(frm->findChild<QPushButton *>("btnExtrairDados")->isEnabled());
}

void TstWorkspace::segundaExecucaoMescla()
{
    TfrmExtrairNavegador *frm = colando();
    auto *dados = frm->findChild<QPlainTextEdit *>("mmoDados");
    dados->setPlainText(QStringLiteral("banana\nAbacaxi\n"));
    // The text run merges what it harvests; here the lines come as if harvested.
    frm->mesclarResultados(QStringLiteral("abacaxi\r\ncaju"));
    QCOMPARE(dados->toPlainText(), QStringLiteral("Abacaxi\nbanana\ncaju\n"));

    extrair(frm, QStringLiteral("ana@x.com"));
    extrair(frm, QStringLiteral("ANA@x.com bia@y.com"));
    QCOMPARE(dados->toPlainText(), QStringLiteral("Abacaxi\nana@x.com\nbanana\nbia@y.com\ncaju\n"));
}

void TstWorkspace::camposEmBrancoMostramErro_data()
{
    QTest::addColumn<QString>("escolha");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("texto contendo só brancos") << "rdbTextoContendo2"
                                               << "Faltou definir o texto que deve ser localizado";
    QTest::newRow("um marcador só")
        << "rdbTextoEntre2" << "Faltou definir os dois termos entre os quais os textos devem ser capturados";
}

void TstWorkspace::camposEmBrancoMostramErro()
{
    QFETCH(QString, escolha);
    QFETCH(QString, mensagem);
    TfrmExtrairNavegador *frm = colando();
    frm->findChild<QRadioButton *>(escolha)->setChecked(true);
    frm->findChild<QLineEdit *>("edtContendo2")->setText(QStringLiteral("   "));
    frm->findChild<QLineEdit *>("edtEntre12")->setText(QStringLiteral("Nome:"));
    auto *dados = frm->findChild<QPlainTextEdit *>("mmoDados");
    dados->setPlainText(QStringLiteral("b\na\n"));

    m->clicar(QStringLiteral("btnOk"));
    extrair(frm, QStringLiteral("Nome: Ana Fim"));
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].tipo, 2);
    QCOMPARE(m->vistas[0].texto, mensagem);
    QCOMPARE(dados->toPlainText(), QStringLiteral("b\na\n"));
    QCOMPARE(frm->pgcDados->currentIndex(), 2);
    QVERIFY(frm->btnExtrairDados->isEnabled());
    QVERIFY(frm->pnProgresso->isHidden());
}

void TstWorkspace::statusVazioEContagem()
{
    TfrmExtrairNavegador *frm = colando();
    QCOMPARE(frm->stMemo->text(), QStringLiteral("Total de registros: "));
    QString muitas;
    for (int i = 0; i < 1234; ++i)
        muitas += QStringLiteral("linha %1\n").arg(i, 5, 10, QLatin1Char('0'));
    frm->mmoDados->setPlainText(muitas);
    // The status timer picks up manual edits within a second.
    QTRY_COMPARE_WITH_TIMEOUT(frm->stMemo->text(), QStringLiteral("Total de registros: 1.234"), 2500);
    frm->mmoDados->setPlainText(QStringLiteral("\nb\n"));
    frm->atualizarStatus();
    QCOMPARE(frm->stMemo->text(), QStringLiteral("Total de registros: 2"));
}

void TstWorkspace::pararNaoRetomaExecucaoParada()
{
    TfrmExtrairNavegador *frm = colando();
    frm->mmoExtracao->setPlainText(QStringLiteral("ana@x.com"));
    // "Parar" pressed inside the run's first pump, then a new run started
    // from inside the stopped one: the new run has its own stop request.
    bool parou = false;
    bool segundaRodou = false;
    QTimer::singleShot(0, frm, [&] {
        QTest::mouseClick(frm->btnCancelarExtracao, Qt::LeftButton);
        parou = true;
        QVERIFY(frm->btnExtrairDados->isEnabled());
        frm->mmoExtracao->setPlainText(QStringLiteral("bia@y.com"));
        QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
        segundaRodou = true;
        // Were the stopped run to go on, it would harvest this.
        frm->mmoExtracao->setPlainText(QStringLiteral("ana@x.com"));
    });
    QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
    QVERIFY(parou);
    QVERIFY(segundaRodou);
    // The stopped run merged nothing; the second one merged its address.
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("bia@y.com\n"));
    QVERIFY(frm->pnProgresso->isHidden());
}

void TstWorkspace::fecharDuranteExecucaoAdiaEFecha()
{
    TfrmExtrairNavegador *frm = colando();
    QPointer<TfrmExtrairNavegador> ref(frm);
    QString texto;
    for (int i = 0; i < 20000; ++i)
        texto += QStringLiteral("p%1@x.com ").arg(i);
    frm->mmoExtracao->setPlainText(texto);

    bool fechou = false;
    QTimer::singleShot(0, frm, [&] {
        QTest::mouseClick(frm->btnCancelar, Qt::LeftButton);
        fechou = true;
        // Still alive while its run is on the stack, but out of sight.
        QVERIFY(ref);
        QVERIFY(!frm->isVisible());
    });
    QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
    QVERIFY(fechou);
    QTRY_VERIFY(!ref);
    QVERIFY(principal->mdiArea->subWindowList().isEmpty());
}

void TstWorkspace::quatroTiposDoTexto_data()
{
    QTest::addColumn<QString>("escolha");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("Telefones") << "rdbTelefones2" << "Ligue 11 3333-4444 ou (11) 91111-2222\n(11) 91111-2222"
                               << "(11) 3333-4444\n(11) 91111-2222\n";
    QTest::newRow("E-mails") << "rdbEmails2" << "bia@y.com, Ana@x.com" << "ana@x.com\nbia@y.com\n";
    QTest::newRow("Textos contendo") << "rdbTextoContendo2" << "Fone: 2222\nFone: 1111\nFone: 2222"
                                     << "1111\n2222\n";
    QTest::newRow("Texto contido entre") << "rdbTextoEntre2" << "Nome: Bia; Nome: Ana; nome: ana;"
                                         << "Ana\nBia\n";
}

void TstWorkspace::quatroTiposDoTexto()
{
    QFETCH(QString, escolha);
    QFETCH(QString, texto);
    QFETCH(QString, esperado);
    TfrmExtrairNavegador *frm = colando();
    frm->findChild<QRadioButton *>(escolha)->setChecked(true);
    frm->edtContendo2->setText(QStringLiteral("Fone: "));
    frm->edtEntre12->setText(QStringLiteral("Nome:"));
    frm->edtEntre22->setText(QStringLiteral(";"));
    // The fields of the hidden web page are never used in text mode.
    frm->edtContendo->setText(QStringLiteral("nada"));
    frm->rdbEmails->setChecked(true);
    extrair(frm, texto);
    QCOMPARE(frm->mmoDados->toPlainText(), esperado);
    QVERIFY(frm->pnProgresso->isHidden());
}

void TstWorkspace::pararDuranteTextosContendo()
{
    TfrmExtrairNavegador *frm = colando();
    frm->rdbTextoContendo2->setChecked(true);
    frm->edtContendo2->setText(QStringLiteral("id="));
    QString texto;
    for (int i = 0; i < 200; ++i)
        texto += QStringLiteral("id=%1\n").arg(i, 3, 10, QLatin1Char('0'));
    // "Parar" is pressed as soon as the scan pumps after its first word.
    bool primeiraPalavra = false;
    QTimer vigia;
    vigia.setInterval(0);
    connect(&vigia, &QTimer::timeout, this, [&] {
        if (!primeiraPalavra && frm->lbStatus->text().startsWith(QStringLiteral("Extraindo dados... "))) {
            primeiraPalavra = true;
            QTest::mouseClick(frm->btnCancelarExtracao, Qt::LeftButton);
        }
    });
    vigia.start();
    extrair(frm, texto);
    vigia.stop();
    QVERIFY(primeiraPalavra);
    const QStringList linhas = frm->mmoDados->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(!linhas.isEmpty() && linhas.size() < 200, qPrintable(QString::number(linhas.size())));
    QCOMPARE(linhas.first(), QStringLiteral("id=000"));
    QVERIFY(frm->pnProgresso->isHidden());
    QVERIFY(frm->btnExtrairDados->isEnabled());
}

void TstWorkspace::webSemNavegadorAvisa()
{
    TfrmExtrairNavegador *frm = principal->extrairDaWeb();
    principal->tmIniciarNavegadores->stop();
    m->clicar(QStringLiteral("btnOk"));
    QTest::mouseClick(frm->btnExtrairDados, Qt::LeftButton);
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].texto, QStringLiteral("Erro: Por favor aguarde o navegador web ser carregado"));
    QVERIFY(frm->btnExtrairDados->isEnabled());
}

void TstWorkspace::ferramentasDeLinhas()
{
    TfrmExtrairNavegador *frm = colando();
    frm->pgcDados->setCurrentIndex(2);
    QTest::mouseClick(frm->btnUtilitarios, Qt::LeftButton);
    QVERIFY(frm->findChild<QWidget *>(QStringLiteral("pnUtilitários"))->isVisible());
    QVERIFY(frm->btnUtilitarios->isHidden());

    frm->mmoDados->setPlainText(QStringLiteral("axyb\nabc\ncxyd\n"));
    frm->edtExcluirContendo->setText(QStringLiteral("xy"));
    QTest::mouseClick(frm->SpeedButton1, Qt::LeftButton);
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("abc\n"));
    QVERIFY(frm->pnProgresso->isHidden());

    frm->mmoDados->setPlainText(QStringLiteral("Ana (11) 9999 (ext) fim\nBia (21\n"));
    frm->edtValori->setText(QStringLiteral("("));
    frm->edtValorf->setText(QStringLiteral(")"));
    m->deixarFecharSozinha();
    QTest::mouseClick(frm->SpeedButton3, Qt::LeftButton);
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("Ana  9999  fim\nBia (21\n"));
    QVERIFY(frm->mmoDados->isVisible());
    QCOMPARE(m->vistas.last().texto, QStringLiteral("Pronto"));

    frm->mmoDados->setPlainText(QStringLiteral("Abc\nABC e abc\n"));
    frm->edtSubstituir->setText(QStringLiteral("abc"));
    frm->edtPor->setText(QStringLiteral("xyz"));
    m->clicar(QStringLiteral("btnOk"));
    QTest::mouseClick(frm->SpeedButton5, Qt::LeftButton);
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("xyz\nxyz e xyz\n"));

    QTest::mouseClick(frm->btnCloseUtils, Qt::LeftButton);
    QVERIFY(frm->pnUtilitarios->isHidden());
    QVERIFY(frm->btnUtilitarios->isVisible());
}

void TstWorkspace::copiarComCapturaLigada()
{
    TfrmExtrairNavegador *frm = colando();
    frm->pgcDados->setCurrentIndex(2);
    QTest::mouseClick(frm->btnUtilitarios, Qt::LeftButton);
    QTest::mouseClick(frm->ckbChupaCabra, Qt::LeftButton);
    QVERIFY(frm->pnChupaCabra->isVisible());
    QVERIFY(frm->tmChupaCabra->isActive());
    QVERIFY(frm->pnUtilitarios->isHidden());

    frm->mmoDados->setPlainText(QStringLiteral("ana@x.com\n"));
    QTest::mouseClick(frm->btnSelecionarTudo, Qt::LeftButton);
    m->aoAbrir([](TfrmMsg *msg) {
        // Capture is already off when the message shows.
        QVERIFY(!msg->tmFechar->isActive() || msg->tmFechar->interval() == 5000);
        msg->done(1);
    });
    QTest::mouseClick(frm->btnCopiar, Qt::LeftButton);
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].texto, QStringLiteral("A cópia automática foi desativada por segurança, já que "
                                                 "você copiou o conteúdo extraído"));
    QVERIFY(!frm->tmChupaCabra->isActive());
    QVERIFY(frm->pnChupaCabra->isHidden());
    QVERIFY(!frm->ckbChupaCabra->isChecked());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("ana@x.com\n"));
    // Nothing fed back into the results by a capture tick.
    QTest::qWait(400);
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("ana@x.com\n"));
}

void TstWorkspace::capturaDaAreaDeTransferencia()
{
    TfrmExtrairNavegador *frm = colando();
    QClipboard *area = QGuiApplication::clipboard();
    frm->definirCaptura(true);
    frm->mmoDados->setPlainText(QStringLiteral("primeira"));

    area->setText(QStringLiteral("a\nb"));
    QTRY_COMPARE(frm->mmoDados->toPlainText(), QStringLiteral("primeira\na;b\n"));
    QCOMPARE(area->text(), QString());

    // Blanks add nothing and stay on the clipboard.
    area->setText(QStringLiteral("  \n "));
    frm->tmChupaCabraTimer();
    QCOMPARE(area->text(), QStringLiteral("  \n "));

    // A secret from a password manager is never taken.
    auto *segredo = new QMimeData;
    segredo->setText(QStringLiteral("senha123"));
    segredo->setData(QStringLiteral("x-kde-passwordManagerHint"), "secret");
    area->setMimeData(segredo);
    frm->tmChupaCabraTimer();
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("primeira\na;b\n"));

    // A click on the banner switches capture off.
    QTest::mouseClick(frm->pnChupaCabra, Qt::LeftButton);
    QVERIFY(!frm->tmChupaCabra->isActive());
    QVERIFY(!frm->ckbChupaCabra->isChecked());
    area->clear();
}

void TstWorkspace::capturaNaoPerdeNemRepete()
{
    TfrmExtrairNavegador *frm = colando();
    QClipboard *area = QGuiApplication::clipboard();
    area->setText(QStringLiteral("fone 1111"));
    frm->tmChupaCabraTimer();
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("fone 1111\n"));

    // A clipboard manager puts the text back at once: not taken again.
    area->setText(QStringLiteral("fone 1111"));
    frm->tmChupaCabraTimer();
    frm->tmChupaCabraTimer();
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("fone 1111\n"));
    QTest::qWait(1100);
    frm->tmChupaCabraTimer();
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("fone 1111\n"));

    // The user copies the same text again, seconds later: taken again.
    area->setText(QStringLiteral("fone 1111"));
    frm->tmChupaCabraTimer();
    QCOMPARE(frm->mmoDados->toPlainText(), QStringLiteral("fone 1111\nfone 1111\n"));
    area->clear();
}

VASPIRA_GUI_TEST_MAIN(TstWorkspace)
#include "tst_workspace.moc"
