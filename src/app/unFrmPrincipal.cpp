#include "app/unFrmPrincipal.h"

#include "app/enderecos.h"
#include "app/janelas.h"
#include "app/pausa.h"
#include "app/unDtmPrincipal.h"
#include "browser/unFrmEdge.h"
#include "browser/unFrmInstalarWebview.h"
#include "storage/pastas.h"
#include "notes/unFrmNotes.h"
#include "welcome/unFrmTips.h"
#include "dialogs/mensagens.h"
#include "workspace/unFrmExtrairNavegador.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>

namespace {

QTimer *timerUnico(QObject *dono, const char *nome, int intervalo)
{
    auto *t = new QTimer(dono);
    t->setObjectName(QString::fromLatin1(nome));
    t->setInterval(intervalo);
    t->setSingleShot(true);
    return t;
}

} // namespace

TfrmPrincipal::TfrmPrincipal(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(QStringLiteral("Vaspira"));
    resize(1200, 800);

    // Top bar
    auto *barra = new QToolBar(QStringLiteral("Barra superior"));
    barra->setObjectName(QStringLiteral("tbSuperior"));
    barra->setMovable(false);
    barra->setFloatable(false);
    btnNotes = new QToolButton;
    btnNotes->setObjectName(QStringLiteral("btnNotes"));
    btnNotes->setText(QStringLiteral("Anotações"));
    connect(btnNotes, &QToolButton::clicked, this, &TfrmPrincipal::abrirNotas);
    barra->addWidget(btnNotes);
    auto *espaco = new QWidget;
    espaco->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    barra->addWidget(espaco);
    SpeedButton1 = new QToolButton;
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Tutoriais"));
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmPrincipal::SpeedButton1Click);
    barra->addWidget(SpeedButton1);
    btnSair = new QToolButton;
    btnSair->setObjectName(QStringLiteral("btnSair"));
    btnSair->setText(QStringLiteral("Sair"));
    connect(btnSair, &QToolButton::clicked, this, &QWidget::close);
    barra->addWidget(btnSair);
    pnAtualizacao = new QWidget;
    pnAtualizacao->setObjectName(QStringLiteral("pnAtualizacao"));
    auto *layAtualizacao = new QHBoxLayout(pnAtualizacao);
    layAtualizacao->setContentsMargins(8, 0, 8, 0);
    lbAtualizacao = new QLabel(QStringLiteral("Tem atualização!!"));
    lbAtualizacao->setObjectName(QStringLiteral("lbAtualizacao"));
    QFont fonteAtualizacao = lbAtualizacao->font();
    fonteAtualizacao.setUnderline(true);
    lbAtualizacao->setFont(fonteAtualizacao);
    QPalette palAtualizacao = lbAtualizacao->palette();
    palAtualizacao.setColor(QPalette::WindowText, Qt::red);
    lbAtualizacao->setPalette(palAtualizacao);
    layAtualizacao->addWidget(lbAtualizacao);
    barra->addWidget(pnAtualizacao)->setVisible(false);
    pnAtualizacao->hide();
    addToolBar(Qt::TopToolBarArea, barra);

    // Menu
    QMenu *opcoes = menuBar()->addMenu(QStringLiteral("Opções"));
    opcoes->setObjectName(QStringLiteral("mnOpcoes"));
    Exibirdicasdeuso1 = opcoes->addAction(QStringLiteral("Exibir dicas de uso"));
    Exibirdicasdeuso1->setObjectName(QStringLiteral("Exibirdicasdeuso1"));
    connect(Exibirdicasdeuso1, &QAction::triggered, this, [] { novaJanelaDeDicas()->show(); });
    Fechar1 = opcoes->addAction(QStringLiteral("Fechar o sistema"));
    Fechar1->setObjectName(QStringLiteral("Fechar1"));
    connect(Fechar1, &QAction::triggered, this, &QWidget::close);

    // Left column and the frame for the child windows
    auto *central = new QWidget;
    auto *layCentral = new QHBoxLayout(central);
    layCentral->setContentsMargins(0, 0, 0, 0);
    auto *coluna = new QWidget;
    coluna->setObjectName(QStringLiteral("pnFontes"));
    coluna->setFixedWidth(150);
    auto *layColuna = new QVBoxLayout(coluna);
    auto *cabecalho = new QLabel(QStringLiteral("Extrair..."));
    QFont negrito = cabecalho->font();
    negrito.setBold(true);
    cabecalho->setFont(negrito);
    layColuna->addWidget(cabecalho);
    btnDaweb = new QPushButton(QStringLiteral("Da web"));
    btnDaweb->setObjectName(QStringLiteral("btnDaweb"));
    btnColando = new QPushButton(QStringLiteral("Colando"));
    btnColando->setObjectName(QStringLiteral("btnColando"));
    btnDeArquivos = new QPushButton(QStringLiteral("De arquivos"));
    btnDeArquivos->setObjectName(QStringLiteral("btnDeArquivos"));
    for (QPushButton *b : {btnDaweb, btnColando, btnDeArquivos}) {
        b->setMinimumHeight(40);
        layColuna->addWidget(b);
    }
    layColuna->addStretch();
    connect(btnDaweb, &QPushButton::clicked, this, [this] { extrairDaWeb(); });
    connect(btnColando, &QPushButton::clicked, this, [this] { extrairColando(); });
    connect(btnDeArquivos, &QPushButton::clicked, this, [this] { extrairDeArquivos(); });

    mdiArea = new QMdiArea;
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    layCentral->addWidget(coluna);
    layCentral->addWidget(mdiArea, 1);
    setCentralWidget(central);

    tmStart = timerUnico(this, "tmStart", 3000);
    connect(tmStart, &QTimer::timeout, this, &TfrmPrincipal::tmStartTimer);
    tmIniciarNavegadores = timerUnico(this, "tmIniciarNavegadores", 2000);
    connect(tmIniciarNavegadores, &QTimer::timeout, this,
            &TfrmPrincipal::tmIniciarNavegadoresTimer);
}

