#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QTimer;
class QToolButton;
class QWidget;
class TfrmExtrairNavegador;
class TfrmNotes;

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

    // Waits while pumping events; see pausar().
    void pausarSegundos(double segundos);
    int GetMonitorScale() const;

    bool gIniciou = false;
    bool gIniciouNavegadores = false;
    bool gTentouInstalarWebView = false;
    bool gNaoTentarIniciarWeb = false;

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
    void SpeedButton1Click();
};
