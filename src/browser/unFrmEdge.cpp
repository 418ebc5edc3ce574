#include "browser/unFrmEdge.h"

#include "app/janelas.h"
#include "app/pausa.h"
#include "app/unFrmPrincipal.h"
#include "browser/unFrmInstalarWebview.h"
#include "dialogs/mensagens.h"
#include "dialogs/unFrmProgresso.h"
#include "harvest/textos.h"
#include "storage/arquivoTexto.h"
#include "storage/pastas.h"
#include "workspace/unFrmExtrairNavegador.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>


namespace {

// A page's request for a new window opens in the same view.
class PaginaVaspira : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    QWebEnginePage *createWindow(WebWindowType) override { return this; }
};

// A page script that returns `expressao` (a string) as the page holds it.
// Lone surrogates (a post cut inside an emoji) become U+FFFD so the text
// always crosses over.
QString scriptDeLeitura(const char *expressao)
{
    return QStringLiteral("(function(){var s=%1;"
                          "return s.replace(/[\\uD800-\\uDBFF](?![\\uDC00-\\uDFFF])|"
                          "(?<![\\uD800-\\uDBFF])[\\uDC00-\\uDFFF]/g,'\\uFFFD');})()")
        .arg(QLatin1String(expressao));
}

const QString &scriptTexto()
{
    static const QString s = scriptDeLeitura("document.body?document.body.innerText:''");
    return s;
}

const QString &scriptFonte()
{
    static const QString s = scriptDeLeitura("document.documentElement?document.documentElement.outerHTML:''");
    return s;
}

constexpr int kPreto = 0;
constexpr int kVerde = 0 + 256 * 128;
constexpr int kMarrom = 128;
constexpr int kVermelho = 255;

const char *const kProtecao =
    "Erro: O sistema de proteção de dados do Instagram foi ativado. Você deve fazer a confirmação da "
    "conta (se foi esse o pedido), ou então aguardar algum tempo até que o Instagram desbloqueie o seu "
    "acesso e pare de exibir a mensagem de erro";

QPixmap setaDoMarcador()
{
    QPixmap p(24, 24);
    p.fill(QColor(255, 230, 0));
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setBrush(Qt::black);
    pintor.setPen(Qt::NoPen);
    const QPointF seta[] = {{0, 0}, {0, 17}, {4.5, 13}, {8, 20}, {11, 18.5}, {7.5, 12}, {13, 12}};
    pintor.drawPolygon(seta, 7);
    return p;
}

} // namespace

