#include "app/janelas.h"
#include "app/unFrmPrincipal.h"
#include "notes/unFrmNotes.h"
#include "storage/arquivoTexto.h"
#include "support/mainGui.h"
#include "support/motoristaMensagens.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QToolButton>

class TstNotes : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void primeiraAberturaMostraSeteLinhas();
    void salvarEReabrir_data();
    void salvarEReabrir();
    void caixaEmBrancoNaoSalva();
    void alteracoesPerguntamAoFechar_data();
    void alteracoesPerguntamAoFechar();
    void buscaPorLinhasExibidas();
    void dataEHoraNaLinhaSeguinte();
    void falhaAoGravarMantemTexto();
    void fecharSistemaComNotasAlteradas();

private:
    TfrmNotes *abrir();
    QByteArray conteudoDoArquivo() const;
    QString notasTxt() const { return pastaDeTeste() + "notes.txt"; }

    TfrmPrincipal *principal = nullptr;
    MotoristaMensagens *m = nullptr;
};

void TstNotes::init()
{
    QFile::remove(notasTxt());
    principal = new TfrmPrincipal;
    principal->resize(1000, 800);
    principal->show();
    m = new MotoristaMensagens;
}

void TstNotes::cleanup()
{
    delete principal;
    MotoristaMensagens::encerrar(m);
}

TfrmNotes *TstNotes::abrir()
{
    QTest::mouseClick(principal->findChild<QToolButton *>("btnNotes"), Qt::LeftButton);
    TfrmNotes *notas = janelas().frmNotes;
    if (notas && !QTest::qWaitForWindowExposed(notas))
        return nullptr;
    return notas;
}

QByteArray TstNotes::conteudoDoArquivo() const
{
    QFile f(notasTxt());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<sem arquivo>");
}

void TstNotes::primeiraAberturaMostraSeteLinhas()
{
    TfrmNotes *notas = abrir();
    QVERIFY(notas);
    QVERIFY(!principal->btnNotes->isEnabled());
    const QStringList linhas = notas->mmoNotes->toPlainText().split(u'\n');
    QCOMPARE(linhas.size(), 7);
    QCOMPARE(linhas[0], QStringLiteral("Módulo de anotações para uso geral. Você pode usar estas anotações "));
    QCOMPARE(linhas[1], QStringLiteral("para "));
    QCOMPARE(linhas[3], QString());
    QCOMPARE(linhas[6], QStringLiteral("- Registrar qualquer informação que queira buscar posteriormente"));
    QVERIFY(notas->edtLocalizar->hasFocus());

    // Nothing changed: "&Fechar" closes without a question.
    QTest::mouseClick(notas->btnFechar, Qt::LeftButton);
    QTRY_VERIFY(!janelas().frmNotes);
    QVERIFY(principal->btnNotes->isEnabled());
    QCOMPARE(m->vistas.size(), 0);
}

void TstNotes::salvarEReabrir_data()
{
    QTest::addColumn<QByteArray>("anterior");
    QTest::addColumn<int>("codificacao");
    QTest::newRow("arquivo novo em UTF-8") << QByteArray() << int(Codificacao::Utf8);
    QTest::newRow("arquivo com marca UTF-16")
        << QByteArray("\xFF\xFE" "a\0", 4) << int(Codificacao::Utf16LeBom);
    QTest::newRow("arquivo do Windows vira UTF-8") << QByteArray("ol\xE1") << int(Codificacao::Utf8);
}

