#include "workspace/unFrmExtrairNavegador.h"

#include "app/enderecos.h"
#include "app/janelas.h"
#include "app/pausa.h"
#include "app/unDtmPrincipal.h"
#include "app/unFrmPrincipal.h"
#include "browser/unFrmEdge.h"
#include "dialogs/ajudantes.h"
#include "dialogs/mensagens.h"
#include "harvest/colheita.h"
#include "harvest/emails.h"
#include "harvest/ferramentas.h"
#include "harvest/mesclagem.h"
#include "harvest/palavras.h"
#include "harvest/telefones.h"
#include "harvest/textos.h"
#include "storage/banco.h"

#include <QButtonGroup>
#include <climits>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QMimeData>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QHeaderView>
#include <QRadioButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QTabWidget>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

template <typename T>
T *nomeado(T *w, const char *nome)
{
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

QLabel *rotuloNegrito(const QString &texto)
{
    auto *l = new QLabel(texto);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

void bombear()
{
    QCoreApplication::processEvents();
}

// "O que você quer extrair?": the web page and the text page each have their
// own group, named alike with a suffix ("rdbTelefones", "rdbTelefones2").
void montarEscolha(QVBoxLayout *layout, QWidget *pagina, const char *sufixo, QRadioButton *&telefones,
                   QRadioButton *&emails, QRadioButton *&contendo, QRadioButton *&entre,
                   QLineEdit *&edtContendo, QLineEdit *&edtEntre1, QLineEdit *&edtEntre2)
{
    auto nome = [sufixo](const char *base) {
        return QString::fromLatin1(base) + QString::fromLatin1(sufixo);
    };
    auto radio = [&](const char *texto, const char *base) {
        auto *r = new QRadioButton(QString::fromUtf8(texto));
        r->setObjectName(nome(base));
        return r;
    };
    auto campo = [&](const char *base) {
        auto *e = new QLineEdit;
        e->setObjectName(nome(base));
        return e;
    };
    layout->addWidget(rotuloNegrito(QStringLiteral("O que você quer extrair?")));
    auto *grupo = new QButtonGroup(pagina);
    telefones = radio("Telefones", "rdbTelefones");
    emails = radio("E-mails", "rdbEmails");
    contendo = radio("Textos contendo:", "rdbTextoContendo");
    entre = radio("Texto contido entre:", "rdbTextoEntre");
    for (QRadioButton *r : {telefones, emails, contendo, entre})
        grupo->addButton(r);
    telefones->setChecked(true);
    edtContendo = campo("edtContendo");
    edtEntre1 = campo("edtEntre1");
    edtEntre2 = campo("edtEntre2");
    layout->addWidget(telefones);
    layout->addWidget(emails);
    auto *linhaContendo = new QHBoxLayout;
    linhaContendo->addWidget(contendo);
    linhaContendo->addWidget(edtContendo, 1);
    layout->addLayout(linhaContendo);
    auto *linhaEntre = new QHBoxLayout;
    linhaEntre->addWidget(entre);
    linhaEntre->addWidget(edtEntre1, 1);
    linhaEntre->addWidget(new QLabel(QStringLiteral("e")));
    linhaEntre->addWidget(edtEntre2, 1);
    layout->addLayout(linhaEntre);
}

} // namespace

TfrmExtrairNavegador::Execucao::Execucao(TfrmExtrairNavegador *janela)
    : mJanela(janela)
{
    ++mJanela->gExecucoes;
}

TfrmExtrairNavegador::Execucao::~Execucao()
{
    if (--mJanela->gExecucoes == 0 && mJanela->gFecharPendente) {
        // Close from the event loop, after this run's frames are gone.
        QTimer::singleShot(0, mJanela, [j = mJanela] { j->fecharJanela(); });
    }
}

TfrmExtrairNavegador::TfrmExtrairNavegador(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmExtrairNavegador"));
    setWindowTitle(QStringLiteral("Extrator de e-mails e telefones"));

    btnTutorialContato = nomeado(new QToolButton, "btnTutorialContato");
    btnTutorialContato->setText(QStringLiteral("Tutorial"));
    btnTutorialContato->setToolTip(QStringLiteral("Tutorial do módulo de extração de dados"));
    connect(btnTutorialContato, &QToolButton::clicked, this,
            &TfrmExtrairNavegador::btnTutorialContatoClick);
    auto *barraTitulo = new QHBoxLayout;
    barraTitulo->addStretch();
    barraTitulo->addWidget(btnTutorialContato);

    pgcDados = nomeado(new QTabWidget, "pgcDados");
    TabSheet1 = nomeado(criarPaginaWeb(), "TabSheet1");
    TabSheet3 = nomeado(criarPaginaTexto(), "TabSheet3");
    TabSheet2 = nomeado(criarPaginaDados(), "TabSheet2");
    pgcDados->addTab(TabSheet1, QStringLiteral("Extração da web"));
    pgcDados->addTab(TabSheet3, QStringLiteral("Extrair de um texto"));
    pgcDados->addTab(TabSheet2, QStringLiteral("Dados"));

    auto *principal = new QVBoxLayout(this);
    principal->addLayout(barraTitulo);
    principal->addWidget(pgcDados, 1);
    principal->addWidget(criarBarraInferior());

    tmStatus = nomeado(new QTimer(this), "tmStatus");
    tmStatus->setInterval(1000);
    connect(tmStatus, &QTimer::timeout, this, &TfrmExtrairNavegador::tmStatusTimer);
    tmStatus->start();

    atualizarStatus();
    resize(900, 620);

    edtPontoClique->installEventFilter(this);
    edtTamanhoNavegador->installEventFilter(this);
    lbEscala->installEventFilter(this);
    atualizarEscala();
    // TODO: the offer of online example scripts joins the showing work with
    // the script tools.
    abrirListaDeScripts();
}

void TfrmExtrairNavegador::abrirListaDeScripts()
{
    QString erro;
    QSqlDatabase db = conexaoBanco(&erro);
    if (db.isOpen()) {
        QSqlQuery consulta(db);
        // Run only once prepared: running an unprepared query would replace
        // the reason it failed with a bare "No query".
        if (consulta.prepare(QStringLiteral("select * from tbrepo where categoria = :categoria"))) {
            consulta.bindValue(QStringLiteral(":categoria"), QStringLiteral("extrair_config"));
            consulta.exec();
        }
        // A query that failed leaves its error in the model.
        qryRepo->setQuery(std::move(consulta));
        while (qryRepo->canFetchMore())
            qryRepo->fetchMore();
        if (qryRepo->lastError().isValid())
            erro = qryRepo->lastError().text();
    }
    if (!erro.isEmpty()) {
        qryRepo->clear();
        msgErro(erro);
        return;
    }
    const QSqlRecord campos = qryRepo->record();
    for (int c = 0; c < qryRepo->columnCount(); ++c)
        dbgRepo->setColumnHidden(c, campos.fieldName(c) != u"nome");
    const int nome = campos.indexOf(QStringLiteral("nome"));
    if (nome >= 0)
        dbgRepo->setColumnWidth(nome, 300);
}

TfrmExtrairNavegador::~TfrmExtrairNavegador() = default;

QWidget *TfrmExtrairNavegador::criarPaginaWeb()
{
    auto *pagina = new QWidget;
    auto *esquerda = new QVBoxLayout;

    pnRegistroAberto = nomeado(new QFrame, "pnRegistroAberto");
    pnRegistroAberto->setFrameShape(QFrame::StyledPanel);
    pnRegistroAberto->hide();
    esquerda->addWidget(pnRegistroAberto);

    auto *campos = new QGridLayout;
    edtURL = nomeado(new QLineEdit, "edtURL");
    edtURL->setPlaceholderText(QStringLiteral("https://"));
    SpeedButton7 = nomeado(new QToolButton, "SpeedButton7");
    SpeedButton7->setText(QStringLiteral("?"));
    campos->addWidget(new QLabel(QStringLiteral("Link: (opcional):")), 0, 0);
    campos->addWidget(edtURL, 0, 1);
    campos->addWidget(SpeedButton7, 0, 2);

    edtTamanhoNavegador = nomeado(new QLineEdit(QStringLiteral("800,600")), "edtTamanhoNavegador");
    auto *tamanho = new QHBoxLayout;
    tamanho->addWidget(edtTamanhoNavegador);
    tamanho->addWidget(new QLabel(QStringLiteral("largura,altura (em pixels)")));
    tamanho->addStretch();
    campos->addWidget(new QLabel(QStringLiteral("Fixar largura e altura do navegador em:")), 1, 0);
    campos->addLayout(tamanho, 1, 1, 1, 2);

    edtDescricao = nomeado(new QLineEdit, "edtDescricao");
    campos->addWidget(new QLabel(QStringLiteral("Descrição:")), 2, 0);
    campos->addWidget(edtDescricao, 2, 1, 1, 2);
    esquerda->addLayout(campos);

    montarEscolha(esquerda, pagina, "", rdbTelefones, rdbEmails, rdbTextoContendo, rdbTextoEntre,
                  edtContendo, edtEntre1, edtEntre2);

    esquerda->addWidget(rotuloNegrito(QStringLiteral("Método de extração:")));
    auto *metodo = new QButtonGroup(pagina);
    rdbPegarTexto = nomeado(new QRadioButton(
        QStringLiteral("Usar apenas o texto exibido na página do navegador")), "rdbPegarTexto");
    rdbPegarFonte = nomeado(new QRadioButton(QStringLiteral("Usar o código-fonte da página")),
                            "rdbPegarFonte");
    metodo->addButton(rdbPegarTexto);
    metodo->addButton(rdbPegarFonte);
    rdbPegarTexto->setChecked(true);
    esquerda->addWidget(rdbPegarTexto);
    esquerda->addWidget(rdbPegarFonte);

    auto *avancado = new QHBoxLayout;
    avancado->addWidget(rotuloNegrito(QStringLiteral("Avançado:")));
    avancado->addWidget(new QLabel(QStringLiteral("(deixe em branco o que não quiser usar)")));
    avancado->addStretch();
    esquerda->addLayout(avancado);

    edtPontoClique = nomeado(new QLineEdit, "edtPontoClique");
    edtCliqueVezes = nomeado(new QLineEdit, "edtCliqueVezes");
    lbEscala = nomeado(new QLabel(QStringLiteral("(escala)")), "lbEscala");
    auto *clique = new QHBoxLayout;
    clique->addWidget(new QLabel(QStringLiteral("Após cada extração, clicar no ponto")));
    clique->addWidget(edtPontoClique);
    clique->addWidget(edtCliqueVezes);
    clique->addWidget(new QLabel(QStringLiteral("vezes")));
    clique->addWidget(lbEscala);
    clique->addStretch();
    esquerda->addLayout(clique);

    edtRepetir = nomeado(new QLineEdit, "edtRepetir");
    auto *repetir = new QHBoxLayout;
    repetir->addWidget(new QLabel(QStringLiteral("Repetir a extração")));
    repetir->addWidget(edtRepetir);
    repetir->addWidget(new QLabel(QStringLiteral("vezes")));
    repetir->addStretch();
    esquerda->addLayout(repetir);
    esquerda->addStretch();

    pnScripts = nomeado(new QWidget, "pnScripts");
    auto *layScripts = new QVBoxLayout(pnScripts);
    qryRepo = new QSqlQueryModel(this);
    dbgRepo = nomeado(new QTableView, "dbgRepo");
    dbgRepo->setModel(qryRepo);
    dbgRepo->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgRepo->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgRepo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgRepo->verticalHeader()->hide();
    layScripts->addWidget(dbgRepo);

    auto *layout = new QHBoxLayout(pagina);
    layout->addLayout(esquerda, 3);
    layout->addWidget(pnScripts, 2);
    return pagina;
}

QWidget *TfrmExtrairNavegador::criarPaginaTexto()
{
    auto *pagina = new QWidget;
    auto *layout = new QVBoxLayout(pagina);

    montarEscolha(layout, pagina, "2", rdbTelefones2, rdbEmails2, rdbTextoContendo2, rdbTextoEntre2,
                  edtContendo2, edtEntre12, edtEntre22);

    SpeedButton4 = nomeado(new QToolButton, "SpeedButton4");
    SpeedButton4->setText(QStringLiteral("Limpar"));
    auto *cabecalho = new QHBoxLayout;
    cabecalho->addWidget(
        rotuloNegrito(QStringLiteral("Insira  os dados de onde os contatos serão extraídos:")));
    cabecalho->addStretch();
    cabecalho->addWidget(SpeedButton4);
    layout->addLayout(cabecalho);

    mmoExtracao = nomeado(new QPlainTextEdit, "mmoExtracao");
    mmoExtracao->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(mmoExtracao, 1);
    connect(SpeedButton4, &QToolButton::clicked, mmoExtracao, &QPlainTextEdit::clear);
    return pagina;
}

QWidget *TfrmExtrairNavegador::criarPaginaDados()
{
    auto *pagina = new QWidget;
    auto *layout = new QVBoxLayout(pagina);

    btnLimpar = nomeado(new QPushButton(QStringLiteral("Limpar")), "btnLimpar");
    btnSelecionarTudo = nomeado(new QPushButton(QStringLiteral("Selecionar tudo")), "btnSelecionarTudo");
    btnCopiar = nomeado(new QPushButton(QStringLiteral("Copiar")), "btnCopiar");
    btnCopiar->setToolTip(QStringLiteral("Copiar"));
    btnUtilitarios = nomeado(new QPushButton(QStringLiteral("Utilitários")), "btnUtilitarios");
    auto *ferramentas = new QHBoxLayout;
    for (QPushButton *b : {btnLimpar, btnSelecionarTudo, btnCopiar, btnUtilitarios})
        ferramentas->addWidget(b);
    ferramentas->addStretch();
    layout->addLayout(ferramentas);

    pnChupaCabra = nomeado(new QPushButton(QStringLiteral(
        "Copiando todo texto que entra na área de transferência. Clique aqui para desativar")),
        "pnChupaCabra");
    pnChupaCabra->setFlat(true);
    pnChupaCabra->setStyleSheet(QStringLiteral(
        "QPushButton { background: #1f9d3a; color: white; font-weight: bold; padding: 6px; border: none; }"));
    pnChupaCabra->hide();
    layout->addWidget(pnChupaCabra);

    mmoDados = nomeado(new QPlainTextEdit, "mmoDados");
    mmoDados->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(mmoDados, 1);
    layout->addWidget(criarUtilitarios());
    stMemo = nomeado(new QLabel, "stMemo");
    stMemo->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(stMemo);

    connect(btnLimpar, &QPushButton::clicked, mmoDados, &QPlainTextEdit::clear);
    connect(btnSelecionarTudo, &QPushButton::clicked, this, [this] {
        mmoDados->selectAll();
        mmoDados->setFocus();
    });
    connect(btnCopiar, &QPushButton::clicked, this, &TfrmExtrairNavegador::btnCopiarClick);
    connect(btnUtilitarios, &QPushButton::clicked, this, [this] { mostrarUtilitarios(true); });
    connect(pnChupaCabra, &QPushButton::clicked, this, [this] { definirCaptura(false); });

    tmChupaCabra = nomeado(new QTimer(this), "tmChupaCabra");
    tmChupaCabra->setInterval(350);
    connect(tmChupaCabra, &QTimer::timeout, this, &TfrmExtrairNavegador::tmChupaCabraTimer);
    if (QClipboard *area = QGuiApplication::clipboard()) {
        connect(area, &QClipboard::dataChanged, this, [this] {
            if (!QGuiApplication::clipboard()->text().isEmpty())
                ++gMudancasDesdeCaptura;
        });
    }
    return pagina;
}

QWidget *TfrmExtrairNavegador::criarUtilitarios()
{
    pnUtilitarios = new QFrame;
    pnUtilitarios->setObjectName(QStringLiteral("pnUtilitários"));
    pnUtilitarios->setFrameShape(QFrame::StyledPanel);
    auto *grade = new QGridLayout(pnUtilitarios);

    auto aplicar = [](const char *nome) {
        auto *b = nomeado(new QToolButton, nome);
        b->setText(QStringLiteral("Aplicar"));
        return b;
    };
    btnCloseUtils = nomeado(new QToolButton, "btnCloseUtils");
    btnCloseUtils->setText(QStringLiteral("X"));
    grade->addWidget(rotuloNegrito(QStringLiteral("Utilitários:")), 0, 0, 1, 4);
    grade->addWidget(btnCloseUtils, 0, 5, Qt::AlignRight);

    edtExcluirContendo = nomeado(new QLineEdit, "edtExcluirContendo");
    SpeedButton1 = aplicar("SpeedButton1");
    grade->addWidget(new QLabel(QStringLiteral("Excluir linhas contendo:")), 1, 0);
    grade->addWidget(edtExcluirContendo, 1, 1, 1, 3);
    grade->addWidget(SpeedButton1, 1, 4);

    edtValori = nomeado(new QLineEdit, "edtValori");
    edtValorf = nomeado(new QLineEdit, "edtValorf");
    SpeedButton3 = aplicar("SpeedButton3");
    grade->addWidget(new QLabel(QStringLiteral("Eliminar conteúdo entre:")), 2, 0);
    grade->addWidget(edtValori, 2, 1);
    grade->addWidget(new QLabel(QStringLiteral("e")), 2, 2);
    grade->addWidget(edtValorf, 2, 3);
    grade->addWidget(SpeedButton3, 2, 4);

    edtSubstituir = nomeado(new QLineEdit, "edtSubstituir");
    edtPor = nomeado(new QLineEdit, "edtPor");
    SpeedButton5 = aplicar("SpeedButton5");
    grade->addWidget(new QLabel(QStringLiteral("Substituir")), 3, 0);
    grade->addWidget(edtSubstituir, 3, 1);
    grade->addWidget(new QLabel(QStringLiteral("por")), 3, 2);
    grade->addWidget(edtPor, 3, 3);
    grade->addWidget(SpeedButton5, 3, 4);

    ckbChupaCabra = nomeado(new QCheckBox(QStringLiteral("Ativar modo CHUPA CABRA")), "ckbChupaCabra");
    SpeedButton6 = nomeado(new QToolButton, "SpeedButton6");
    SpeedButton6->setText(QStringLiteral("?"));
    auto *captura = new QHBoxLayout;
    captura->addWidget(ckbChupaCabra);
    captura->addWidget(SpeedButton6);
    captura->addStretch();
    grade->addLayout(captura, 4, 0, 1, 5);

    connect(btnCloseUtils, &QToolButton::clicked, this, [this] { mostrarUtilitarios(false); });
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmExtrairNavegador::SpeedButton1Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TfrmExtrairNavegador::SpeedButton3Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TfrmExtrairNavegador::SpeedButton5Click);
    connect(ckbChupaCabra, &QCheckBox::clicked, this, [this](bool marcado) { definirCaptura(marcado); });
    connect(SpeedButton6, &QToolButton::clicked, this, [] {
        msgAjuda(QStringLiteral("Modo Chupa Cabra: \\n\\nEnquanto estiver ativado, tudo o que for "
                                "copiado para a área de transferência (CTRL + C) é adicionado no "
                                "campo de extração."),
                 0, 200);
    });
    pnUtilitarios->hide();
    return pnUtilitarios;
}

