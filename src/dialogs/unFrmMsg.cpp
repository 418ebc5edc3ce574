#include "dialogs/unFrmMsg.h"

#include "dialogs/desenho.h"
#include "dialogs/erroVaspira.h"
#include "harvest/textos.h"
#include "storage/arquivoTexto.h"
#include "storage/configuracao.h"
#include "storage/pastas.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char *const kIcones[] = {
    ":/dialogs/icones/msg_informacao.svg", ":/dialogs/icones/msg_erro.svg",
    ":/dialogs/icones/msg_aviso.svg",      ":/dialogs/icones/msg_pergunta.svg",
    ":/dialogs/icones/msg_dica.svg",       ":/dialogs/icones/msg_ajuda.svg",
};

const char *const kTitulos[] = {"Informação", "Erro", "Aviso", "Pergunta", "Dica", "Ajuda"};

QString caminhoTipfile()
{
    return caminhoNaPasta(QStringLiteral("tipfile.txt"));
}

} // namespace

TfrmMsg::TfrmMsg()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    prepararDialogoBranco(this, "frmMsg");
    setModal(true);
    resize(740, 249);

    for (const char *icone : kIcones)
        ImageList1.append(desenharSvg(QString::fromLatin1(icone), QSize(80, 80), Qt::white));

    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(80, 80);

    auto *colunaEsquerda = new QWidget;
    colunaEsquerda->setFixedWidth(146);
    auto *layEsquerda = new QVBoxLayout(colunaEsquerda);
    layEsquerda->setContentsMargins(0, 24, 0, 0);
    layEsquerda->addWidget(Image1, 0, Qt::AlignHCenter | Qt::AlignTop);
    layEsquerda->addStretch();

    lbMsg = new QLabel;
    lbMsg->setObjectName(QStringLiteral("lbMsg"));
    lbMsg->setWordWrap(true);
    lbMsg->setTextFormat(Qt::PlainText);
    lbMsg->setMinimumWidth(550);
    lbMsg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont fonte(QStringLiteral("Tahoma"));
    fonte.setPixelSize(16);
    lbMsg->setFont(fonte);
    pintarTexto(lbMsg, QColor(0x60, 0x60, 0x60));
    lbMsg->installEventFilter(this);

    ScrollBox1 = new QScrollArea;
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setWidget(lbMsg);
    ScrollBox1->viewport()->setAutoFillBackground(false);
    ScrollBox1->installEventFilter(this);
    ScrollBox1->viewport()->installEventFilter(this);

    auto *areaTexto = new QWidget;
    auto *layTexto = new QVBoxLayout(areaTexto);
    layTexto->setContentsMargins(0, 24, 12, 0);
    layTexto->addWidget(ScrollBox1);

    auto *meio = new QHBoxLayout;
    meio->setContentsMargins(0, 0, 0, 0);
    meio->setSpacing(0);
    meio->addWidget(colunaEsquerda);
    meio->addWidget(areaTexto, 1);

    btnOk = botaoDeDialogo(this, "btnOk", QString(), 111, ":/dialogs/icones/glifo_ok.svg");
    btnCancelar = botaoDeDialogo(this, "btnCancelar", QString(), 114,
                                 ":/dialogs/icones/glifo_cancelar.svg");
    connect(btnOk, &QPushButton::clicked, this, &TfrmMsg::btnOkClick);
    connect(btnCancelar, &QPushButton::clicked, this, &TfrmMsg::btnCancelarClick);

    ckbHide = new QCheckBox(QStringLiteral("Não exibir mais essa mensagem"));
    ckbHide->setObjectName(QStringLiteral("ckbHide"));
    ckbHide->setChecked(false);
    ckbHide->installEventFilter(this);
    connect(ckbHide, &QCheckBox::clicked, this, &TfrmMsg::ckbHideClick);

    montarMolduraDeDialogo(this, meio, btnOk, ckbHide, btnCancelar);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TfrmMsg::Timer1Timer);
    Timer1->start();

    tmFechar = new QTimer(this);
    tmFechar->setObjectName(QStringLiteral("tmFechar"));
    connect(tmFechar, &QTimer::timeout, this, &TfrmMsg::tmFecharTimer);
}

