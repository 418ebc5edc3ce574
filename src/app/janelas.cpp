#include "app/janelas.h"

#include <QMdiSubWindow>

Janelas &janelas()
{
    static Janelas j;
    return j;
}

void fecharJanelaFilha(QWidget *janela)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(janela->parentWidget()))
        sub->close();
    else
        janela->close();
}
