#include "dialogs/desenho.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QPixmapCache>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>

namespace {

// A 3-pixel line in `cor`, used along the top and above the bottom bar of the
// application's dialogs.
QWidget *linhaDeDialogo(const QColor &cor)
{
    auto *l = new QFrame;
    l->setFixedHeight(3);
    pintarFundo(l, cor);
    return l;
}

} // namespace

QPixmap desenharSvg(const QString &recurso, QSize tamanho, const QColor &fundo)
{
    // Every message window shows the same few pictures: draw each once.
    const QString chave = QStringLiteral("vaspira:%1:%2x%3:%4")
                              .arg(recurso)
                              .arg(tamanho.width())
                              .arg(tamanho.height())
                              .arg(fundo.rgba());
    QPixmap imagem;
    if (QPixmapCache::find(chave, &imagem))
        return imagem;
    imagem = QPixmap(tamanho);
    imagem.fill(fundo);
    {
        QSvgRenderer svg(recurso);
        QPainter pintor(&imagem);
        svg.render(&pintor);
    }
    QPixmapCache::insert(chave, imagem);
    return imagem;
}

QFont tahoma(int pixels, bool negrito)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(pixels);
    f.setBold(negrito);
    return f;
}

void pintarTexto(QWidget *alvo, const QColor &cor)
{
    QPalette p = alvo->palette();
    p.setColor(QPalette::WindowText, cor);
    alvo->setPalette(p);
}

void pintarFundo(QWidget *alvo, const QColor &cor)
{
    alvo->setAutoFillBackground(true);
    QPalette p = alvo->palette();
    p.setColor(QPalette::Window, cor);
    alvo->setPalette(p);
}

QPushButton *botaoDeDialogo(QWidget *dono, const char *nome, const QString &texto, int largura,
                            const char *glifo)
{
    auto *b = new QPushButton(texto, dono);
    b->setObjectName(QString::fromLatin1(nome));
    b->setFlat(true);
    b->setFixedSize(largura, 33);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    if (glifo) {
        b->setIcon(QIcon(desenharSvg(QString::fromLatin1(glifo), QSize(24, 24))));
        b->setIconSize(QSize(24, 24));
    }
    return b;
}

void centralizarNaTela(QWidget *janela)
{
    if (QScreen *tela = janela->screen()) {
        QRect r = janela->frameGeometry();
        r.moveCenter(tela->availableGeometry().center());
        janela->move(r.topLeft());
    }
}

void prepararDialogoBranco(QWidget *janela, const char *nome)
{
    janela->setObjectName(QString::fromLatin1(nome));
    janela->setAttribute(Qt::WA_QuitOnClose, false);
    pintarFundo(janela, Qt::white);
}

void montarMolduraDeDialogo(QWidget *janela, QLayout *meio, QPushButton *esquerda, QWidget *centro,
                            QPushButton *direita)
{
    auto *barra = new QWidget;
    barra->setFixedHeight(41);
    auto *layBarra = new QHBoxLayout(barra);
    layBarra->setContentsMargins(6, 4, 6, 4);
    layBarra->addWidget(esquerda);
    layBarra->addStretch();
    if (centro) {
        layBarra->addWidget(centro);
        layBarra->addStretch();
    }
    layBarra->addWidget(direita);

    auto *principal = new QVBoxLayout(janela);
    principal->setContentsMargins(0, 0, 0, 0);
    principal->setSpacing(0);
    principal->addWidget(linhaDeDialogo(QColor(0xE9, 0xE9, 0xE9)));
    principal->addLayout(meio, 1);
    principal->addWidget(linhaDeDialogo(QColor(0xC0, 0xC0, 0xC0)));
    principal->addWidget(barra);
}
