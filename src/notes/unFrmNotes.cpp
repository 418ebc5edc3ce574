#include "notes/unFrmNotes.h"

#include "app/janelas.h"
#include "dialogs/desenho.h"
#include "dialogs/erroVaspira.h"
#include "dialogs/mensagens.h"
#include "harvest/textos.h"
#include "storage/pastas.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *const kTextoInicial =
    "Módulo de anotações para uso geral. Você pode usar estas anotações \n"
    "para \n"
    "finalidades diversas como:\n"
    "\n"
    "- Anotar informações sobre as tags que criou;\n"
    "- Fazer anotações sobre campanhas ou angendamentos;\n"
    "- Registrar qualquer informação que queira buscar posteriormente";

QString caminhoNotas()
{
    return caminhoNaPasta(QStringLiteral("notes.txt"));
}

// A piece of the document as toPlainText() gives it: no-break spaces as
// plain ones, in-paragraph breaks as LF.
QString comoTextoSimples(QString texto)
{
    for (QChar &c : texto) {
        switch (c.unicode()) {
        case 0xFDD0: // start of frame
        case 0xFDD1: // end of frame
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
            c = QLatin1Char('\n');
            break;
        case QChar::Nbsp:
            c = QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return texto;
}

// A display line: where it starts in the document and how long it is. The
// box wraps long lines, so one paragraph may give several.
void selecionar(QPlainTextEdit *memo, int inicio, int tamanho)
{
    QTextCursor c(memo->document());
    c.setPosition(inicio);
    c.setPosition(inicio + tamanho, QTextCursor::KeepAnchor);
    memo->setTextCursor(c);
}

struct LinhaExibida {
    int inicio = 0;
    int tamanho = 0;
};

QList<LinhaExibida> linhasExibidas(QPlainTextEdit *memo)
{
    QList<LinhaExibida> linhas;
    QTextDocument *doc = memo->document();
    auto *layout = qobject_cast<QPlainTextDocumentLayout *>(doc->documentLayout());
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (layout)
            layout->ensureBlockLayout(b);
        const QTextLayout *tl = b.layout();
        const int n = tl ? tl->lineCount() : 0;
        if (n == 0) {
            linhas.append({b.position(), b.length() - 1});
            continue;
        }
        for (int i = 0; i < n; ++i) {
            const QTextLine l = tl->lineAt(i);
            int tamanho = l.textLength();
            // The last line of a paragraph does not include its break.
            if (l.textStart() + tamanho > b.length() - 1)
                tamanho = b.length() - 1 - l.textStart();
            linhas.append({b.position() + l.textStart(), tamanho});
        }
    }
    return linhas;
}

} // namespace

