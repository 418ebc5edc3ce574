#include "dialogs/unFrmProgresso.h"

#include "dialogs/ajudantes.h"
#include "dialogs/desenho.h"
#include "dialogs/mensagens.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QColor corDeInteiro(int cor)
{
    return QColor(cor & 0xFF, (cor >> 8) & 0xFF, (cor >> 16) & 0xFF);
}

void bombear()
{
    QCoreApplication::processEvents();
}

} // namespace

TfrmProgresso::TfrmProgresso(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmProgresso"));
    // Closing only hides (never deletes): the one window serves every
    // operation.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Progresso"));
    resize(509, 214);

    pnTitle = new QLabel;
    pnTitle->setObjectName(QStringLiteral("pnTitle"));
    pnTitle->setFixedHeight(27);
    pnTitle->setFont(tahoma(16, true));
    pnTitle->setContentsMargins(8, 0, 8, 0);

    mmoStatus = new QTextEdit;
    mmoStatus->setObjectName(QStringLiteral("mmoStatus"));
    mmoStatus->setReadOnly(false);
    mmoStatus->setFrameShape(QFrame::NoFrame);
    mmoStatus->setLineWrapMode(QTextEdit::NoWrap);
    mmoStatus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mmoStatus->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmoStatus->setFont(tahoma(13));
    QPalette palLog = mmoStatus->palette();
    palLog.setColor(QPalette::Base, palette().color(QPalette::Window));
    mmoStatus->setPalette(palLog);

    pnGauge1 = new QWidget;
    pnGauge1->setObjectName(QStringLiteral("pnGauge1"));
    pnGauge1->setFixedHeight(41);
    lbProgress1 = new QLabel;
    lbProgress1->setObjectName(QStringLiteral("lbProgress1"));
    lbProgress1->setFont(tahoma(13));
    lbNumber1 = new QLabel;
    lbNumber1->setObjectName(QStringLiteral("lbNumber1"));
    lbNumber1->setFont(tahoma(13));
    lbNumber1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    progress1 = new QProgressBar;
    progress1->setObjectName(QStringLiteral("progress1"));
    progress1->setFixedHeight(17);
    progress1->setTextVisible(false);
    auto *layGauge = new QVBoxLayout(pnGauge1);
    layGauge->setContentsMargins(15, 0, 15, 2);
    layGauge->setSpacing(2);
    auto *rotulos = new QHBoxLayout;
    rotulos->addWidget(lbProgress1, 1);
    rotulos->addWidget(lbNumber1);
    layGauge->addLayout(rotulos);
    layGauge->addWidget(progress1);

    btnOk = new QPushButton(QStringLiteral("&Ok"));
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setFlat(true);
    btnOk->setFixedWidth(111);
    btnCancelar = new QPushButton(QStringLiteral("Cancelar"));
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    btnCancelar->setFlat(true);
    btnCancelar->setFixedWidth(114);
    connect(btnOk, &QPushButton::clicked, this, &QWidget::close);
    connect(btnCancelar, &QPushButton::clicked, this, &TfrmProgresso::btnCancelarClick);
    auto *barra = new QWidget;
    barra->setFixedHeight(29);
    auto *layBarra = new QHBoxLayout(barra);
    layBarra->setContentsMargins(4, 0, 4, 0);
    layBarra->addWidget(btnOk);
    layBarra->addStretch();
    layBarra->addWidget(btnCancelar);

    auto *principal = new QVBoxLayout(this);
    principal->setContentsMargins(0, 0, 0, 0);
    principal->setSpacing(0);
    principal->addWidget(pnTitle);
    principal->addWidget(mmoStatus, 1);
    principal->addWidget(pnGauge1);
    principal->addWidget(barra);

    tmFechar = new QTimer(this);
    tmFechar->setObjectName(QStringLiteral("tmFechar"));
    tmFechar->setSingleShot(true);
    connect(tmFechar, &QTimer::timeout, this, [this] {
        tmFechar->stop();
        close();
    });

    limpartudo();
}

void TfrmProgresso::limpartudo()
{
    pnTitle->setText(QStringLiteral("Aguardando configuração..."));
    btnCancelar->setText(QStringLiteral("Cancelar"));
    btnCancelar->setEnabled(false);
    btnOk->setEnabled(false);
    progress1->setValue(0);
    lbProgress1->setText(QStringLiteral("Aguardando..."));
    pnGauge1->hide();
    lbNumber1->hide();
    lbNumber1->setText(QStringLiteral("0"));
}