void TfrmExtrairNavegador::mostrarUtilitarios(bool mostrar)
{
    pnUtilitarios->setVisible(mostrar);
    btnUtilitarios->setVisible(!mostrar);
}

void TfrmExtrairNavegador::definirCaptura(bool ligada)
{
    ckbChupaCabra->setChecked(ligada);
    pnChupaCabra->setVisible(ligada);
    if (ligada) {
        tmChupaCabra->start();
        // Keep the banner and the results in view.
        mostrarUtilitarios(false);
    } else {
        tmChupaCabra->stop();
    }
}

void TfrmExtrairNavegador::btnCopiarClick()
{
    if (pnChupaCabra->isVisible()) {
        definirCaptura(false);
        msgInformacao(QStringLiteral("A cópia automática foi desativada por segurança, já que você "
                                     "copiou o conteúdo extraído"),
                      5);
    }
    if (mmoDados->textCursor().hasSelection())
        mmoDados->copy();
}

void TfrmExtrairNavegador::tmChupaCabraTimer()
{
    try {
        QClipboard *area = QGuiApplication::clipboard();
        if (!area)
            return;
        const QMimeData *dados = area->mimeData(QClipboard::Clipboard);
        // Password managers mark secrets they copy; those are never taken.
        if (dados && dados->data(QStringLiteral("x-kde-passwordManagerHint")) == "secret")
            return;
        const QString bruto = area->text(QClipboard::Clipboard);
        const QString linha = linhaCapturada(bruto);
        if (linha.isEmpty())
            return;

        const qint64 agora = QDateTime::currentMSecsSinceEpoch();
        if (bruto == gUltimaCaptura) {
            // Put back by a clipboard manager just after we emptied it, or
            // never emptied at all: not a new copy.
            if (agora - gMomentoCaptura < 1000) {
                gMudancasDesdeCaptura = 0;
                return;
            }
            if (gMudancasDesdeCaptura == 0)
                return;
        }

        // Appended at the end, as a line of its own, without rewriting the
        // results (they may be long).
        QTextCursor fim(mmoDados->document());
        fim.movePosition(QTextCursor::End);
        const bool linhaAberta = !fim.block().text().isEmpty();
        fim.insertText((linhaAberta ? QStringLiteral("\n") : QString()) + linha + QLatin1Char('\n'));
        mmoDados->setTextCursor(fim);

        gUltimaCaptura = bruto;
        gMomentoCaptura = agora;
        // Only what was just taken is wiped: a newer copy by another program stays.
        if (area->text(QClipboard::Clipboard) == bruto)
            area->clear(QClipboard::Clipboard);
        gMudancasDesdeCaptura = 0;
        bombear();
    } catch (...) {
        // The clipboard may be held by another program; the next tick tries again.
    }
}