TfrmNotes::TfrmNotes(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmNotes"));
    setWindowTitle(QStringLiteral("Anotações gerais"));
    resize(635, 607);

    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(desenharSvg(QStringLiteral(":/notes/icones/notas.svg"), QSize(48, 48)));
    Label1 = new QLabel(QStringLiteral("Anotações gerais"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(tahoma(21, true));
    auto *cabecalho = new QWidget;
    cabecalho->setFixedHeight(47);
    auto *layCabecalho = new QHBoxLayout(cabecalho);
    layCabecalho->setContentsMargins(6, 0, 6, 0);
    layCabecalho->addWidget(Image1);
    layCabecalho->addWidget(Label1, 1);

    pnTool = new QWidget;
    pnTool->setObjectName(QStringLiteral("pnTool"));
    pnTool->setFixedHeight(29);
    const QColor cinzaDaBarra(0xDD, 0xDD, 0xDD);
    pintarFundo(pnTool, cinzaDaBarra);
    edtLocalizar = new QLineEdit;
    edtLocalizar->setObjectName(QStringLiteral("edtLocalizar"));
    edtLocalizar->setPlaceholderText(QStringLiteral("Localizar..."));
    btnPrior = new QToolButton;
    btnPrior->setObjectName(QStringLiteral("btnPrior"));
    btnPrior->setArrowType(Qt::LeftArrow);
    btnPrior->setToolTip(QStringLiteral("Localizar anterior"));
    btnNext = new QToolButton;
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setArrowType(Qt::RightArrow);
    btnNext->setToolTip(QStringLiteral("Localizar próximo"));
    btnDataHora = new QToolButton;
    btnDataHora->setObjectName(QStringLiteral("btnDataHora"));
    btnDataHora->setText(QStringLiteral("(F6)"));
    btnDataHora->setToolTip(QStringLiteral("Inserir data e hora"));
    btnDataHora->setIcon(QIcon(desenharSvg(QStringLiteral(":/notes/icones/relogio.svg"), QSize(16, 16))));
    btnDataHora->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto *layTool = new QHBoxLayout(pnTool);
    layTool->setContentsMargins(4, 2, 4, 2);
    layTool->addWidget(edtLocalizar, 1);
    layTool->addWidget(btnPrior);
    layTool->addWidget(btnNext);
    layTool->addWidget(btnDataHora);

    mmoNotes = new QPlainTextEdit;
    mmoNotes->setObjectName(QStringLiteral("mmoNotes"));
    mmoNotes->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmoNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont consolas(QStringLiteral("Consolas"));
    consolas.setStyleHint(QFont::Monospace);
    consolas.setPixelSize(15);
    mmoNotes->setFont(consolas);
    QPalette palNotas = mmoNotes->palette();
    palNotas.setColor(QPalette::Base, QColor(44, 30, 27));
    palNotas.setColor(QPalette::Text, QColor(0, 255, 0));
    // The selection stays visible while the search box has the focus.
    palNotas.setColor(QPalette::Inactive, QPalette::Highlight, palNotas.color(QPalette::Active, QPalette::Highlight));
    palNotas.setColor(QPalette::Inactive, QPalette::HighlightedText,
                      palNotas.color(QPalette::Active, QPalette::HighlightedText));
    mmoNotes->setPalette(palNotas);
    mmoNotes->setPlainText(QString::fromUtf8(kTextoInicial));

    lstLinha = new QListWidget;
    lstLinha->setObjectName(QStringLiteral("lstLinha"));
    auto *coluna = new QWidget;
    coluna->setFixedWidth(51);
    pintarFundo(coluna, cinzaDaBarra);
    auto *layColuna = new QVBoxLayout(coluna);
    layColuna->setContentsMargins(2, 2, 2, 2);
    layColuna->addWidget(new QLabel(QStringLiteral("Linha:")));
    layColuna->addWidget(lstLinha, 1);

    auto *meio = new QHBoxLayout;
    meio->setContentsMargins(0, 0, 0, 0);
    meio->setSpacing(0);
    meio->addWidget(mmoNotes, 1);
    meio->addWidget(coluna);

    btnOk = botaoDeDialogo(this, "btnOk", QStringLiteral("&Salvar (F4)"), 111,
                           ":/dialogs/icones/glifo_ok.svg");
    btnFechar = botaoDeDialogo(this, "btnFechar", QStringLiteral("&Fechar"), 114,
                               ":/notes/icones/fechar.svg");

    auto *corpo = new QVBoxLayout;
    corpo->setContentsMargins(0, 0, 0, 0);
    corpo->setSpacing(0);
    corpo->addWidget(cabecalho);
    corpo->addWidget(pnTool);
    corpo->addLayout(meio, 1);
    montarMolduraDeDialogo(this, corpo, btnOk, nullptr, btnFechar);

    connect(mmoNotes, &QPlainTextEdit::textChanged, this, [this] { gEditou = true; });
    connect(btnOk, &QPushButton::clicked, this, &TfrmNotes::btnOkClick);
    connect(btnFechar, &QPushButton::clicked, this, &TfrmNotes::btnFecharClick);
    connect(btnDataHora, &QToolButton::clicked, this, &TfrmNotes::btnDataHoraClick);
    connect(btnNext, &QToolButton::clicked, this, [this] { irPara(1); });
    connect(btnPrior, &QToolButton::clicked, this, [this] { irPara(-1); });
    connect(lstLinha, &QListWidget::itemClicked, this, [this] { mostrarOcorrencia(); });

    // Keys reach the window before its controls (the search box and the line
    // list among them).
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
}

void TfrmNotes::carregarNotas()
{
    const QString caminho = caminhoNotas();
    if (QFile::exists(caminho)) {
        TextoDecodificado lido;
        QString erro;
        if (!lerArquivoTexto(caminho, lido, erro))
            throw ErroVaspira(erro);
        gCodificacao = lido.codificacao;
        // Line breaks of any kind become the box's own.
        QString texto = lido.texto;
        normalizarQuebras(texto);
        mmoNotes->setPlainText(texto);
    }
    gEditou = false;
}

void TfrmNotes::salvarNotas()
{
    const QString texto = mmoNotes->toPlainText();
    if (emBranco(texto))
        return;
    // A file that came with a byte-order mark keeps it; anything else is
    // written as UTF-8 (Windows-1252 files included) so no typed character is
    // lost.
    QString erro;
    if (!gravarArquivoTexto(caminhoNotas(), comQuebrasCrLf(texto), gCodificacao, erro))
        throw ErroVaspira(erro);
    gEditou = false;
    msgInformacao(QStringLiteral("Salvo"), 1);
}

void TfrmNotes::btnOkClick()
{
    salvarNotas();
    gFechamentoAceito = true;
    fecharJanela();
}

bool TfrmNotes::podeFechar()
{
    if (!gEditou)
        return true;
    return msgPergunta(QStringLiteral("Houve alterações. Fechar sem salvar?"), 0) == 6;
}

void TfrmNotes::btnFecharClick()
{
    if (!podeFechar())
        return;
    gFechamentoAceito = true;
    fecharJanela();
}

void TfrmNotes::fecharJanela()
{
    fecharJanelaFilha(this);
}

void TfrmNotes::closeEvent(QCloseEvent *evento)
{
    // The title bar's close box asks like "&Fechar": unsaved notes are never
    // dropped without a word.
    if (!gFechamentoAceito && !podeFechar()) {
        evento->ignore();
        return;
    }
    gFechamentoAceito = true;
    QWidget::closeEvent(evento);
}

void TfrmNotes::showEvent(QShowEvent *evento)
{
    QWidget::showEvent(evento);
    if (!gAbriu) {
        gAbriu = true;
        carregarNotas();
        edtLocalizar->setFocus();
    }
}

QString TfrmNotes::dataHoraAtual()
{
    const QLocale local;
    const QDateTime agora = QDateTime::currentDateTime();
    // The long time format of some locales carries the time zone; the notes
    // get hours, minutes and seconds.
    QString formatoHora = local.timeFormat(QLocale::LongFormat);
    formatoHora.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return local.toString(agora.date(), QLocale::ShortFormat) + QLatin1Char(' ')
           + local.toString(agora.time(), formatoHora.trimmed());
}

void TfrmNotes::btnDataHoraClick()
{
    memoAddCode(mmoNotes, dataHoraAtual());
    mmoNotes->setFocus();
}

void TfrmNotes::MemoLinesWithText(QPlainTextEdit *memo, const QString &texto)
{
    lstLinha->clear();
    if (!memo || texto.isEmpty())
        return;
    const QString documento = memo->toPlainText();
    const QList<LinhaExibida> linhas = linhasExibidas(memo);
    for (int i = 0; i < linhas.size(); ++i) {
        if (QStringView(documento).mid(linhas[i].inicio, linhas[i].tamanho).contains(texto, Qt::CaseInsensitive))
            lstLinha->addItem(QString::number(i + 1));
    }
    if (lstLinha->count() > 0)
        lstLinha->setCurrentRow(0);
}

void TfrmNotes::memoGotoLine(QPlainTextEdit *aMemo, int linha)
{
    const QList<LinhaExibida> linhas = linhasExibidas(aMemo);
    if (linha >= 0 && linha < linhas.size())
        selecionar(aMemo, linhas[linha].inicio, linhas[linha].tamanho);
}

void TfrmNotes::selectTextInLine(QPlainTextEdit *aMemo, int linha, const QString &texto)
{
    const QList<LinhaExibida> linhas = linhasExibidas(aMemo);
    if (linha < 0 || linha >= linhas.size())
        return;
    const LinhaExibida &l = linhas[linha];
    // Only this line's paragraph is read, not the whole document.
    const QTextBlock bloco = aMemo->document()->findBlock(l.inicio);
    const QString trecho = comoTextoSimples(bloco.text().mid(l.inicio - bloco.position(), l.tamanho));
    const qsizetype pos = trecho.indexOf(texto, 0, Qt::CaseInsensitive);
    // The match when there is one, else the whole line.
    if (pos < 0)
        selecionar(aMemo, l.inicio, l.tamanho);
    else
        selecionar(aMemo, l.inicio + int(pos), int(texto.size()));
}

int TfrmNotes::getMemoLine(QPlainTextEdit *aMemo)
{
    const int posicao = aMemo->textCursor().position();
    const QList<LinhaExibida> linhas = linhasExibidas(aMemo);
    for (int i = linhas.size() - 1; i >= 0; --i) {
        if (linhas[i].inicio <= posicao)
            return i;
    }
    return 0;
}

void TfrmNotes::memoAddCode(QPlainTextEdit *aMemo, const QString &valor)
{
    if (!aMemo)
        return;
    const int linha = getMemoLine(aMemo);
    QTextCursor c = aMemo->textCursor();
    c.insertText(QLatin1Char('\n') + valor + QLatin1Char('\n'));
    aMemo->setTextCursor(c);
    if (linha > 0)
        memoGotoLine(aMemo, linha - 1);
}

void TfrmNotes::mostrarOcorrencia()
{
    QListWidgetItem *item = lstLinha->currentItem();
    if (!item || !item->isSelected())
        return;
    bool ok = false;
    const int n = item->text().toInt(&ok);
    if (ok)
        selectTextInLine(mmoNotes, n - 1, edtLocalizar->text());
}

void TfrmNotes::localizar()
{
    MemoLinesWithText(mmoNotes, edtLocalizar->text());
    // A match makes the first row current and selected.
    if (lstLinha->currentItem()) {
        mostrarOcorrencia();
        mmoNotes->setFocus();
    }
}

void TfrmNotes::irPara(int passo)
{
    const int atual = lstLinha->currentRow();
    const int novo = atual + passo;
    if (novo >= lstLinha->count())
        return;
    if (novo < 0) {
        lstLinha->setCurrentRow(-1);
        lstLinha->clearSelection();
        return;
    }
    lstLinha->setCurrentRow(novo);
    mostrarOcorrencia();
}

bool TfrmNotes::FormKeyDown(QKeyEvent *evento)
{
    switch (evento->key()) {
    case Qt::Key_F4:
        btnOk->click();
        return true;
    case Qt::Key_Escape:
        btnFechar->click();
        return true;
    case Qt::Key_F6:
        // The button's caption names F6; users press it.
        btnDataHora->click();
        return true;
    default:
        return false;
    }
}

bool TfrmNotes::eventFilter(QObject *alvo, QEvent *evento)
{
    if (evento->type() == QEvent::KeyPress) {
        auto *tecla = static_cast<QKeyEvent *>(evento);
        if (FormKeyDown(tecla))
            return true;
        if (alvo == edtLocalizar && (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter)) {
            localizar();
            return true;
        }
    } else if (evento->type() == QEvent::KeyRelease && alvo == lstLinha) {
        mostrarOcorrencia();
    }
    return QWidget::eventFilter(alvo, evento);
}