TfrmEdge::TfrmEdge(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmEdge"));
    setWindowTitle(QStringLiteral("Navegador Web"));

    // One named profile kept in the application's folder: cookies and
    // logins survive restarts, and nothing lands outside that folder.
    mPerfil = new QWebEngineProfile(QStringLiteral("vaspira"), this);
    mPerfil->setPersistentStoragePath(caminhoNaPasta(QStringLiteral("navegador")));
    mPerfil->setCachePath(caminhoNaPasta(QStringLiteral("navegador/cache")));
    mPerfil->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    QWebEngineSettings *config = mPerfil->settings();
    config->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    config->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);

    auto botao = [this](const char *nome, const QString &texto) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setText(texto);
        return b;
    };
    btnVoltar = botao("btnVoltar", QStringLiteral("<"));
    edtUrl = new QLineEdit;
    edtUrl->setObjectName(QStringLiteral("edtUrl"));
    edtUrl->setText(QStringLiteral("https://www.google.com.br"));
    SpeedButton1 = botao("SpeedButton1", QStringLiteral("Copiar URL"));
    btnReload = botao("btnReload", QStringLiteral("Recarregar"));
    btnOpcoes = botao("btnOpcoes", QStringLiteral("Mais opções"));
    // Never visible: Enter in the address bar runs its action.
    GoBtn = botao("GoBtn", QStringLiteral("Ir"));
    GoBtn->hide();
    auto *barra = new QHBoxLayout;
    barra->addWidget(btnVoltar);
    barra->addWidget(edtUrl, 1);
    barra->addWidget(SpeedButton1);
    barra->addWidget(btnReload);
    barra->addWidget(btnOpcoes);

    popOpcoes = new QMenu(this);
    popOpcoes->setObjectName(QStringLiteral("popOpcoes"));
    QAction *codigo = popOpcoes->addAction(QStringLiteral("Exibir código-fonte"));
    codigo->setObjectName(QStringLiteral("Exibircdigofonte1"));
    QAction *texto = popOpcoes->addAction(QStringLiteral("Obter texto da página"));
    texto->setObjectName(QStringLiteral("Obtertextodapgina1"));
    QAction *posicao = popOpcoes->addAction(QStringLiteral("Exibir posição relativa do mouse"));
    posicao->setObjectName(QStringLiteral("Exibirposiorelativadomouse1"));

    pgMain = new QTabWidget;
    pgMain->setObjectName(QStringLiteral("pgMain"));
    auto *paginaNavegador = new QWidget;
    paginaNavegador->setObjectName(QStringLiteral("tsNavegador"));
    web = new QWebEngineView(paginaNavegador);
    web->setObjectName(QStringLiteral("web"));
    auto *layNavegador = new QVBoxLayout(paginaNavegador);
    layNavegador->setContentsMargins(0, 0, 0, 0);
    layNavegador->addWidget(web);
    // The marker lies over the view in the view's own parent, so its left and
    // top are view coordinates.
    pnMouse = new QFrame(paginaNavegador);
    pnMouse->setObjectName(QStringLiteral("pnMouse"));
    pnMouse->setFixedSize(24, 24);
    Image1 = new QLabel(pnMouse);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(24, 24);
    Image1->setPixmap(setaDoMarcador());
    Image1->setCursor(Qt::SizeAllCursor);
    Image1->installEventFilter(this);
    pnMouse->move(48, 59);
    pnMouse->raise();

    auto *paginaFonte = new QWidget;
    paginaFonte->setObjectName(QStringLiteral("tsFonte"));
    mmoFonte = new QPlainTextEdit;
    mmoFonte->setObjectName(QStringLiteral("mmoFonte"));
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::Monospace);
    mmoFonte->setFont(mono);
    SpeedButton2 = botao("SpeedButton2", QStringLiteral("Abrir no Bloco de Notas"));
    auto *layFonte = new QVBoxLayout(paginaFonte);
    layFonte->addWidget(SpeedButton2, 0, Qt::AlignLeft);
    layFonte->addWidget(mmoFonte, 1);
    pgMain->addTab(paginaNavegador, QStringLiteral("Navegador"));
    pgMain->addTab(paginaFonte, QStringLiteral("Código-fonte"));

    pnStNavegador = new QLabel(QStringLiteral(" STATUS:"));
    pnStNavegador->setObjectName(QStringLiteral("pnStNavegador"));
    edtMouse = new QLineEdit(QStringLiteral("0,0"));
    edtMouse->setObjectName(QStringLiteral("edtMouse"));
    edtMouse->setFixedWidth(90);
    auto *status = new QHBoxLayout;
    status->addWidget(pnStNavegador, 1);
    status->addWidget(edtMouse);

    auto *principal = new QVBoxLayout(this);
    principal->addLayout(barra);
    principal->addWidget(pgMain, 1);
    principal->addLayout(status);

    connect(btnVoltar, &QToolButton::clicked, web, &QWebEngineView::back);
    connect(btnReload, &QToolButton::clicked, web, &QWebEngineView::reload);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(edtUrl->text());
        msgInformacao(QStringLiteral("Endereço web copiado com sucesso!"));
    });
    connect(btnOpcoes, &QToolButton::clicked, this, [this] {
        QFont f = popOpcoes->font();
        f.setPointSize(10);
        popOpcoes->setFont(f);
        popOpcoes->popup(btnOpcoes->mapToGlobal(QPoint(0, btnOpcoes->height())));
    });
    connect(GoBtn, &QToolButton::clicked, this, &TfrmEdge::GoBtnClick);
    connect(edtUrl, &QLineEdit::returnPressed, GoBtn, &QToolButton::click);
    connect(codigo, &QAction::triggered, this, &TfrmEdge::exibirCodigoFonte);
    connect(texto, &QAction::triggered, this, &TfrmEdge::obterTextoDaPagina);
    connect(posicao, &QAction::triggered, this, [this] {
        const bool mostrar = pnMouse->isHidden();
        pnMouse->setVisible(mostrar);
        edtMouse->setVisible(mostrar);
    });
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmEdge::abrirNoBlocoDeNotas);

    mTmProgresso = new QTimer(this);
    mTmProgresso->setInterval(100);
    connect(mTmProgresso, &QTimer::timeout, this, &TfrmEdge::progressoDoInicio);

    tmStart = new QTimer(this);
    tmStart->setObjectName(QStringLiteral("tmStart"));
    tmStart->setInterval(2000);
    connect(tmStart, &QTimer::timeout, this, &TfrmEdge::tmStartTimer);
    tmStart->start();
}

