#pragma once

#include <cstddef>
#include <cstdint>

// One function per scan; each takes raw bytes. The fuzzers call them, and the
// test suite replays the inputs that once broke them.
namespace alvos {
void emails(const uint8_t *dados, size_t tamanho);
void telefones(const uint8_t *dados, size_t tamanho);
void palavras(const uint8_t *dados, size_t tamanho);
void padroes(const uint8_t *dados, size_t tamanho);
void decodificacao(const uint8_t *dados, size_t tamanho);
} // namespace alvos
