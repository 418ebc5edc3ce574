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

QWidget *linhaDeDialogo(const QColor &cor)
{
    auto *l = new QFrame;
    l->setFixedHeight(3);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, cor);
    l->setPalette(p);
    return l;
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
    janela->setAutoFillBackground(true);
    QPalette pal = janela->palette();
    pal.setColor(QPalette::Window, Qt::white);
    janela->setPalette(pal);
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