void TstNotes::salvarEReabrir()
{
    QFETCH(QByteArray, anterior);
    QFETCH(int, codificacao);
    if (!anterior.isEmpty()) {
        QFile f(notasTxt());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(anterior);
    }
    TfrmNotes *notas = abrir();
    const QString texto = QStringLiteral("Reunião às 9h — ação “urgente”\nsegunda linha\n\núltima ");
    notas->mmoNotes->setPlainText(texto);
    m->clicar(QStringLiteral("btnOk"));
    QTest::keyClick(notas->mmoNotes, Qt::Key_F4);
    QTRY_VERIFY(!janelas().frmNotes);
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].texto, QStringLiteral("Salvo"));

    TextoDecodificado lido = decodificarTexto(conteudoDoArquivo());
    QCOMPARE(int(lido.codificacao), codificacao);
    QCOMPARE(lido.texto, QString(texto).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));

    notas = abrir();
    QCOMPARE(notas->mmoNotes->toPlainText(), texto);
    QVERIFY(!notas->gEditou);
    QTest::mouseClick(notas->btnFechar, Qt::LeftButton);
    QTRY_VERIFY(!janelas().frmNotes);
}

void TstNotes::caixaEmBrancoNaoSalva()
{
    {
        QFile f(notasTxt());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("notas antigas");
    }
    TfrmNotes *notas = abrir();
    notas->mmoNotes->setPlainText(QStringLiteral("  \n\t\n "));
    QTest::mouseClick(notas->btnOk, Qt::LeftButton);
    QTRY_VERIFY(!janelas().frmNotes);
    QCOMPARE(m->vistas.size(), 0);
    QCOMPARE(conteudoDoArquivo(), QByteArray("notas antigas"));
}

void TstNotes::alteracoesPerguntamAoFechar_data()
{
    QTest::addColumn<QString>("como");
    QTest::newRow("Esc") << "esc";
    QTest::newRow("Fechar") << "fechar";
    QTest::newRow("caixa de fechar da janela") << "titulo";
}

void TstNotes::alteracoesPerguntamAoFechar()
{
    QFETCH(QString, como);
    TfrmNotes *notas = abrir();
    QTest::keyClicks(notas->mmoNotes, QStringLiteral("x"));
    QVERIFY(notas->gEditou);
    auto fechar = [&] {
        if (como == u"esc")
            QTest::keyClick(notas->mmoNotes, Qt::Key_Escape);
        else if (como == u"fechar")
            QTest::mouseClick(notas->btnFechar, Qt::LeftButton);
        else
            qobject_cast<QMdiSubWindow *>(notas->parentWidget())->close();
    };

    m->clicar(QStringLiteral("btnCancelar"));
    fechar();
    QCOMPARE(m->vistas.last().texto, QStringLiteral("Houve alterações. Fechar sem salvar?"));
    QVERIFY(janelas().frmNotes);

    m->tecla(Qt::Key_Escape);
    fechar();
    QVERIFY(janelas().frmNotes);

    m->clicar(QStringLiteral("btnOk"));
    fechar();
    QTRY_VERIFY(!janelas().frmNotes);
    QCOMPARE(conteudoDoArquivo(), QByteArray("<sem arquivo>"));
}

void TstNotes::buscaPorLinhasExibidas()
{
    TfrmNotes *notas = abrir();
    notas->mmoNotes->setPlainText(QStringLiteral("um\nxx ABC yy\ntrês\nquatro\ncinco abc\nseis"));
    notas->edtLocalizar->setText(QStringLiteral("abc"));
    QTest::keyClick(notas->edtLocalizar, Qt::Key_Return);
    QCOMPARE(notas->lstLinha->count(), 2);
    QCOMPARE(notas->lstLinha->item(0)->text(), QStringLiteral("2"));
    QCOMPARE(notas->lstLinha->item(1)->text(), QStringLiteral("5"));
    QCOMPARE(notas->mmoNotes->textCursor().selectedText(), QStringLiteral("ABC"));
    QCOMPARE(notas->mmoNotes->textCursor().selectionStart(), 6);
    QVERIFY(notas->mmoNotes->hasFocus());

    QTest::mouseClick(notas->btnNext, Qt::LeftButton);
    QCOMPARE(notas->mmoNotes->textCursor().selectionStart(), 31);
    QTest::mouseClick(notas->btnNext, Qt::LeftButton);
    QCOMPARE(notas->mmoNotes->textCursor().selectionStart(), 31);

    // A long paragraph wraps: its second display line has its own number.
    notas->mmoNotes->setPlainText(QString(400, u'a') + QStringLiteral(" alvo"));
    notas->edtLocalizar->setText(QStringLiteral("alvo"));
    QTest::keyClick(notas->edtLocalizar, Qt::Key_Return);
    QCOMPARE(notas->lstLinha->count(), 1);
    QVERIFY(notas->lstLinha->item(0)->text().toInt() > 1);
    QCOMPARE(notas->mmoNotes->textCursor().selectedText(), QStringLiteral("alvo"));

    // Nothing found: the list is empty and the selection stays.
    notas->edtLocalizar->setText(QStringLiteral("zzz"));
    QTest::keyClick(notas->edtLocalizar, Qt::Key_Return);
    QCOMPARE(notas->lstLinha->count(), 0);
    QCOMPARE(notas->mmoNotes->textCursor().selectedText(), QStringLiteral("alvo"));
    notas->gEditou = false;
}

