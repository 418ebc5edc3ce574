#include "app/programa.h"

int main(int argc, char *argv[])
{
    return executarPrograma(argc, argv);
}