TfrmEdge::~TfrmEdge()
{
    // The page must go before its profile.
    if (QWebEnginePage *p = mPagina) {
        web->setPage(nullptr);
        delete p;
    }
}

void TfrmEdge::novaPagina()
{
    QWebEnginePage *antiga = mPagina;
    auto *pagina = new PaginaVaspira(mPerfil, this);
    connect(pagina, &QWebEnginePage::loadStarted, this, [this] {
        gNavigationStarting = true;
        gIniciou = true;
    });
    connect(pagina, &QWebEnginePage::loadProgress, this, [this](int) {
        pnStNavegador->setText(QStringLiteral("Carregando página..."));
    });
    connect(pagina, &QWebEnginePage::loadFinished, this, [this](bool) {
        pnStNavegador->setText(QStringLiteral("Página carregada"));
        QCoreApplication::processEvents();
        gNavigationStarting = false;
        pnStNavegador->clear();
    });
    connect(pagina, &QWebEnginePage::titleChanged, this, [this](const QString &t) { setWindowTitle(t); });
    connect(pagina, &QWebEnginePage::urlChanged, this, [this](const QUrl &u) {
        const QLocale local;
        setWindowTitle(local.toString(QDateTime::currentDateTime(), QLocale::ShortFormat) + QStringLiteral(" - source changed"));
        edtUrl->setText(u.toString());
    });
    web->setPage(pagina);
    mPagina = pagina;
    if (antiga)
        antiga->deleteLater();
}

bool TfrmEdge::inicializarNavegador()
{
    if (mPagina)
        return true;
    if (mIniciando)
        return false;
    TfrmProgresso *progresso = janelas().frmProgresso;
    if (progresso)
        progresso->addStatus(QStringLiteral("Progresso: "), kPreto, false);
    // The view counts as started once its renderer has loaded an empty page.
    // The wait is driven by timers, not by a loop of its own: the browser
    // engine does not run its start-up work inside nested event loops.
    novaPagina();
    mIniciando = true;
    mRodadas = 0;
    mRelogioInicio.start();
    connect(web->page(), &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok)
            concluirInicio(true);
    });
    web->page()->setHtml(QStringLiteral("<html><body></body></html>"));
    mTmProgresso->start();
    return false;
}

void TfrmEdge::progressoDoInicio()
{
    if (!mIniciando)
        return;
    ++mRodadas;
    if (mRodadas % 5 == 0) {
        if (TfrmProgresso *progresso = janelas().frmProgresso)
            progresso->addStatusComp(QStringLiteral("#"), kPreto, false, false);
    }
    if (mRelogioInicio.elapsed() / 1000 >= 10)
        concluirInicio(false);
}