void TstNotes::dataEHoraNaLinhaSeguinte()
{
    TfrmNotes *notas = abrir();
    notas->mmoNotes->setPlainText(QStringLiteral("linha 1\nlinha 2\nlinha 3\nlinha 4"));
    QTextCursor c(notas->mmoNotes->document()->findBlockByNumber(2));
    c.movePosition(QTextCursor::EndOfBlock);
    notas->mmoNotes->setTextCursor(c);
    QTest::mouseClick(notas->btnDataHora, Qt::LeftButton);

    const QStringList linhas = notas->mmoNotes->toPlainText().split(u'\n');
    QCOMPARE(linhas.size(), 6);
    static const QRegularExpression formato(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$"));
    QVERIFY2(formato.match(linhas[3]).hasMatch(), qPrintable(linhas[3]));
    QCOMPARE(linhas[4], QString());
    QCOMPARE(linhas[5], QStringLiteral("linha 4"));
    QCOMPARE(notas->mmoNotes->textCursor().selectedText(), QStringLiteral("linha 2"));
    QVERIFY(notas->mmoNotes->hasFocus());
    notas->gEditou = false;
}

void TstNotes::falhaAoGravarMantemTexto()
{
    TfrmNotes *notas = abrir();
    // A folder where the file should be: it cannot be replaced.
    QVERIFY(QDir().mkpath(notasTxt()));
    notas->mmoNotes->setPlainText(QStringLiteral("não perder isto"));
    m->clicar(QStringLiteral("btnOk"));
    QTest::mouseClick(notas->btnOk, Qt::LeftButton);
    QCOMPARE(m->vistas.size(), 1);
    QCOMPARE(m->vistas[0].tipo, 2);
    QVERIFY(janelas().frmNotes);
    QCOMPARE(notas->mmoNotes->toPlainText(), QStringLiteral("não perder isto"));
    QVERIFY(notas->gEditou);
    QDir(notasTxt()).removeRecursively();
    notas->gEditou = false;
}

void TstNotes::fecharSistemaComNotasAlteradas()
{
    TfrmNotes *notas = abrir();
    QTest::keyClicks(notas->mmoNotes, QStringLiteral("x"));
    m->clicar(QStringLiteral("btnOk"));       // "Fechar o sistema?" yes
    m->clicar(QStringLiteral("btnCancelar")); // "Houve alterações..." no
    principal->close();
    QCOMPARE(m->vistas.size(), 2);
    QCOMPARE(m->vistas[1].texto, QStringLiteral("Houve alterações. Fechar sem salvar?"));
    QVERIFY(principal->isVisible());
    QVERIFY(janelas().frmNotes);
    notas->gEditou = false;
}

VASPIRA_GUI_TEST_MAIN(TstNotes)
#include "tst_notes.moc"
