#include "app/janelas.h"

Janelas &janelas()
{
    static Janelas j;
    return j;
}