void TfrmExtrairNavegador::iniciarFerramenta(int linhas)
{
    progress1->setMaximum(qMax(linhas, 1));
    progress1->setValue(0);
    pnProgresso->show();
    gCancelou = std::make_shared<bool>(false);
    lbStatus->setText(QStringLiteral("Executando a tarefa..."));
    bombear();
}

void TfrmExtrairNavegador::excluirLinhasContendo(QPlainTextEdit *aMemo, const QString &valor)
{
    if (!aMemo)
        return;
    Execucao execucao(this);
    const QStringList linhas = dividirLinhas(aMemo->toPlainText());
    iniciarFerramenta(linhas.size());
    try {
        const QStringList mantidas = ::excluirLinhasContendo(linhas, valor);
        progress1->setValue(progress1->maximum());
        aMemo->setPlainText(textoDeLinhas(mantidas));
    } catch (...) {
    }
    pnProgresso->hide();
}

void TfrmExtrairNavegador::excluirTextoEntre(QPlainTextEdit *aMemo, const QString &valori,
                                             const QString &valorf)
{
    if (!aMemo)
        return;
    Execucao execucao(this);
    aMemo->hide();
    const QString texto = aMemo->toPlainText();
    QStringList linhas = dividirLinhas(texto);
    iniciarFerramenta(linhas.size());
    try {
        for (QString &l : linhas)
            l = excluirTextoEntreNaLinha(l, valori, valorf);
        progress1->setValue(progress1->maximum());
        QString novo = linhas.join(QLatin1Char('\n'));
        if (texto.endsWith(QLatin1Char('\n')))
            novo += QLatin1Char('\n');
        aMemo->setPlainText(novo);
    } catch (...) {
    }
    aMemo->show();
    pnProgresso->hide();
}