void TfrmMsg::exibirMensagem(const QString &texto, int tipoMSG, int tempoSeg)
{
    ckbHide->hide();
    if (tipoMSG >= 1 && tipoMSG <= 6)
        setWindowTitle(QString::fromUtf8(kTitulos[tipoMSG - 1]));
    gTipoMSG = tipoMSG;

    gMensagem = texto;
    gMensagem.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"), Qt::CaseInsensitive);

    Image1->clear();
    if (tipoMSG >= 1 && tipoMSG <= ImageList1.size())
        Image1->setPixmap(ImageList1[tipoMSG - 1]);

    btnCancelar->show();
    if (tipoMSG == Pergunta) {
        btnOk->setText(QStringLiteral("&Sim"));
        btnCancelar->setText(QStringLiteral("&Não"));
    } else {
        btnOk->setText(QStringLiteral("Ok"));
        btnCancelar->hide();
    }

    // The label breaks lines at LF; a CR would show as a stray glyph.
    QString exibido = gMensagem;
    exibido.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lbMsg->setText(exibido);

    if (tempoSeg > 0) {
        tmFechar->setInterval(tempoSeg * 1000);
        tmFechar->start();
    }
}

bool TfrmMsg::showTip(const QString &id, const QString &texto, int tipoMSG)
{
    QString erro;
    const QString valor = valorNoArquivo(caminhoTipfile(), id, &erro);
    if (!erro.isEmpty())
        throw ErroVaspira(erro);
    if (valor == u"true")
        return false;
    exibirMensagem(texto, tipoMSG, 0);
    gTipID = id;
    ckbHide->show();
    return true;
}

void TfrmMsg::updateTip(const QString &id, bool naoexibir)
{
    const QString caminho = caminhoTipfile();
    TextoDecodificado conteudo;
    QString erro;
    if (QFile::exists(caminho) && !lerArquivoTexto(caminho, conteudo, erro))
        throw ErroVaspira(erro);

    QStringList linhas = dividirLinhas(conteudo.texto);
    const QString nova = id + QLatin1Char('=')
                         + (naoexibir ? QStringLiteral("true") : QStringLiteral("false"));
    const int i = indiceDoNome(linhas, id);
    if (i >= 0)
        linhas[i] = nova;
    else
        linhas.append(nova);

    // `linhas` holds at least the tip's own line; every line ends with CR LF.
    const QString texto = juntarLinhasCrLf(linhas) + QStringLiteral("\r\n");
    if (!gravarArquivoTexto(caminho, texto, conteudo.codificacao, erro))
        throw ErroVaspira(erro);
}

void TfrmMsg::reject()
{
    done(2);
}

void TfrmMsg::done(int codigo)
{
    // Events pumped while the window shows may already answer it; the modal
    // loop has not started then, and closing now would leave it waiting on a
    // hidden window.
    if (gMostrando) {
        QTimer::singleShot(0, this, [this, codigo] { done(codigo); });
        return;
    }
    QDialog::done(codigo);
}

void TfrmMsg::btnOkClick()
{
    done(6);
}

void TfrmMsg::btnCancelarClick()
{
    done(7);
}

void TfrmMsg::ckbHideClick()
{
    updateTip(gTipID, ckbHide->isChecked());
}

bool TfrmMsg::FormKeyDown(QKeyEvent *evento)
{
    switch (evento->key()) {
    case Qt::Key_Escape:
        done(2);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (btnCancelar->isHidden())
            done(1);
        return true;
    default:
        return false;
    }
}

void TfrmMsg::keyPressEvent(QKeyEvent *evento)
{
    if (!FormKeyDown(evento))
        QDialog::keyPressEvent(evento);
}

bool TfrmMsg::eventFilter(QObject *alvo, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::KeyPress:
        // The window sees Esc and Enter before any of its controls.
        return FormKeyDown(static_cast<QKeyEvent *>(evento));
    case QEvent::Enter:
        if (alvo == lbMsg)
            ScrollBox1->setFocus();
        break;
    case QEvent::Wheel:
        if (alvo == ScrollBox1 || alvo == ScrollBox1->viewport())
            return ScrollBox1MouseWheel(static_cast<QWheelEvent *>(evento));
        break;
    default:
        break;
    }
    return QDialog::eventFilter(alvo, evento);
}

bool TfrmMsg::ScrollBox1MouseWheel(QWheelEvent *evento)
{
    QScrollBar *barra = ScrollBox1->verticalScrollBar();
    const int novo = barra->value() - evento->angleDelta().y() / 10;
    barra->setValue(qBound(0, novo, barra->maximum()));
    evento->accept();
    return true;
}

void TfrmMsg::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (gAltura != 0)
        resize(width(), gAltura);
    centralizarNaTela(this);
    gMostrando = true;
    QCoreApplication::processEvents();
    gMostrando = false;
    raise();
    activateWindow();
}

void TfrmMsg::Timer1Timer()
{
    Timer1->stop();
    // The window was made topmost at creation; changing the flags again
    // would hide it, so bringing it to the front is all that is left.
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

void TfrmMsg::tmFecharTimer()
{
    tmFechar->stop();
    done(7);
}
