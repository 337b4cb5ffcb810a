#include "platform/VectorState.h"

#if defined(__x86_64__)
#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void zeroUpper()
{
    _mm256_zeroupper();
}

} // namespace
#endif

void clearUpperVectorState()
{
#if defined(__x86_64__)
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        zeroUpper();
#endif
}
