#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSqlQueryModel;
class QTableView;
class QTabWidget;
class QTimer;
class QToolButton;
enum class Colheita;

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
    QString extrairTelefones(const QString &texto);
    // Shows its progress in progress1 and lbStatus and stops early when the
    // current run's stop request is set; the words found so far are kept.
    QString extrairContendo(const QString &texto, const QString &valor);
    QString tratarEmail(const QString &email) const;

    // Merges harvested lines (CR LF, CR or LF separated) into mmoDados.
    void mesclarResultados(const QString &coletado);
    void atualizarStatus();
    // Lists the saved scripts. A database that cannot be read is reported
    // and leaves the list empty: the workspace still opens.
    void abrirListaDeScripts();
    // Lines of mmoDados; an empty line after the last break does not count.
    int contarLinhasResultados() const;
    // Browser size, click point and display scale
    void TravarJanelaNavegador(const QString &tamanho);
    void atualizarEscala();
    void exibirPontoNavegador(const QString &ponto);
    QString gEscala;

    // Results tools
    void excluirLinhasContendo(QPlainTextEdit *aMemo, const QString &valor);
    void excluirTextoEntre(QPlainTextEdit *aMemo, const QString &valori, const QString &valorf);
    void btnCopiarClick();
    void tmChupaCabraTimer();
    // Capture on or off: check box, banner and timer together.
    void definirCaptura(bool ligada);

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
    QTableView *dbgRepo = nullptr;
    QSqlQueryModel *qryRepo = nullptr;

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
    QPushButton *btnLimpar = nullptr;
    QPushButton *btnSelecionarTudo = nullptr;
    QPushButton *btnCopiar = nullptr;
    QPushButton *btnUtilitarios = nullptr;
    QPushButton *pnChupaCabra = nullptr;
    QPlainTextEdit *mmoDados = nullptr;
    QFrame *pnUtilitarios = nullptr;
    QLineEdit *edtExcluirContendo = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QLineEdit *edtValori = nullptr;
    QLineEdit *edtValorf = nullptr;
    QToolButton *SpeedButton3 = nullptr;
    QLineEdit *edtSubstituir = nullptr;
    QLineEdit *edtPor = nullptr;
    QToolButton *SpeedButton5 = nullptr;
    QCheckBox *ckbChupaCabra = nullptr;
    QToolButton *SpeedButton6 = nullptr;
    QToolButton *btnCloseUtils = nullptr;
    QLabel *stMemo = nullptr;
    QTimer *tmChupaCabra = nullptr;

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
    bool eventFilter(QObject *alvo, QEvent *evento) override;

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

    // Reads the kind and terms chosen on `pagina` (TabSheet1 or TabSheet3) and
    // harvests `texto`; false, after the message, when a term is blank.
    bool colher(const QWidget *pagina, const QString &texto, QString &coletado);
    // A harvest that takes no terms (telephones, e-mails); a failure gives
    // nothing rather than ending the run.
    QString colherSemTermos(Colheita tipo, const QString &texto);
    QWidget *criarPaginaWeb();
    QWidget *criarPaginaTexto();
    QWidget *criarPaginaDados();
    QWidget *criarUtilitarios();
    void mostrarUtilitarios(bool mostrar);
    // Shows the progress panel for a results tool over `linhas` lines and
    // gives the tool its own stop request.
    void iniciarFerramenta(int linhas);
    void SpeedButton1Click();
    void SpeedButton3Click();
    void SpeedButton5Click();
    QWidget *criarBarraInferior();
    void voltarAoRepouso();
    void fecharJanela();
    void btnTutorialContatoClick();
    void tmStatusTimer();

    // Capture must neither lose a copy nor loop with clipboard managers that
    // put the last text back when the clipboard is emptied.
    QString gUltimaCaptura;
    qint64 gMomentoCaptura = 0;
    int gMudancasDesdeCaptura = 0;

    int gExecucoes = 0;
    bool gFecharPendente = false;
};
