#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QSize>
#include <QString>

class QLayout;
class QPushButton;
class QWidget;

// Renders an SVG resource into a pixmap of the given size over `fundo`.
QPixmap desenharSvg(const QString &recurso, QSize tamanho, const QColor &fundo = Qt::transparent);

// The application's Tahoma at a size in pixels; the weight is always set, so
// it never follows the parent's.
QFont tahoma(int pixels, bool negrito = false);

// Paints `alvo`'s text (its WindowText) in `cor`.
void pintarTexto(QWidget *alvo, const QColor &cor);

// Fills `alvo`'s background with `cor` (its Window colour, drawn automatically).
void pintarFundo(QWidget *alvo, const QColor &cor);

// A flat dialog button with a 24 × 24 glyph that never takes the focus: the
// keys belong to the window.
QPushButton *botaoDeDialogo(QWidget *dono, const char *nome, const QString &texto, int largura,
                            const char *glifo);

// The application's modal dialogs: white, their own top-level window, never
// keeping the application alive on their own.
void prepararDialogoBranco(QWidget *janela, const char *nome);

// Lays out a dialog: a light grey line on top, `meio`, a silver line and the
// 41-pixel bottom bar with `esquerda` and `direita` at the ends and `centro`
// (may be null) between them.
void montarMolduraDeDialogo(QWidget *janela, QLayout *meio, QPushButton *esquerda, QWidget *centro,
                            QPushButton *direita);

// Centres a top-level window on its screen's available area.
void centralizarNaTela(QWidget *janela);
