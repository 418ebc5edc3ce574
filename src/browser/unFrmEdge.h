#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <stdexcept>

class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

// Ends a web run quietly: the browser has already told the user why.
class InterrupcaoSilenciosa : public std::runtime_error
{
public:
    InterrupcaoSilenciosa()
        : std::runtime_error("interrompido")
    {}
};

// The application's one web browser, a child window that cannot be closed.
class TfrmEdge : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmEdge(QWidget *parent = nullptr);
    ~TfrmEdge() override;

    bool navegar(const QString &endereco);
    // The page's visible text / HTML source as the page holds it; empty when
    // the page does not answer in time (10 s / 15 s). Throws
    // InterrupcaoSilenciosa when the page asks to confirm the account.
    QString getTextoNavegador();
    QString getFonteNavegador();
    bool inicializarNavegador();
    void instalarWebView();

    // Left click at view coordinates, delivered to the page without moving
    // the system pointer. Throws InterrupcaoSilenciosa when the page's input
    // widget cannot be found.
    void cliqueNavegador(int x, int y, int segurar);
    void clicarAbsoluto(int x, int y);
    void exibirPonto(int x, int y);

    void pausarSegundos(double segundos);
    void momentoStart();
    int momentoSegundos() const;

    bool gIniciou = false;
    bool gNavigationStarting = false;
    // The last page script's answer; empty until it comes (an empty answer
    // counts as none).
    QString gNavegadorOutput;
    QDateTime gMomento;

    QToolButton *btnVoltar = nullptr;
    QLineEdit *edtUrl = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *btnReload = nullptr;
    QToolButton *btnOpcoes = nullptr;
    QToolButton *GoBtn = nullptr;
    QMenu *popOpcoes = nullptr;
    QTabWidget *pgMain = nullptr;
    QWebEngineView *web = nullptr;
    QFrame *pnMouse = nullptr;
    QLabel *Image1 = nullptr;
    QPlainTextEdit *mmoFonte = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QLabel *pnStNavegador = nullptr;
    QLineEdit *edtMouse = nullptr;
    QTimer *tmStart = nullptr;

protected:
    void closeEvent(QCloseEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    void showEvent(QShowEvent *evento) override;
    bool eventFilter(QObject *alvo, QEvent *evento) override;

private:
    void tmStartTimer();
    void progressoDoInicio();
    void concluirInicio(bool sucesso);
    void GoBtnClick();
    void executarScript(const QString &script);
    // Waits for a page script's answer; false after `limite` whole seconds.
    bool esperarResposta(int limite);
    void exibirCodigoFonte();
    void obterTextoDaPagina();
    // Reads the page with `script` into the source tab; `falha` after `limite` s.
    void mostrarNaAbaFonte(const QString &script, int limite, const QString &falha);
    void abrirNoBlocoDeNotas();
    void novaPagina();
    void marcadorSoltado();

    QWebEngineProfile *mPerfil = nullptr;
    // The page novaPagina() put in the view; null before the first one.
    // QWebEngineView::page() would make a default page just to be asked.
    QPointer<QWebEnginePage> mPagina;
    QTimer *mTmProgresso = nullptr;
    QElapsedTimer mRelogioInicio;
    bool mIniciando = false;
    int mRodadas = 0;
    QPoint mInicioArraste;
    bool mArrastando = false;
};
