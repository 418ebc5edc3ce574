#include "dialogs/unFrmGetValue.h"
#include "dialogs/unFrmProgresso.h"
#include "support/mainGui.h"
#include "support/motoristaMensagens.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextEdit>

class TstDialogos : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void obterValor_data();
    void obterValor();
    void progressoLinhasDoLog();
    void progressoJanelaOculta();
    void progressoContador();
    void progressoFimFechaSozinho();
    void progressoCancelar();
    void progressoInicioZera();

private:
    // Answers the next value dialog from a timer, as a user would.
    void responderValor(std::function<void(TfrmGetValue *)> acao);
    QList<QTextBlock> blocos(QTextEdit *e) const;

    MotoristaMensagens *m = nullptr;
    TfrmProgresso *progresso = nullptr;
};

void TstDialogos::init()
{
    m = new MotoristaMensagens;
    progresso = new TfrmProgresso;
}

void TstDialogos::cleanup()
{
    delete progresso;
    MotoristaMensagens::encerrar(m);
}

void TstDialogos::responderValor(std::function<void(TfrmGetValue *)> acao)
{
    auto *timer = new QTimer(this);
    timer->setInterval(5);
    connect(timer, &QTimer::timeout, this, [timer, acao] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *frm = qobject_cast<TfrmGetValue *>(w); frm && frm->isVisible()) {
                timer->deleteLater();
                timer->stop();
                acao(frm);
                return;
            }
        }
    });
    timer->start();
}

void TstDialogos::obterValor_data()
{
    QTest::addColumn<QString>("acao");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("Ok sem editar devolve o proposto") << "ok" << "Nome antigo";
    QTest::newRow("duas linhas digitadas") << "digitar" << "Nome antigo\r\nsegunda";
    QTest::newRow("Esc") << "esc" << "";
    QTest::newRow("Cancelar") << "cancelar" << "";
    QTest::newRow("caixa de fechar") << "fechar" << "";
}

void TstDialogos::obterValor()
{
    QFETCH(QString, acao);
    QFETCH(QString, esperado);
    responderValor([acao](TfrmGetValue *frm) {
        QCOMPARE(frm->windowTitle(), QStringLiteral("Entrada de valor"));
        QCOMPARE(frm->lbtitle->text(), QStringLiteral("Nome desta configuração"));
        QCOMPARE(frm->lbtitle->width(), 500);
        if (acao == u"digitar") {
            frm->mmoValor->moveCursor(QTextCursor::End);
            QTest::keyClick(frm->mmoValor, Qt::Key_Return);
            QTest::keyClicks(frm->mmoValor, QStringLiteral("segunda"));
            QVERIFY(frm->isVisible());
        }
        if (acao == u"esc")
            QTest::keyClick(frm->mmoValor, Qt::Key_Escape);
        else if (acao == u"cancelar")
            QTest::mouseClick(frm->btnCancelar, Qt::LeftButton);
        else if (acao == u"fechar")
            frm->close();
        else
            QTest::mouseClick(frm->btnOk, Qt::LeftButton);
    });
    QCOMPARE(::obterValor(QStringLiteral("Nome desta configuração"), QStringLiteral("Nome antigo"), 250),
             esperado);
}

QList<QTextBlock> TstDialogos::blocos(QTextEdit *e) const
{
    QList<QTextBlock> r;
    for (QTextBlock b = e->document()->begin(); b.isValid(); b = b.next())
        r.append(b);
    return r;
}

void TstDialogos::progressoLinhasDoLog()
{
    progresso->progressoInicio(QStringLiteral("Baixando exemplos"), true);
    QCOMPARE(progresso->pnTitle->text(), QStringLiteral("Baixando exemplos"));
    progresso->addStatus(QStringLiteral("Baixando..."), 0, false);
    progresso->addStatusComp(QStringLiteral("[OK]"), 0 + 256 * 128, true, true);
    progresso->addStatus(QString(), 0, false);
    progresso->addStatus(QStringLiteral("Falhou"), 255, true);

    const QList<QTextBlock> linhas = blocos(progresso->mmoStatus);
    QCOMPARE(linhas.size(), 4);
    QCOMPARE(linhas[0].text(), QString());
    static const QRegularExpression hora(QStringLiteral("^([1-9]|1[0-9]|2[0-3]|0):[0-5][0-9]:[0-5][0-9] "));
    QVERIFY2(hora.match(linhas[1].text()).hasMatch(), qPrintable(linhas[1].text()));
    QVERIFY(!linhas[1].text().startsWith(u'0') || linhas[1].text().startsWith(u"0:"));
    QVERIFY(linhas[1].text().endsWith(QStringLiteral(" Baixando... [OK]")));
    QCOMPARE(linhas[2].text(), QString());
    QVERIFY(linhas[3].text().endsWith(QStringLiteral(" Falhou")));

    // Colour and weight of each piece.
    auto formatoNoFim = [](const QTextBlock &b) {
        QTextCursor c(b);
        c.movePosition(QTextCursor::EndOfBlock);
        return c.charFormat();
    };
    QCOMPARE(formatoNoFim(linhas[1]).foreground().color(), QColor(0, 128, 0));
    QCOMPARE(formatoNoFim(linhas[1]).fontWeight(), int(QFont::Bold));
    QCOMPARE(formatoNoFim(linhas[3]).foreground().color(), QColor(255, 0, 0));
    QTextCursor inicio(linhas[1]);
    inicio.movePosition(QTextCursor::Right);
    QCOMPARE(inicio.charFormat().foreground().color(), QColor(0, 0, 0));
    QCOMPARE(inicio.charFormat().fontWeight(), int(QFont::Normal));
}