void TfrmExtrairNavegador::SpeedButton1Click()
{
    excluirLinhasContendo(mmoDados, edtExcluirContendo->text());
}

void TfrmExtrairNavegador::SpeedButton3Click()
{
    excluirTextoEntre(mmoDados, edtValori->text(), edtValorf->text());
    msgInformacao(QStringLiteral("Pronto"), 1);
}

void TfrmExtrairNavegador::SpeedButton5Click()
{
    mmoDados->setPlainText(substituirSemCaixa(mmoDados->toPlainText(), edtSubstituir->text(), edtPor->text()));
    msgInformacao(QStringLiteral("Pronto"), 1);
}

QWidget *TfrmExtrairNavegador::criarBarraInferior()
{
    auto *barra = new QWidget;
    auto *layout = new QHBoxLayout(barra);
    layout->setContentsMargins(0, 0, 0, 0);

    btnExtrairDados = nomeado(new QPushButton(QStringLiteral("Extrair dados")), "btnExtrairDados");
    connect(btnExtrairDados, &QPushButton::clicked, this,
            &TfrmExtrairNavegador::btnExtrairDadosClick);
    layout->addWidget(btnExtrairDados);

    pnProgresso = nomeado(new QFrame, "pnProgresso");
    auto *progresso = new QHBoxLayout(pnProgresso);
    progresso->setContentsMargins(0, 0, 0, 0);
    lbStatus = nomeado(new QLabel(QStringLiteral("Andamento")), "lbStatus");
    progress1 = nomeado(new QProgressBar, "progress1");
    progress1->setRange(0, 100);
    progress1->setValue(0);
    btnCancelarExtracao = nomeado(new QPushButton(QStringLiteral("Parar")), "btnCancelarExtracao");
    connect(btnCancelarExtracao, &QPushButton::clicked, this,
            &TfrmExtrairNavegador::btnCancelarExtracaoClick);
    progresso->addWidget(lbStatus, 1);
    progresso->addWidget(progress1, 1);
    progresso->addWidget(btnCancelarExtracao);
    pnProgresso->hide();
    layout->addWidget(pnProgresso, 1);

    btnCancelar = nomeado(new QPushButton(QStringLiteral("&Fechar")), "btnCancelar");
    connect(btnCancelar, &QPushButton::clicked, this, &TfrmExtrairNavegador::fecharJanela);
    layout->addStretch();
    layout->addWidget(btnCancelar);
    return barra;
}

