#pragma once

#include <QImage>
#include <QList>
#include <QRect>

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Pixels of one opaque colour written straight into an RGB32 picture.

// n pixels from `row` on. A long run is filled by copying what is already
// filled, which the library copies many pixels a step.
inline void fillRow(QRgb* row, int n, QRgb pixel)
{
    constexpr int kDirect = 32;
    const int first = std::min(n, kDirect);
#if defined(__SSE2__)
    if (first >= 4) {
        // Four pixels a store, the last store overlapping the one before.
        const __m128i quatre = _mm_set1_epi32(int(pixel));
        for (int i = 0; i + 4 < first; i += 4)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), quatre);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + first - 4), quatre);
    } else
#endif
    for (int i = 0; i < first; ++i)
        row[i] = pixel;
    for (int done = first; done < n;) {
        const int more = std::min(done, n - done);
        std::memcpy(row + done, row, size_t(more) * sizeof(QRgb));
        done += more;
    }
}

// The pixels of row[0] to row[63] whose bits are set in `bits` (bit i for
// row[i]), all 64 within the picture.
void fillBits(QRgb* row, uint64_t bits, QRgb pixel);

// Every pixel of the rectangles, cut to the picture. Narrow rectangles many
// rows high (a thin trace's teeth, one pixel wide side by side) go row after
// row, their columns four pixels a step through a mask where they are many:
// one at a time, each of their pixels would cost a store and its row's cache
// line would come back for the next column.
void fillRects(QImage& picture, const QList<QRect>& rects, QRgb pixel);