void TfrmEdge::tmStartTimer()
{
    TfrmPrincipal *principal = janelas().frmPrincipal;
    if (principal && principal->gNaoTentarIniciarWeb)
        return;
    tmStart->stop();
    TfrmProgresso *progresso = janelas().frmProgresso;
    if (progresso) {
        progresso->progressoInicio(QStringLiteral("Abrindo navegador..."), true);
        progresso->addStatus(QStringLiteral("Inicializando o navegador..."), kPreto, false);
    }
    if (inicializarNavegador()) {
        mIniciando = true;
        concluirInicio(true);
    }
}

void TfrmEdge::concluirInicio(bool sucesso)
{
    if (!mIniciando)
        return;
    mIniciando = false;
    mTmProgresso->stop();
    TfrmProgresso *progresso = janelas().frmProgresso;
    if (sucesso) {
        gIniciou = true;
        if (progresso) {
            progresso->addStatus(QStringLiteral("O navegador foi iniciado com sucesso!"), kVerde, false);
            progresso->progressoFim(QStringLiteral("Processo concluído"), true, 1);
        }
        return;
    }
    if (progresso)
        progresso->addStatus(QStringLiteral("A inicialização falhou. Abrindo instruções para instalar o módulo do navegador..."),
                             kMarrom, false);
    if (TfrmPrincipal *principal = janelas().frmPrincipal)
        principal->gNaoTentarIniciarWeb = true;
    if (progresso)
        progresso->progressoFim(QStringLiteral("Processo concluído"), true, 0);
    instalarWebView();
}

void TfrmEdge::instalarWebView()
{
    TfrmPrincipal *principal = janelas().frmPrincipal;
    if (principal) {
        if (principal->gTentouInstalarWebView)
            return;
        principal->gTentouInstalarWebView = true;
    }
    if (TfrmInstalarWebview *janela = janelas().frmInstalarWebview; janela && janela->isVisible())
        return;
    if (msgPergunta(QStringLiteral("Para o navegador web funcionar é necessário instalar um componente da "
                                   "Microsoft chamado Webview. Podemos continuar?"))
        == 6) {
        TfrmInstalarWebview *janela = janelas().frmInstalarWebview;
        if (!janela)
            janela = abrirJanelaDeInstalacao();
        janela->show();
        janela->raise();
    } else {
        msgAviso(QStringLiteral("Entendi... Sem instalar o componente de navegação da Microsoft, este software não terá utilidade"));
    }
}

bool TfrmEdge::navegar(const QString &endereco)
{
    QString alvo = endereco;
    if (!alvo.startsWith(QStringLiteral("http")))
        alvo.prepend(QStringLiteral("https://"));
    try {
        // Every navigation starts in a fresh page: the history goes, the
        // profile's cookies stay.
        novaPagina();
        pgMain->setCurrentIndex(0);
        gNavigationStarting = false;
        momentoStart();
        web->page()->setUrl(QUrl(alvo));
        while (!gNavigationStarting) {
            if (momentoSegundos() > 5)
                break;
            pausarSegundos(0.2);
        }
        return gNavigationStarting;
    } catch (...) {
        return false;
    }
}

void TfrmEdge::executarScript(const QString &script)
{
    gNavegadorOutput.clear();
    QWebEnginePage *pagina = mPagina;
    if (!pagina)
        return;
    // A world of its own: a page that redefines its globals cannot forge
    // what the harvest reads.
    QPointer<TfrmEdge> eu(this);
    pagina->runJavaScript(script, QWebEngineScript::ApplicationWorld, [eu](const QVariant &r) {
        if (!eu)
            return;
        const QString texto = r.typeId() == QMetaType::QString ? r.toString() : QString();
        // An empty or failed answer still counts as no answer.
        if (!texto.isEmpty())
            eu->gNavegadorOutput = texto;
    });
}