void TfrmExtrairNavegador::btnExtrairDadosClick()
{
    if (gModoExtracao == u"web")
        extrairDaWeb();
    else if (gModoExtracao == u"texto")
        extrairDeTexto();
}

void TfrmExtrairNavegador::extrairDaWeb()
{
    QPointer<TfrmEdge> navegador = janelas().frmNavegador.data();
    if (!navegador || !navegador->gIniciou) {
        msgErro(QStringLiteral("Erro: Por favor aguarde o navegador web ser carregado"));
        return;
    }
    Execucao execucao(this);
    const PedidoParada cancelou = std::make_shared<bool>(false);
    gCancelou = cancelou;
    btnExtrairDados->setEnabled(false);

    const int passes = edtRepetir->text().isEmpty() ? 1 : lerContagem(edtRepetir->text());
    // The clicks as the fields stand: read before the first pass and again at
    // each one, since the fields can be edited while a run pumps events.
    enum class Cliques { Nenhum, NoPonto, PontoInvalido };
    int x = 0;
    int y = 0;
    auto lerCliques = [this, &x, &y] {
        if (edtCliqueVezes->text().isEmpty())
            return Cliques::Nenhum;
        return setPoint(edtPontoClique->text(), x, y) ? Cliques::NoPonto : Cliques::PontoInvalido;
    };
    const Cliques antesDoPrimeiro = lerCliques();
    // Refused before the first pass: a run that ended silently after one
    // pass looked like a finished harvest.
    if (antesDoPrimeiro == Cliques::PontoInvalido) {
        msgErro(QStringLiteral("O ponto de clique deve ter dois números inteiros separados por vírgula, por exemplo 640,480"));
        voltarAoRepouso();
        return;
    }
    const int cliques = antesDoPrimeiro == Cliques::Nenhum ? 0 : lerContagem(edtCliqueVezes->text());

    pgcDados->setCurrentIndex(2);
    bombear();
    TravarJanelaNavegador(edtTamanhoNavegador->text());
    pnProgresso->show();
    bombear();
    try {
        progress1->setMaximum(qMax(passes, 1));
        progress1->setValue(0);
        for (int passe = 0; passe < passes; ++passe) {
            if (*cancelou) {
                *cancelou = false;
                break;
            }
            progress1->setValue(progress1->value() + 1);
            lbStatus->setText(QStringLiteral("Obtendo texto do navegador..."));
            bombear();
            if (!navegador)
                break;
            const QString pagina = rdbPegarTexto->isChecked() ? navegador->getTextoNavegador()
                                                              : navegador->getFonteNavegador();
            if (!navegador)
                break;
            if (navegador->gNavegadorOutput.isEmpty()) {
                msgErro(QStringLiteral("O navegador não respondeu a tempo. A extração foi interrompida."));
                break;
            }
            lbStatus->setText(QStringLiteral("Extraindo dados..."));
            bombear();

            QString coletado;
            if (!colher(TabSheet1, pagina, coletado))
                break;

            lbStatus->setText(QStringLiteral("Atualizando dados coletados..."));
            bombear();
            mesclarResultados(coletado);
            atualizarStatus();

            const Cliques nestePasse = lerCliques();
            if (nestePasse == Cliques::PontoInvalido)
                break;
            if (nestePasse == Cliques::NoPonto) {
                bool parou = false;
                for (int c = 0; c < cliques; ++c) {
                    if (*cancelou) {
                        parou = true;
                        break;
                    }
                    if (!navegador)
                        throw InterrupcaoSilenciosa();
                    navegador->cliqueNavegador(x, y, 0);
                    bombear();
                }
                if (parou)
                    break;
                if (TdtmPrincipal *dtm = janelas().dtmPrincipal)
                    dtm->pausarSegundos(1);
                else
                    pausar(1, relogioReal(true));
            }
            lbStatus->setText(QString());
            bombear();
        }
    } catch (...) {
        // The run ends quietly; the passes already merged stay.
    }
    // Every way out of the passes, a stop included, ends here.
    voltarAoRepouso();
}

