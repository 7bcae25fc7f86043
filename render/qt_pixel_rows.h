#pragma once

#include <QRgb>

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fcw {

// Sets n pixels from p on (nothing when n <= 0). The canvas's runs are short, tens of pixels
// for a triangle's row and a few for its outline's, where the general fill's set-up outweighs
// its stores: here four pixels a store, the last one overlapping the one before it instead of
// a loop for the tail.
inline void setPixels(QRgb* p, std::int64_t n, QRgb value) {
#if defined(__SSE2__)
    if (n >= 4) {
        const __m128i four = _mm_set1_epi32(static_cast<int>(value));
        QRgb* const end = p + n;
        for (; p + 4 <= end; p += 4) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
        }
        if (p < end) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(end - 4), four);
        }
        return;
    }
#endif
    for (; n > 0; --n) {
        *p++ = value;
    }
}

} // namespace fcw
