#include "welcome/unFrmTips.h"

#include "app/enderecos.h"
#include "app/janelas.h"
#include "dialogs/desenho.h"
#include "dialogs/mensagens.h"
#include "storage/configuracao.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel *textoCentral(const QString &texto, int pixels, bool negrito)
{
    auto *l = new QLabel(texto);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setPixelSize(pixels);
    f.setBold(negrito);
    l->setFont(f);
    return l;
}

} // namespace

TfrmTips::TfrmTips(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmTips"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Dicas"));
    setFixedSize(730, 528);

    auto *cartao = new QWidget;
    cartao->setObjectName(QStringLiteral("pnCartao"));
    pintarFundo(cartao, Qt::white);

    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(desenharSvg(QStringLiteral(":/welcome/imagens/video.svg"), QSize(400, 225), Qt::white));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);

    auto *layCartao = new QVBoxLayout(cartao);
    layCartao->addWidget(textoCentral(QStringLiteral("Apresentação e tutorial básico"), 22, true));
    layCartao->addWidget(textoCentral(
        QStringLiteral("Recomendamos que veja este vídeo de demonstração antes de começar a usar o "
                       "sistema, para aproveitar melhor suas funções e usá-lo com mais facilidade"),
        15, false));
    layCartao->addWidget(Image1, 1);
    layCartao->addWidget(textoCentral(
        QStringLiteral("O sistema Vaspira permite que você obtenha telefones, emails, links e outros "
                       "dados a partir de arquivos ou de páginas da web"),
        15, false));

    ckbHide = new QCheckBox(QStringLiteral("Não exibir mais essa mensagem"));
    ckbHide->setObjectName(QStringLiteral("ckbHide"));
    ckbHide->setChecked(false);
    btnFechar = new QPushButton(QStringLiteral("&Fechar"));
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    connect(btnFechar, &QPushButton::clicked, this, &QWidget::close);
    auto *barra = new QHBoxLayout;
    barra->addWidget(ckbHide);
    barra->addStretch();
    barra->addWidget(btnFechar);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(cartao, 1);
    layout->addLayout(barra);

    centralizarNaTela(this);
}

bool TfrmTips::eventFilter(QObject *alvo, QEvent *evento)
{
    if (alvo == Image1 && evento->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton) {
        QDesktopServices::openUrl(QUrl(enderecoNoServidor(QStringLiteral("/vaspira/tutorial1.htm"))));
        return true;
    }
    return QWidget::eventFilter(alvo, evento);
}

void TfrmTips::closeEvent(QCloseEvent *evento)
{
    QString erro;
    if (!gravarConfiguracao(QStringLiteral("showtips"),
                            ckbHide->isChecked() ? QStringLiteral("-1") : QStringLiteral("0"), erro)) {
        // The choice could not be kept: the window stays open, and the error
        // is reported once the close attempt has returned.
        evento->ignore();
        QTimer::singleShot(0, [erro] { msgErro(erro); });
        return;
    }
    evento->accept();
}

void exibirDicasIniciais()
{
    TfrmTips *dicas = janelas().frmTips;
    if (!dicas)
        dicas = novaJanelaDeDicas();
    dicas->show();
    dicas->raise();
}

TfrmTips *novaJanelaDeDicas()
{
    auto *dicas = new TfrmTips;
    janelas().frmTips = dicas;
    return dicas;
}
