#include "app/janelas.h"

#include <QMdiSubWindow>

Janelas &janelas()
{
    static Janelas j;
    return j;
}

QMdiSubWindow *subJanelaDe(QWidget *janela)
{
    return qobject_cast<QMdiSubWindow *>(janela->parentWidget());
}

QWidget *molduraDe(QWidget *janela)
{
    if (QMdiSubWindow *sub = subJanelaDe(janela))
        return sub;
    return janela;
}

void fecharJanelaFilha(QWidget *janela)
{
    molduraDe(janela)->close();
}
