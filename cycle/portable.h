#pragma once
// What the core asks of the compiler beyond standard C++, in one place: GCC and Clang spell it with
// builtins, MSVC with its intrinsics; any other compiler gets the plain code.

// SSE2 with its 64-bit moves: every x86-64 processor has it. GCC and Clang say so with __SSE2__
// on x86-64; MSVC defines no such macro, but _M_X64 (x64 and ARM64EC) promises it.
#if (defined(__SSE2__) && defined(__x86_64__)) || defined(_M_X64)
#define ROTAPLEX_SSE2 1
#include <emmintrin.h>
#else
#define ROTAPLEX_SSE2 0
#endif

namespace rotaplex {

// Asks for the cache line at p to be loaded ahead of its use; never faults, whatever p is.
inline void Prefetch(const void* p) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
#elif ROTAPLEX_SSE2
    _mm_prefetch(static_cast<const char*>(p), _MM_HINT_T0);
#else
    static_cast<void>(p);
#endif
}

}  // namespace rotaplex
