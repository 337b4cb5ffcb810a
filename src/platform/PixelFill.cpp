#include "platform/PixelFill.h"

#include <algorithm>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

#if defined(__x86_64__)
// Eight pixels a step where the processor has them.
__attribute__((target("avx2"))) int masquer8(QRgb* row, const QRgb* mask, int n, QRgb pixel)
{
    const __m256i couleur = _mm256_set1_epi32(int(pixel));
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256i m = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(mask + i));
        const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + i), _mm256_blendv_epi8(p, couleur, m));
    }
    return i;
}
#endif

// The pixels of `row` whose mask is all ones take the colour; the others
// keep theirs.
void masquer(QRgb* row, const QRgb* mask, int n, QRgb pixel)
{
    int i = 0;
#if defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) {
        i = masquer8(row, mask, n, pixel);
    } else {
        const __m128i couleur = _mm_set1_epi32(int(pixel));
        for (; i + 4 <= n; i += 4) {
            const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + i));
            const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i),
                             _mm_or_si128(_mm_andnot_si128(m, p), _mm_and_si128(m, couleur)));
        }
    }
#endif
    for (; i < n; ++i)
        row[i] = (row[i] & ~mask[i]) | (pixel & mask[i]);
}

#if defined(__x86_64__)
// Sixteen pixels a store, those of the bits clear left as they are.
__attribute__((target("avx512f"))) void remplirBits16(QRgb* row, uint64_t bits, QRgb pixel)
{
    const __m512i couleur = _mm512_set1_epi32(int(pixel));
    for (int k = 0; k < 64; k += 16)
        if (const auto m = __mmask16(bits >> k))
            _mm512_mask_storeu_epi32(row + k, m, couleur);
}
#endif

} // namespace

void fillBits(QRgb* row, uint64_t bits, QRgb pixel)
{
#if defined(__x86_64__)
    static const bool avx512 = __builtin_cpu_supports("avx512f");
    if (avx512) {
        remplirBits16(row, bits, pixel);
        return;
    }
#endif
    for (; bits; bits &= bits - 1)
        row[__builtin_ctzll(bits)] = pixel;
}

void fillRects(QImage& picture, const QList<QRect>& rects, QRgb pixel)
{
    const QRect bounds = picture.rect();
    uchar* const bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    auto at = [&](int x, int y) { return reinterpret_cast<QRgb*>(bits + y * stride) + x; };
    constexpr int kTall = 32, kNarrow = 8;
    std::vector<QRect> tall;
    for (const QRect& rect : rects) {
        // Cut to the picture by hand: a trace or a text is many rectangles.
        const int x0 = std::max(rect.left(), 0), x1 = std::min(rect.right(), bounds.right());
        const int y0 = std::max(rect.top(), 0), y1 = std::min(rect.bottom(), bounds.bottom());
        if (x0 > x1 || y0 > y1)
            continue;
        const QRect r(QPoint(x0, y0), QPoint(x1, y1));
        if (r.width() < kNarrow && r.height() > kTall) {
            tall.push_back(r);
            continue;
        }
        QRgb* const first = at(r.left(), r.top());
        fillRow(first, r.width(), pixel);
        for (int y = r.top() + 1; y <= r.bottom(); ++y) {
            QRgb* const row = at(r.left(), y);
            if (r.width() < kNarrow)
                std::fill_n(row, r.width(), pixel);
            else
                std::memcpy(row, first, size_t(r.width()) * sizeof(QRgb));
        }
    }
    if (tall.empty())
        return;
    // Row after row, the columns of the rectangles that cover it: through a
    // mask of those columns when they are enough of their whole width to be
    // cheaper so than one by one.
    int left = bounds.right(), right = bounds.left();
    for (const QRect& r : tall) {
        left = std::min(left, r.left());
        right = std::max(right, r.right());
    }
    const int largeur = right - left + 1;
    std::vector<QRgb> masque(size_t(largeur), 0);
    std::vector<int> couches(size_t(largeur), 0); // rectangles over each column
    int couvertes = 0;                              // columns with one or more
    const auto couvrir = [&](const QRect& r, int sens) {
        for (int x = r.left() - left; x <= r.right() - left; ++x) {
            const int avant = couches[size_t(x)];
            couches[size_t(x)] += sens;
            if ((avant == 0) != (couches[size_t(x)] == 0)) {
                masque[size_t(x)] = avant == 0 ? ~QRgb(0) : 0;
                couvertes += avant == 0 ? 1 : -1;
            }
        }
    };
    // By their first row and by their last, counted out row by row: the
    // rows are few beside the rectangles of a dense trace.
    const auto trier = [&](std::vector<QRect>& v, auto rang) {
        std::vector<int> debuts(size_t(bounds.height()) + 1, 0);
        for (const QRect& r : v)
            ++debuts[size_t(rang(r)) + 1];
        for (size_t y = 1; y < debuts.size(); ++y)
            debuts[y] += debuts[y - 1];
        std::vector<QRect> tries(v.size());
        for (const QRect& r : v)
            tries[size_t(debuts[size_t(rang(r))]++)] = r;
        v.swap(tries);
    };
    std::vector<QRect> parFin = tall;
    trier(tall, [](const QRect& r) { return r.top(); });
    trier(parFin, [](const QRect& r) { return r.bottom(); });
    std::vector<QRect> actifs;
    std::vector<QRgb> plein; // a row of the colour, once one is all covered
    size_t debut = 0, fin = 0;
    for (int y = tall.front().top(); fin < parFin.size(); ++y) {
        if (couvertes == 0 && debut < tall.size())
            y = std::max(y, tall[debut].top());
        for (; debut < tall.size() && tall[debut].top() == y; ++debut) {
            couvrir(tall[debut], 1);
            actifs.push_back(tall[debut]);
        }
        for (; fin < parFin.size() && parFin[fin].bottom() < y; ++fin)
            couvrir(parFin[fin], -1);
        if (couvertes == 0)
            continue;
        QRgb* const row = at(left, y);
        if (couvertes == largeur) {
            // Every column: the row is only written, not read.
            if (plein.empty())
                plein.assign(size_t(largeur), pixel);
            std::memcpy(row, plein.data(), size_t(largeur) * sizeof(QRgb));
            continue;
        }
        if (8 * couvertes >= largeur) {
            masquer(row, masque.data(), largeur, pixel);
            continue;
        }
        std::erase_if(actifs, [y](const QRect& r) { return r.bottom() < y; });
        for (const QRect& r : actifs)
            std::fill_n(row + (r.left() - left), r.width(), pixel);
    }
}