bool TfrmEdge::esperarResposta(int limite)
{
    momentoStart();
    while (gNavegadorOutput.isEmpty()) {
        pausarSegundos(0.5);
        if (momentoSegundos() > limite)
            return false;
    }
    return true;
}

QString TfrmEdge::getTextoNavegador()
{
    executarScript(scriptTexto());
    if (!esperarResposta(10))
        return QString();
    const QString resultado = gNavegadorOutput;
    if (resultado.contains(QStringLiteral("Ajude-nos a confirmar que esta conta é sua"))
        || resultado.contains(QStringLiteral("Aguarde alguns minutos antes de tentar novamente"))) {
        TfrmProgresso *progresso = janelas().frmProgresso;
        if (progresso) {
            // The line goes first, so the finished title is the one that stays.
            progresso->addStatus(QString::fromUtf8(kProtecao), kVermelho, false);
            progresso->progressoFim(QStringLiteral("Processo cancelado"), false, 0);
        }
        msgAjuda(QString::fromUtf8(kProtecao)
                     + QStringLiteral("\\n\\nO sistema de proteção é ativado geralmente quando você efetua uma "
                                      "quantidade de ações muito grande, que pode incluir seguir, curtir, comentar "
                                      "ou visitar muitos perfis e páginas. Certas ações, como a extração de "
                                      "contatos por buscas, você pode também fazer por contas secundárias, para "
                                      "evitar que sua conta principal fique limitada por algum tempo"),
                 0, 350);
        throw InterrupcaoSilenciosa();
    }
    return resultado;
}

QString TfrmEdge::getFonteNavegador()
{
    executarScript(scriptFonte());
    if (!esperarResposta(15))
        return QString();
    return gNavegadorOutput;
}

void TfrmEdge::exibirCodigoFonte()
{
    mostrarNaAbaFonte(scriptFonte(), 10,
                      QStringLiteral("Não foi possível obter o código-fonte da página aberta. Por favor tente notamente"));
}

void TfrmEdge::obterTextoDaPagina()
{
    // Bounded like the other page reads.
    mostrarNaAbaFonte(scriptTexto(), 15,
                      QStringLiteral("Não foi possível obter o texto da página aberta. Por favor tente novamente"));
}

void TfrmEdge::mostrarNaAbaFonte(const QString &script, int limite, const QString &falha)
{
    executarScript(script);
    if (!esperarResposta(limite)) {
        msgErro(falha);
        return;
    }
    mmoFonte->setPlainText(gNavegadorOutput);
    pgMain->setCurrentIndex(1);
}

void TfrmEdge::abrirNoBlocoDeNotas()
{
    const QString caminho = caminhoNaPasta(QStringLiteral("tempfonte.txt"));
    QString erro;
    if (!gravarArquivoTexto(caminho, comQuebrasCrLf(mmoFonte->toPlainText()), Codificacao::Utf8, erro)) {
        msgErro(erro);
        return;
    }
    pausarSegundos(1);
    QDesktopServices::openUrl(QUrl::fromLocalFile(caminho));
}

void TfrmEdge::GoBtnClick()
{
    if (!edtUrl->text().toLower().contains(QStringLiteral("http")))
        edtUrl->setText(QStringLiteral("https://") + edtUrl->text());
    if (navegar(edtUrl->text()))
        return;
    // A second try, without the clicks at fixed points the old runtime's
    // prompt needed: here they would land on the user's page.
    QCoreApplication::processEvents();
    pausarSegundos(0.5);
    navegar(edtUrl->text());
}

void TfrmEdge::exibirPonto(int x, int y)
{
    pnMouse->move(x, y);
    pnMouse->raise();
}

