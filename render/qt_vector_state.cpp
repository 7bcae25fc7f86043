#include "render/qt_vector_state.h"

namespace fcw {

void clearUpperVectorState() {
#if defined(__x86_64__) || defined(__i386__)
    // VZEROUPPER is an invalid instruction without AVX; the check also asks whether the
    // system saves the AVX registers.
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) {
        // Declared as clobbering the vector registers, so a build that did hold a value in an
        // upper half would keep it elsewhere across the instruction.
        asm volatile("vzeroupper" ::
                         : "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7", "xmm8",
                           "xmm9", "xmm10", "xmm11", "xmm12", "xmm13", "xmm14", "xmm15");
    }
#endif
}

} // namespace fcw
