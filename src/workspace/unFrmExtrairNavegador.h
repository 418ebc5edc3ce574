#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QToolButton;

// The extraction workspace: harvests a web page or a pasted text and keeps
// the merged results.
class TfrmExtrairNavegador : public QWidget
{
    Q_OBJECT

public:
    // A stop request belongs to the run that was stopped: "Parar" followed by a
    // new run must never resume the old one, so each run gets its own.
    using PedidoParada = std::shared_ptr<bool>;

    explicit TfrmExtrairNavegador(QWidget *parent = nullptr);
    ~TfrmExtrairNavegador() override;

    QString gModoExtracao;
    PedidoParada gCancelou;

    void btnExtrairDadosClick();
    void extrairDeTexto();
    void extrairDaWeb();
    void btnCancelarExtracaoClick();

    QString extrairEmails(const QString &texto);
    QString tratarEmail(const QString &email) const;

    // Merges harvested lines (CR LF, CR or LF separated) into mmoDados.
    void mesclarResultados(const QString &coletado);
    void atualizarStatus();
    // Lines of mmoDados; an empty line after the last break does not count.
    int contarLinhasResultados() const;
    // True while a run or results tool of this window is on the stack.
    bool estaExecutando() const { return gExecucoes > 0; }

    // Title bar
    QToolButton *btnTutorialContato = nullptr;
    QTabWidget *pgcDados = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet3 = nullptr;
    QWidget *TabSheet2 = nullptr;

    // "Extração da web"
    QFrame *pnRegistroAberto = nullptr;
    QLineEdit *edtURL = nullptr;
    QToolButton *SpeedButton7 = nullptr;
    QLineEdit *edtTamanhoNavegador = nullptr;
    QLineEdit *edtDescricao = nullptr;
    QRadioButton *rdbTelefones = nullptr;
    QRadioButton *rdbEmails = nullptr;
    QRadioButton *rdbTextoContendo = nullptr;
    QRadioButton *rdbTextoEntre = nullptr;
    QLineEdit *edtContendo = nullptr;
    QLineEdit *edtEntre1 = nullptr;
    QLineEdit *edtEntre2 = nullptr;
    QRadioButton *rdbPegarTexto = nullptr;
    QRadioButton *rdbPegarFonte = nullptr;
    QLineEdit *edtPontoClique = nullptr;
    QLineEdit *edtCliqueVezes = nullptr;
    QLabel *lbEscala = nullptr;
    QLineEdit *edtRepetir = nullptr;
    QWidget *pnScripts = nullptr;

    // "Extrair de um texto"
    QRadioButton *rdbTelefones2 = nullptr;
    QRadioButton *rdbEmails2 = nullptr;
    QRadioButton *rdbTextoContendo2 = nullptr;
    QRadioButton *rdbTextoEntre2 = nullptr;
    QLineEdit *edtContendo2 = nullptr;
    QLineEdit *edtEntre12 = nullptr;
    QLineEdit *edtEntre22 = nullptr;
    QToolButton *SpeedButton4 = nullptr;
    QPlainTextEdit *mmoExtracao = nullptr;

    // "Dados"
    QPlainTextEdit *mmoDados = nullptr;
    QLabel *stMemo = nullptr;

    // Bottom bar
    QPushButton *btnExtrairDados = nullptr;
    QFrame *pnProgresso = nullptr;
    QLabel *lbStatus = nullptr;
    QProgressBar *progress1 = nullptr;
    QPushButton *btnCancelarExtracao = nullptr;
    QPushButton *btnCancelar = nullptr;

    QTimer *tmStatus = nullptr;

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    // Counts the runs on the stack and carries out a close that was asked for
    // while they worked, once the last of them has returned.
    class Execucao
    {
    public:
        explicit Execucao(TfrmExtrairNavegador *janela);
        ~Execucao();

    private:
        TfrmExtrairNavegador *mJanela;
    };

    QWidget *criarPaginaWeb();
    QWidget *criarPaginaTexto();
    QWidget *criarPaginaDados();
    QWidget *criarBarraInferior();
    void voltarAoRepouso();
    void fecharJanela();
    void btnTutorialContatoClick();
    void tmStatusTimer();

    int gExecucoes = 0;
    bool gFecharPendente = false;
};