void TfrmPrincipal::showEvent(QShowEvent *evento)
{
    QMainWindow::showEvent(evento);
    if (!gIniciou) {
        gIniciou = true;
        tmStart->start();
    }
}

void TfrmPrincipal::closeEvent(QCloseEvent *evento)
{
    if (msgPergunta(QStringLiteral("Fechar o sistema?")) != 6) {
        evento->ignore();
        return;
    }
    // Unsaved notes get their own question; "&Não" keeps the application open.
    if (TfrmNotes *notas = janelas().frmNotes; notas && !notas->podeFechar()) {
        evento->ignore();
        return;
    }
    evento->accept();
    // Queued, so the close completes before the event loop ends.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

QMdiSubWindow *TfrmPrincipal::hospedar(QWidget *janela, bool centralizar)
{
    const QSize tamanho = janela->size();
    QMdiSubWindow *sub = mdiArea->addSubWindow(janela);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // A blank icon keeps the application's icon out of every child's title bar.
    QPixmap semIcone(1, 1);
    semIcone.fill(Qt::transparent);
    sub->setWindowIcon(QIcon(semIcone));
    janela->show();
    sub->show();
    // The child keeps its designed client size inside the frame.
    sub->resize(tamanho + (sub->size() - janela->size()));
    if (centralizar) {
        QRect r = sub->geometry();
        r.moveCenter(mdiArea->viewport()->rect().center());
        sub->move(r.topLeft().x() < 0 ? 0 : r.topLeft().x(), r.topLeft().y() < 0 ? 0 : r.topLeft().y());
    }
    return sub;
}

TfrmExtrairNavegador *TfrmPrincipal::novoWorkspace()
{
    auto *frm = new TfrmExtrairNavegador;
    hospedar(frm, false);
    janelas().frmExtrairNavegador = frm;
    return frm;
}

TfrmExtrairNavegador *TfrmPrincipal::extrairDaWeb()
{
    TfrmExtrairNavegador *frm = novoWorkspace();
    frm->pgcDados->setCurrentIndex(0);
    frm->pgcDados->setTabVisible(1, false);
    tmIniciarNavegadores->start();
    frm->gModoExtracao = QStringLiteral("web");
    return frm;
}

TfrmExtrairNavegador *TfrmPrincipal::extrairColando()
{
    TfrmExtrairNavegador *frm = novoWorkspace();
    frm->pgcDados->setCurrentIndex(1);
    frm->pgcDados->setTabVisible(0, false);
    frm->gModoExtracao = QStringLiteral("texto");
    return frm;
}

TfrmNotes *TfrmPrincipal::abrirNotas()
{
    btnNotes->setEnabled(false);
    auto *notas = new TfrmNotes;
    hospedar(notas, true);
    // The button is the context: the connection goes with it.
    connect(notas, &QObject::destroyed, btnNotes, [botao = btnNotes] { botao->setEnabled(true); });
    janelas().frmNotes = notas;
    return notas;
}

void TfrmPrincipal::extrairDeArquivos()
{
    // TODO: opens the document wizard on its first step once it exists.
}

void TfrmPrincipal::tmStartTimer()
{
    tmStart->stop();
    if (TdtmPrincipal *dtm = janelas().dtmPrincipal)
        dtm->abrirBD();
}

void TfrmPrincipal::AbrirNavegadores()
{
    gIniciouNavegadores = true;
    limparMemoriaNavegador();
    pausarSegundos(2);
    auto *navegador = new TfrmEdge;
    navegador->resize(950, 600);
    // Its frame is freed on close like every child's, but a close never gets
    // that far: the browser window refuses every close.
    QMdiSubWindow *sub = hospedar(navegador, false);
    sub->move(50, 50);
    gNavegador1 = navegador;
    janelas().frmNavegador = navegador;
    if (TfrmExtrairNavegador *ws = janelas().frmExtrairNavegador) {
        if (QMdiSubWindow *subWs = subJanelaDe(ws))
            mdiArea->setActiveSubWindow(subWs);
    }
}

void TfrmPrincipal::tmIniciarNavegadoresTimer()
{
    tmIniciarNavegadores->stop();
    // A second "Da web" during the wait arms the timer again; its start-up
    // would run inside this one's pumps and give a second message.
    if (gEsperandoNavegador)
        return;
    gEsperandoNavegador = true;
    const auto fim = qScopeGuard([this] { gEsperandoNavegador = false; });

    if (!QFile::exists(caminhoNaPasta(QStringLiteral("webview_status.txt"))))
        abrirJanelaDeInstalacao();
    if (!gIniciouNavegadores) {
        AbrirNavegadores();
        QCoreApplication::processEvents();
    }
    QElapsedTimer espera;
    espera.start();
    for (;;) {
        if (gNavegador1 && gNavegador1->gIniciou) {
            try {
                TfrmInstalarWebview::registrarWebviewInstalado();
                if (TfrmInstalarWebview *janela = janelas().frmInstalarWebview)
                    janela->close();
            } catch (...) {
            }
            return;
        }
        pausarSegundos(1);
        if (espera.elapsed() / 1000 > 10) {
            msgErro(QStringLiteral("Os navegadores não foram iniciados corretamente. Siga as instruções para "
                                   "instalar o módulo web e reinicie este sistema"));
            abrirJanelaDeInstalacao();
            return;
        }
    }
}

void TfrmPrincipal::SpeedButton1Click()
{
    QDesktopServices::openUrl(QUrl(enderecoTutoriais()));
}

void TfrmPrincipal::pausarSegundos(double segundos)
{
    pausar(segundos, relogioReal(false));
}

int escalaDaTela(const QScreen *tela)
{
    const double dpi = tela ? tela->logicalDotsPerInchX() : 96.0;
    return static_cast<int>(std::lround(dpi * 100.0 / 96.0));
}

int TfrmPrincipal::GetMonitorScale() const
{
    return escalaDaTela(screen());
}