void TfrmProgresso::progressoInicio(const QString &aTitulo, bool zerarMemo)
{
    limpartudo();
    if (zerarMemo)
        mmoStatus->clear();
    btnCancelar->setEnabled(true);
    btnOk->setEnabled(false);
    gCancelou = false;
    pnTitle->setText(aTitulo);
    tmFechar->stop();
    show();
    if (const QScreen *tela = QGuiApplication::primaryScreen()) {
        const QRect area = tela->geometry();
        const QRect fora = frameGeometry();
        move(area.width() - fora.width() - 10, area.height() - fora.height() - 100);
    }
}

void TfrmProgresso::inserir(const QString &texto, int aColor, bool aBold)
{
    QTextCharFormat formato;
    formato.setForeground(corDeInteiro(aColor));
    formato.setFontWeight(aBold ? QFont::Bold : QFont::Normal);
    QTextCursor cursor = mmoStatus->textCursor();
    cursor.insertText(texto, formato);
    mmoStatus->setTextCursor(cursor);
}

void TfrmProgresso::addStatus(const QString &texto, int aColor, bool aBold)
{
    if (isHidden())
        progressoInicio(QStringLiteral("Processando..."), true);
    QTextCursor cursor = mmoStatus->textCursor();
    cursor.insertBlock();
    mmoStatus->setTextCursor(cursor);
    QString linha = texto;
    if (!texto.isEmpty())
        linha = QTime::currentTime().toString(QStringLiteral("H:mm:ss")) + QLatin1Char(' ') + texto;
    inserir(linha, aColor, aBold);
    ScrollToLastLine(mmoStatus);
    bombear();
}

void TfrmProgresso::addStatusComp(const QString &texto, int aColor, bool aBold, bool addSpace)
{
    if (isHidden())
        return;
    inserir((addSpace ? QStringLiteral(" ") : QString()) + texto, aColor, aBold);
    bombear();
}

void TfrmProgresso::ScrollToLastLine(QTextEdit *Memo)
{
    QScrollBar *barra = Memo->verticalScrollBar();
    barra->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bombear();
    barra->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

void TfrmProgresso::setLabelNumber(QLabel *aLabel, qint64 valor, qint64 valorMaximo)
{
    if (valorMaximo != 0)
        aLabel->setText(formatarNumero(valor) + QStringLiteral(" de ") + formatarNumero(valorMaximo));
    else
        aLabel->setText(formatarNumero(valor));
}

void TfrmProgresso::startGauge1(int maxValue, const QString &titulo)
{
    progress1->setMaximum(maxValue);
    progress1->setValue(0);
    lbNumber1->hide();
    setLabelNumber(lbNumber1, 0, maxValue);
    lbProgress1->setText(QStringLiteral("Aguardando..."));
    if (!titulo.isEmpty())
        lbProgress1->setText(titulo);
    pnGauge1->show();
}

void TfrmProgresso::incGauge1(int aValor)
{
    pnGauge1->show();
    const int novo = progress1->value() + aValor;
    setLabelNumber(lbNumber1, novo, progress1->maximum());
    progress1->setValue(novo);
    lbNumber1->show();
    bombear();
}

void TfrmProgresso::progressoFim(const QString &aTitulo, bool ocultarGauges, int fecharSegundos)
{
    if (ocultarGauges)
        pnGauge1->hide();
    btnCancelar->setEnabled(false);
    btnOk->setEnabled(true);
    if (!aTitulo.isEmpty())
        pnTitle->setText(aTitulo);
    repaint();
    if (fecharSegundos != 0) {
        tmFechar->setInterval(fecharSegundos * 1000);
        tmFechar->start();
    }
    for (int i = 0; i < 11; ++i)
        ScrollToLastLine(mmoStatus);
}

void TfrmProgresso::btnCancelarClick()
{
    if (msgPergunta(QStringLiteral("Cancelar o processamento atual"), 0) != 6)
        return;
    gCancelou = true;
    btnCancelar->setEnabled(false);
    btnOk->setEnabled(true);
    bombear();
}
