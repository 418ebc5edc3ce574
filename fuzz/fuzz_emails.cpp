#include "alvos.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    alvos::emails(dados, tamanho);
    return 0;
}