void TstDialogos::progressoJanelaOculta()
{
    QVERIFY(progresso->isHidden());
    progresso->addStatusComp(QStringLiteral("[OK]"), 0, true, true);
    QVERIFY(progresso->isHidden());
    QCOMPARE(progresso->mmoStatus->toPlainText(), QString());

    progresso->startGauge1(5, QStringLiteral("Oculto"));
    QVERIFY(progresso->isHidden());

    progresso->addStatus(QStringLiteral("Linha"), 0, false);
    QVERIFY(progresso->isVisible());
    QCOMPARE(progresso->pnTitle->text(), QStringLiteral("Processando..."));
    QCOMPARE(blocos(progresso->mmoStatus).size(), 2);
}

void TstDialogos::progressoContador()
{
    progresso->progressoInicio(QStringLiteral("Contando"), true);
    progresso->startGauge1(12, QStringLiteral("Progresso..."));
    QVERIFY(progresso->pnGauge1->isVisible());
    QVERIFY(progresso->lbNumber1->isHidden());
    QCOMPARE(progresso->lbNumber1->text(), QStringLiteral(" de 12"));
    for (int i = 0; i < 3; ++i)
        progresso->incGauge1(1);
    QCOMPARE(progresso->lbNumber1->text(), QStringLiteral("3 de 12"));
    QVERIFY(progresso->lbNumber1->isVisible());
    QCOMPARE(progresso->progress1->value(), 3);
    QCOMPARE(progresso->lbProgress1->text(), QStringLiteral("Progresso..."));

    QLabel rotulo;
    TfrmProgresso::setLabelNumber(&rotulo, 1234, 5000);
    QCOMPARE(rotulo.text(), QStringLiteral("1.234 de 5.000"));
    TfrmProgresso::setLabelNumber(&rotulo, 7, 0);
    QCOMPARE(rotulo.text(), QStringLiteral("7"));
}

void TstDialogos::progressoFimFechaSozinho()
{
    progresso->progressoInicio(QStringLiteral("Título"), true);
    progresso->startGauge1(2, QString());
    progresso->progressoFim(QString(), true, 1);
    QCOMPARE(progresso->pnTitle->text(), QStringLiteral("Título"));
    QVERIFY(progresso->pnGauge1->isHidden());
    QVERIFY(progresso->btnOk->isEnabled());
    QVERIFY(!progresso->btnCancelar->isEnabled());
    QVERIFY(progresso->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(progresso->isHidden(), 3000);
}

void TstDialogos::progressoCancelar()
{
    progresso->progressoInicio(QStringLiteral("Longa"), true);
    m->clicar(QStringLiteral("btnCancelar"));
    QTest::mouseClick(progresso->btnCancelar, Qt::LeftButton);
    QVERIFY(!progresso->gCancelou);
    QVERIFY(progresso->btnCancelar->isEnabled());

    m->tecla(Qt::Key_Escape);
    QTest::mouseClick(progresso->btnCancelar, Qt::LeftButton);
    QVERIFY(!progresso->gCancelou);

    m->clicar(QStringLiteral("btnOk"));
    QTest::mouseClick(progresso->btnCancelar, Qt::LeftButton);
    QVERIFY(progresso->gCancelou);
    QVERIFY(!progresso->btnCancelar->isEnabled());
    QVERIFY(progresso->btnOk->isEnabled());
    QCOMPARE(m->vistas.size(), 3);
    QCOMPARE(m->vistas[0].texto, QStringLiteral("Cancelar o processamento atual"));
}

void TstDialogos::progressoInicioZera()
{
    progresso->progressoInicio(QStringLiteral("Primeira"), true);
    progresso->addStatus(QStringLiteral("linha"), 0, false);
    progresso->startGauge1(4, QStringLiteral("Gauge"));
    progresso->incGauge1(2);
    progresso->progressoFim(QStringLiteral("Pronto"), false, 0);

    progresso->progressoInicio(QStringLiteral("Segunda"), true);
    QCOMPARE(progresso->mmoStatus->toPlainText(), QString());
    QVERIFY(progresso->pnGauge1->isHidden());
    QCOMPARE(progresso->lbNumber1->text(), QStringLiteral("0"));
    QCOMPARE(progresso->lbProgress1->text(), QStringLiteral("Aguardando..."));
    QVERIFY(progresso->btnCancelar->isEnabled());
    QVERIFY(!progresso->btnOk->isEnabled());
    QVERIFY(!progresso->gCancelou);
}

VASPIRA_GUI_TEST_MAIN(TstDialogos)
#include "tst_dialogos.moc"
