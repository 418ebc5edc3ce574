#include "browser/unFrmInstalarWebview.h"

#include "app/janelas.h"
#include "app/pausa.h"
#include "app/unFrmPrincipal.h"
#include "dialogs/desenho.h"
#include "dialogs/erroVaspira.h"
#include "dialogs/mensagens.h"
#include "storage/arquivoTexto.h"
#include "storage/pastas.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

TfrmInstalarWebview::TfrmInstalarWebview(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmInstalarWebview"));
    setWindowTitle(QStringLiteral("frmInstalarWebview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);

    Label1 = new QLabel(QStringLiteral("Aviso MUITO importante!"));
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titulo = Label1->font();
    titulo.setBold(true);
    titulo.setPixelSize(22);
    Label1->setFont(titulo);
    Label2 = new QLabel(QStringLiteral("Antes de começar o uso deste sistema, você precisa instalar um componente da "
                                       "Microsoft chamado Webview. Sem isso o navegador interno do sistema não "
                                       "funciona e com isso o sistema fica inútil."));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Image3 = new QLabel;
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setPixmap(desenharSvg(QStringLiteral(":/dialogs/icones/msg_aviso.svg"), QSize(80, 80), Qt::transparent));
    btnInstalar = new QPushButton(QStringLiteral("Instalar o Microsoft Webview"));
    btnInstalar->setObjectName(QStringLiteral("btnInstalar"));
    ckbNaoExibir = new QCheckBox(QStringLiteral("Não exiba mais esta mensagem"));
    ckbNaoExibir->setObjectName(QStringLiteral("ckbNaoExibir"));
    btnOk = new QPushButton(QStringLiteral("&Fechar esta janela"));
    btnOk->setObjectName(QStringLiteral("btnOk"));

    auto *texto = new QHBoxLayout;
    texto->addWidget(Label2, 1);
    texto->addWidget(Image3);
    auto *barra = new QHBoxLayout;
    barra->addWidget(ckbNaoExibir);
    barra->addStretch();
    barra->addWidget(btnOk);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(texto);
    layout->addWidget(btnInstalar);
    layout->addLayout(barra);
    setFixedSize(560, 260);

    connect(btnInstalar, &QPushButton::clicked, this, &TfrmInstalarWebview::btnInstalarClick);
    connect(btnOk, &QPushButton::clicked, this, &TfrmInstalarWebview::btnOkClick);
    centralizarNaTela(this);
    show();
}

void TfrmInstalarWebview::registrarWebviewInstalado()
{
    QString erro;
    if (!gravarArquivoTexto(caminhoNaPasta(QStringLiteral("webview_status.txt")),
                            QStringLiteral("webview_ok=true\r\n"), Codificacao::Utf8, erro))
        throw ErroVaspira(erro);
}

QString TfrmInstalarWebview::caminhoDoInstalador()
{
    // Beside the executable, whatever the working folder is.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/instalar-modulo-web.sh");
}

std::function<bool(const QString &, QString &)> &TfrmInstalarWebview::iniciarInstalador()
{
    static std::function<bool(const QString &, QString &)> iniciar = [](const QString &instalador, QString &erro) {
        if (!QFile::exists(instalador)) {
            erro = QStringLiteral("o instalador não foi encontrado em ") + instalador;
            return false;
        }
        // The desktop's privilege prompt, else a terminal that asks for it.
        if (!QStandardPaths::findExecutable(QStringLiteral("pkexec")).isEmpty()
            && QProcess::startDetached(QStringLiteral("pkexec"), {instalador}))
            return true;
        if (!QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator")).isEmpty()
            && QProcess::startDetached(QStringLiteral("x-terminal-emulator"),
                                       {QStringLiteral("-e"), QStringLiteral("sudo"), instalador}))
            return true;
        erro = QStringLiteral("nem pkexec nem um terminal puderam ser abertos");
        return false;
    };
    return iniciar;
}

void TfrmInstalarWebview::btnInstalarClick()
{
    btnInstalar->setEnabled(false);
    QCoreApplication::processEvents();
    QString erro;
    if (!iniciarInstalador()(caminhoDoInstalador(), erro)) {
        // No marker and no exit: an install that never started is not one.
        msgErro(QStringLiteral("Não foi possível iniciar a instalação do módulo web: ") + erro);
        btnInstalar->setEnabled(true);
        return;
    }
    registrarWebviewInstalado();
    QCoreApplication::processEvents();
    if (TfrmPrincipal *principal = janelas().frmPrincipal)
        principal->pausarSegundos(2);
    else
        pausar(2, relogioReal(false));
    msgInformacao(QStringLiteral("Este sistema será fechado. Após terminar de instalar o Webview, abra o sistema novamente"), 4);
    QCoreApplication::exit(0);
}

void TfrmInstalarWebview::btnOkClick()
{
    if (ckbNaoExibir->isChecked())
        registrarWebviewInstalado();
    close();
}

TfrmInstalarWebview *abrirJanelaDeInstalacao()
{
    auto *janela = new TfrmInstalarWebview;
    janelas().frmInstalarWebview = janela;
    return janela;
}
