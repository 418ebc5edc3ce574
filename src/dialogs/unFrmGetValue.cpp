#include "dialogs/unFrmGetValue.h"

#include "dialogs/desenho.h"
#include "harvest/textos.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TfrmGetValue::TfrmGetValue()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    prepararDialogoBranco(this, "frmGetValue");
    setModal(true);
    setWindowTitle(QStringLiteral("Entrada de valor"));
    setFixedSize(707, 231);

    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(30, 30);
    Image1->setPixmap(desenharSvg(QStringLiteral(":/dialogs/icones/valor_entrada.svg"), QSize(30, 30)));
    auto *coluna = new QWidget;
    coluna->setFixedWidth(73);
    auto *layColuna = new QVBoxLayout(coluna);
    layColuna->setContentsMargins(0, 27, 0, 0);
    layColuna->addWidget(Image1, 0, Qt::AlignHCenter | Qt::AlignTop);
    layColuna->addStretch();

    lbtitle = new QLabel;
    lbtitle->setObjectName(QStringLiteral("lbtitle"));
    lbtitle->setFixedWidth(500);
    lbtitle->setWordWrap(true);
    lbtitle->setTextFormat(Qt::PlainText);
    lbtitle->setFont(tahoma(16, true));
    pintarTexto(lbtitle, QColor(0x60, 0x60, 0x60));

    mmoValor = new QPlainTextEdit;
    mmoValor->setObjectName(QStringLiteral("mmoValor"));
    mmoValor->setFixedSize(609, 77);
    mmoValor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fonteValor(QStringLiteral("Tahoma"));
    fonteValor.setPixelSize(15);
    mmoValor->setFont(fonteValor);
    mmoValor->installEventFilter(this);

    auto *conteudo = new QVBoxLayout;
    conteudo->setContentsMargins(0, 27, 12, 8);
    conteudo->addWidget(lbtitle);
    conteudo->addWidget(mmoValor);
    conteudo->addStretch();

    auto *meio = new QHBoxLayout;
    meio->setContentsMargins(0, 0, 0, 0);
    meio->addWidget(coluna);
    meio->addLayout(conteudo, 1);

    btnOk = botaoDeDialogo(this, "btnOk", QStringLiteral("&Ok"), 111, ":/dialogs/icones/glifo_ok.svg");
    btnCancelar = botaoDeDialogo(this, "btnCancelar", QStringLiteral("&Cancelar"), 114,
                                 ":/dialogs/icones/glifo_cancelar.svg");
    connect(btnOk, &QPushButton::clicked, this, [this] { done(1); });
    connect(btnCancelar, &QPushButton::clicked, this, [this] { done(2); });
    montarMolduraDeDialogo(this, meio, btnOk, nullptr, btnCancelar);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TfrmGetValue::Timer1Timer);
    Timer1->start();

    mmoValor->setFocus();
}

void TfrmGetValue::reject()
{
    done(2);
}

bool TfrmGetValue::eventFilter(QObject *alvo, QEvent *evento)
{
    // Esc belongs to the window even inside the box; Enter stays in the box.
    if (alvo == mmoValor && evento->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Escape) {
        done(2);
        return true;
    }
    return QDialog::eventFilter(alvo, evento);
}

void TfrmGetValue::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    raise();
    activateWindow();
    mmoValor->setFocus();
}

void TfrmGetValue::Timer1Timer()
{
    Timer1->stop();
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

QString obterValor(const QString &titulo, const QString &valorInicial, int altura)
{
    TfrmGetValue frm;
    frm.lbtitle->setText(titulo);
    frm.mmoValor->setPlainText(valorInicial);
    if (altura > 0)
        frm.setFixedHeight(altura);
    centralizarNaTela(&frm);
    if (frm.exec() != 1)
        return QString();
    return comQuebrasCrLf(frm.mmoValor->toPlainText());
}
