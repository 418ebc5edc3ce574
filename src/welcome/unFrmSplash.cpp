#include "welcome/unFrmSplash.h"

#include "app/enderecos.h"
#include "app/versao.h"
#include "dialogs/desenho.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

TfrmSplash::TfrmSplash(QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::SplashScreen)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(645, 517);
    setStyleSheet(QStringLiteral("#frmSplash { background: white; border: 6px solid #00695c; }"));
    setAttribute(Qt::WA_StyledBackground);

    auto *logo = new QLabel;
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(desenharSvg(QStringLiteral(":/welcome/imagens/logo.svg"), QSize(300, 180), Qt::white));
    logo->setAlignment(Qt::AlignCenter);

    auto *titulo = new QLabel(QStringLiteral("Extrai e-mails e telefones de páginas web e arquivos"));
    titulo->setObjectName(QStringLiteral("lbTitulo"));
    titulo->setWordWrap(true);
    titulo->setAlignment(Qt::AlignCenter);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPixelSize(30);
    mono.setBold(true);
    titulo->setFont(mono);
    titulo->setStyleSheet(QStringLiteral("color: #004d40;"));

    const QString site = QUrl(enderecoSite()).host().isEmpty() ? enderecoSite() : QUrl(enderecoSite()).host();
    auto *faixa = new QLabel(QStringLiteral("Vaspira - versão 2023 Build %1 - ").arg(kBuildAtual) + site);
    faixa->setObjectName(QStringLiteral("lbVersao"));
    faixa->setAlignment(Qt::AlignCenter);
    faixa->setFixedHeight(36);
    faixa->setStyleSheet(QStringLiteral("background: #e0e0e0; color: #333;"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(logo);
    layout->addWidget(titulo, 1);
    layout->addWidget(faixa);

    timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("timer"));
    timer->setInterval(4000);
    connect(timer, &QTimer::timeout, this, [this] {
        timer->stop();
        hide();
    });
    timer->start();

    centralizarNaTela(this);
    show();
}

void TfrmSplash::keyPressEvent(QKeyEvent *evento)
{
    if (evento->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(evento);
}