void TfrmEdge::cliqueNavegador(int x, int y, int segurar)
{
    // The widget that takes the page's input appears once the page renders;
    // the search is bounded and a run ends quietly past it.
    QWidget *alvo = web->focusProxy();
    momentoStart();
    while (!alvo) {
        if (momentoSegundos() > 10)
            throw InterrupcaoSilenciosa();
        pausarSegundos(0.5);
        alvo = web->focusProxy();
    }
    exibirPonto(x, y);
    const QPointer<QWidget> guarda(alvo);
    const QPoint local = alvo->mapFrom(web, QPoint(x, y));
    const QPoint global = alvo->mapToGlobal(local);
    QCoreApplication::postEvent(alvo, new QMouseEvent(QEvent::MouseButtonPress, QPointF(local), QPointF(global),
                                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::processEvents();
    QThread::msleep(100);
    if (segurar > 0)
        pausarSegundos(segurar);
    if (guarda)
        QCoreApplication::postEvent(alvo, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(local), QPointF(global),
                                                          Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QCoreApplication::processEvents();
}

void TfrmEdge::clicarAbsoluto(int x, int y)
{
    try {
        const QPoint global = web->mapToGlobal(QPoint(x, y));
        QCursor::setPos(global);
        QCoreApplication::processEvents();
        if (QWidget *alvo = QApplication::widgetAt(global)) {
            const QPoint local = alvo->mapFromGlobal(global);
            QCoreApplication::postEvent(alvo, new QMouseEvent(QEvent::MouseButtonPress, QPointF(local), QPointF(global),
                                                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
            QThread::msleep(100);
            QCoreApplication::postEvent(alvo, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(local),
                                                              QPointF(global), Qt::LeftButton, Qt::NoButton,
                                                              Qt::NoModifier));
        }
        pnMouse->show();
    } catch (...) {
    }
}

void TfrmEdge::marcadorSoltado()
{
    const QString ponto = QStringLiteral("%1,%2").arg(pnMouse->x()).arg(pnMouse->y());
    edtMouse->setText(ponto);
    if (TfrmExtrairNavegador *ws = janelas().frmExtrairNavegador)
        ws->edtPontoClique->setText(ponto);
}

bool TfrmEdge::eventFilter(QObject *alvo, QEvent *evento)
{
    // The marker is dragged and double-clicked by its image.
    if (alvo != Image1)
        return QWidget::eventFilter(alvo, evento);
    switch (evento->type()) {
    case QEvent::MouseButtonPress: {
        auto *m = static_cast<QMouseEvent *>(evento);
        pnMouse->raise();
        mArrastando = true;
        mInicioArraste = m->position().toPoint();
        return true;
    }
    case QEvent::MouseMove:
        if (mArrastando) {
            auto *m = static_cast<QMouseEvent *>(evento);
            pnMouse->move(pnMouse->mapToParent(Image1->mapToParent(m->position().toPoint()) - mInicioArraste));
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (mArrastando) {
            mArrastando = false;
            marcadorSoltado();
            return true;
        }
        break;
    case QEvent::MouseButtonDblClick: {
        // A test click where the marker stands.
        pnMouse->hide();
        QCoreApplication::processEvents();
        int x = 0;
        int y = 0;
        if (setPoint(edtMouse->text(), x, y))
            cliqueNavegador(x, y, 0);
        pnMouse->show();
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(alvo, evento);
}

void TfrmEdge::closeEvent(QCloseEvent *evento)
{
    // The one browser window lives until the application ends.
    evento->ignore();
}

void TfrmEdge::resizeEvent(QResizeEvent *evento)
{
    QWidget::resizeEvent(evento);
    const QWidget *moldura = molduraDe(this);
    pnStNavegador->setText(QStringLiteral("L: %1 : A: %2").arg(moldura->width()).arg(moldura->height()));
}

void TfrmEdge::showEvent(QShowEvent *evento)
{
    QWidget::showEvent(evento);
    pgMain->setCurrentIndex(0);
}

void TfrmEdge::pausarSegundos(double segundos)
{
    pausar(segundos, relogioReal(false));
}

void TfrmEdge::momentoStart()
{
    gMomento = QDateTime::currentDateTime();
}

int TfrmEdge::momentoSegundos() const
{
    return segundosDesde(gMomento);
}