void TfrmExtrairNavegador::TravarJanelaNavegador(const QString &tamanho)
{
    TfrmEdge *navegador = janelas().frmNavegador;
    if (!navegador)
        return;
    QWidget *janela = molduraDe(navegador);
    janela->showNormal();
    int largura = 0;
    int altura = 0;
    if (!setPoint(tamanho, largura, altura))
        return;
    // Above 10000 a typo saved in a script would be reapplied at every run
    // until the page could not be drawn.
    if (largura < 100 || altura < 100 || largura > 10000 || altura > 10000)
        return;
    janela->resize(largura, altura);
    if (TfrmPrincipal *principal = janelas().frmPrincipal) {
        const QPoint noPrincipal(principal->frameGeometry().width() - largura - 157, 5);
        janela->move(janela->parentWidget() ? janela->parentWidget()->mapFrom(principal, noPrincipal) : noPrincipal);
    }
    bombear();
}

void TfrmExtrairNavegador::atualizarEscala()
{
    TfrmPrincipal *principal = janelas().frmPrincipal;
    const int escala = principal ? principal->GetMonitorScale() : escalaDaTela(screen());
    gEscala = QString::number(escala);
    lbEscala->setText(QStringLiteral("(escala: ") + gEscala + QStringLiteral("%)"));
}

