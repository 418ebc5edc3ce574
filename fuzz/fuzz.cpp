#include "alvos.h"

// Every fuzzer is this file built with ALVO naming the function of alvos.h
// that it drives.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    alvos::ALVO(dados, tamanho);
    return 0;
}
