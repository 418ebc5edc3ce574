#pragma once

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QScreen;
class QTimer;
class QToolButton;
class QWidget;
class TfrmEdge;
class TfrmExtrairNavegador;
class TfrmNotes;

// The display scale of `tela` in percent (its logical DPI against 96); 100
// when there is no screen.
int escalaDaTela(const QScreen *tela);

// The main window: a frame that hosts every other window of the application.
class TfrmPrincipal : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmPrincipal(QWidget *parent = nullptr);

    TfrmExtrairNavegador *extrairDaWeb();
    TfrmExtrairNavegador *extrairColando();
    void extrairDeArquivos();
    TfrmNotes *abrirNotas();

    // Creates the browser window, once per run.
    void AbrirNavegadores();
    // Only this application's own leftover browser helpers could be ended;
    // Qt WebEngine ends its helpers with the application, so nothing is left.
    void limparMemoriaNavegador() {}

    // Waits while pumping events; see pausar().
    void pausarSegundos(double segundos);
    int GetMonitorScale() const;

    bool gIniciou = false;
    bool gIniciouNavegadores = false;
    bool gTentouInstalarWebView = false;
    bool gNaoTentarIniciarWeb = false;
    QPointer<TfrmEdge> gNavegador1;

    QMdiArea *mdiArea = nullptr;
    QPushButton *btnDaweb = nullptr;
    QPushButton *btnColando = nullptr;
    QPushButton *btnDeArquivos = nullptr;
    QToolButton *btnNotes = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *btnSair = nullptr;
    QWidget *pnAtualizacao = nullptr;
    QLabel *lbAtualizacao = nullptr;
    QAction *Exibirdicasdeuso1 = nullptr;
    QAction *Fechar1 = nullptr;
    QTimer *tmStart = nullptr;
    QTimer *tmIniciarNavegadores = nullptr;

protected:
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;

private:
    TfrmExtrairNavegador *novoWorkspace();
    // Puts a window into the frame as a child window that is freed on close.
    QMdiSubWindow *hospedar(QWidget *janela, bool centralizar);
    void tmStartTimer();
    void tmIniciarNavegadoresTimer();
    bool gEsperandoNavegador = false;
    void SpeedButton1Click();
};
