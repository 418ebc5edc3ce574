#pragma once

#include <QtGlobal>

// The UTF-8 checks behind ehUtf8Valido, one per instruction set, so that
// tests can hold each against the others on any machine that runs it.
namespace utf8 {

bool validoEscalar(const unsigned char *d, qsizetype n);
#if defined(__x86_64__) && defined(__GNUC__)
bool validoSsse3(const unsigned char *d, qsizetype n);
bool validoAvx2(const unsigned char *d, qsizetype n);
bool validoAvx512(const unsigned char *d, qsizetype n);
bool temSsse3();
bool temAvx2();
bool temAvx512();
#endif

} // namespace utf8