void TfrmExtrairNavegador::exibirPontoNavegador(const QString &ponto)
{
    TfrmEdge *navegador = janelas().frmNavegador;
    if (!navegador)
        return;
    navegador->pnMouse->show();
    navegador->edtMouse->show();
    navegador->pnMouse->move(50, 50);
    int x = 0;
    int y = 0;
    if (!setPoint(ponto, x, y))
        return;
    navegador->exibirPonto(x, y);
    navegador->edtMouse->setText(QStringLiteral("%1,%2").arg(x).arg(y));
}

bool TfrmExtrairNavegador::eventFilter(QObject *alvo, QEvent *evento)
{
    if (alvo == edtPontoClique) {
        if (evento->type() == QEvent::MouseButtonPress) {
            exibirPontoNavegador(edtPontoClique->text());
            if (TfrmEdge *navegador = janelas().frmNavegador)
                edtPontoClique->setText(navegador->edtMouse->text());
        } else if (evento->type() == QEvent::KeyRelease) {
            exibirPontoNavegador(edtPontoClique->text());
        }
    } else if (alvo == edtTamanhoNavegador && evento->type() == QEvent::FocusIn) {
        TravarJanelaNavegador(edtTamanhoNavegador->text());
    } else if (alvo == lbEscala && evento->type() == QEvent::MouseButtonRelease) {
        atualizarEscala();
    }
    return QWidget::eventFilter(alvo, evento);
}

void TfrmExtrairNavegador::extrairDeTexto()
{
    Execucao execucao(this);
    const PedidoParada cancelou = std::make_shared<bool>(false);
    gCancelou = cancelou;

    btnExtrairDados->setEnabled(false);
    pgcDados->setCurrentIndex(2);
    bombear();
    pnProgresso->show();
    bombear();

    try {
        progress1->setValue(0);
        if (*cancelou) {
            *cancelou = false;
        } else {
            progress1->setValue(progress1->value() + 1);
            lbStatus->setText(QStringLiteral("Obtendo texto..."));
            bombear();
            const QString texto = mmoExtracao->toPlainText();
            lbStatus->setText(QStringLiteral("Extraindo dados..."));
            bombear();

            QString coletado;
            const bool colheu = colher(TabSheet3, texto, coletado);
            if (colheu) {
                lbStatus->setText(QStringLiteral("Atualizando dados coletados..."));
                bombear();
                mesclarResultados(coletado);
                atualizarStatus();
                lbStatus->setText(QString());
                bombear();
            }
        }
    } catch (...) {
        // A failing run ends quietly; the results keep what they held.
    }
    voltarAoRepouso();
}

void TfrmExtrairNavegador::voltarAoRepouso()
{
    pnProgresso->hide();
    btnExtrairDados->setEnabled(true);
}

void TfrmExtrairNavegador::btnCancelarExtracaoClick()
{
    if (gCancelou)
        *gCancelou = true;
    voltarAoRepouso();
}

QString TfrmExtrairNavegador::extrairEmails(const QString &texto)
{
    return colherSemTermos(Colheita::Emails, texto);
}

QString TfrmExtrairNavegador::colherSemTermos(Colheita tipo, const QString &texto)
{
    try {
        bombear();
        return colherDeTexto(tipo, texto);
    } catch (...) {
        return QString();
    }
}

bool TfrmExtrairNavegador::colher(const QWidget *pagina, const QString &texto, QString &coletado)
{
    // The choice and the terms of the page the run belongs to: the web page
    // or the text page, never the hidden one.
    const bool web = pagina == TabSheet1;
    Colheita tipo = Colheita::Telefones;
    QString valor1;
    QString valor2;
    if ((web ? rdbEmails : rdbEmails2)->isChecked()) {
        tipo = Colheita::Emails;
    } else if ((web ? rdbTextoContendo : rdbTextoContendo2)->isChecked()) {
        tipo = Colheita::Contendo;
        valor1 = (web ? edtContendo : edtContendo2)->text();
    } else if ((web ? rdbTextoEntre : rdbTextoEntre2)->isChecked()) {
        tipo = Colheita::Entre;
        valor1 = (web ? edtEntre1 : edtEntre12)->text();
        valor2 = (web ? edtEntre2 : edtEntre22)->text();
    }
    const QString falta = faltaDeTermos(tipo, valor1, valor2);
    if (!falta.isEmpty()) {
        msgErro(falta);
        return false;
    }
    switch (tipo) {
    case Colheita::Telefones: coletado = extrairTelefones(texto); break;
    case Colheita::Emails: coletado = extrairEmails(texto); break;
    case Colheita::Contendo: coletado = extrairContendo(texto, valor1); break;
    case Colheita::Entre: coletado = colherDeTexto(Colheita::Entre, texto, valor1, valor2); break;
    }
    return true;
}

QString TfrmExtrairNavegador::extrairTelefones(const QString &texto)
{
    return colherSemTermos(Colheita::Telefones, texto);
}

QString TfrmExtrairNavegador::extrairContendo(const QString &texto, const QString &valor)
{
    try {
        // Only read: clearing the flag is the business of the run.
        const PedidoParada pedido = gCancelou;
        progress1->setMaximum(static_cast<int>(qBound(qsizetype(1), texto.size(), qsizetype(INT_MAX))));
        progress1->setValue(0);
        pnProgresso->show();
        AcompanhamentoContendo acompanhamento;
        acompanhamento.aoAvancar = [this] { progress1->setValue(progress1->value() + 1); };
        acompanhamento.cancelado = [pedido] { return pedido && *pedido; };
        acompanhamento.aoAdicionar = [this](const QString &palavra) {
            lbStatus->setText(QStringLiteral("Extraindo dados... ") + palavra);
            bombear();
        };
        bool parou = false;
        const QString palavras = colherDeTexto(Colheita::Contendo, texto, valor, {}, acompanhamento, &parou);
        if (parou)
            pnProgresso->hide();
        return palavras;
    } catch (...) {
        return QString();
    }
}

QString TfrmExtrairNavegador::tratarEmail(const QString &email) const
{
    return ::tratarEmail(email);
}

void TfrmExtrairNavegador::mesclarResultados(const QString &coletado)
{
    const QStringList linhas = mesclarLinhas(dividirLinhas(mmoDados->toPlainText()),
                                             dividirLinhas(coletado), collatorDeResultados());
    mmoDados->setPlainText(textoDeLinhas(linhas));
}

int TfrmExtrairNavegador::contarLinhasResultados() const
{
    const QTextDocument *doc = mmoDados->document();
    int linhas = doc->blockCount();
    if (doc->lastBlock().length() <= 1)
        --linhas;
    return linhas;
}

void TfrmExtrairNavegador::atualizarStatus()
{
    stMemo->setText(QStringLiteral("Total de registros: ") + formatarNumero(contarLinhasResultados()));
}

void TfrmExtrairNavegador::tmStatusTimer()
{
    atualizarStatus();
}

void TfrmExtrairNavegador::btnTutorialContatoClick()
{
    QDesktopServices::openUrl(QUrl(enderecoTutoriais()));
}

void TfrmExtrairNavegador::fecharJanela()
{
    fecharJanelaFilha(this);
}

void TfrmExtrairNavegador::closeEvent(QCloseEvent *evento)
{
    if (gExecucoes > 0) {
        // A run still uses this window: stop it, hide the window now and let
        // the run's end close it for good.
        evento->ignore();
        gFecharPendente = true;
        if (gCancelou)
            *gCancelou = true;
        molduraDe(this)->hide();
        return;
    }
    QWidget::closeEvent(evento);
}
