#include "platform/PixelFill.h"

#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The pixels of `row` whose mask is all ones take the colour; the others
// keep theirs.
void masquer(QRgb* row, const QRgb* mask, int n, QRgb pixel)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i couleur = _mm_set1_epi32(int(pixel));
    for (; i + 4 <= n; i += 4) {
        const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + i));
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i),
                         _mm_or_si128(_mm_andnot_si128(m, p), _mm_and_si128(m, couleur)));
    }
#endif
    for (; i < n; ++i)
        row[i] = (row[i] & ~mask[i]) | (pixel & mask[i]);
}

} // namespace

void fillRects(QImage& picture, const QList<QRect>& rects, QRgb pixel)
{
    const QRect bounds = picture.rect();
    uchar* const bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    auto at = [&](int x, int y) { return reinterpret_cast<QRgb*>(bits + y * stride) + x; };
    constexpr int kBand = 32, kNarrow = 8;
    std::vector<QRect> tall;
    for (const QRect& rect : rects) {
        const QRect r = rect & bounds;
        if (r.isEmpty())
            continue;
        if (r.width() < kNarrow && r.height() > kBand) {
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
    int top = bounds.bottom(), bottom = bounds.top(), left = bounds.right(), right = bounds.left();
    for (const QRect& r : tall) {
        top = std::min(top, r.top());
        bottom = std::max(bottom, r.bottom());
        left = std::min(left, r.left());
        right = std::max(right, r.right());
    }
    // In each band, the columns a rectangle covers from the band's top to
    // its bottom are written together, four pixels a step, through a mask
    // of those columns, when they are enough of the band's width to be
    // cheaper so than pixel by pixel; the rest pixel by pixel.
    const int largeur = right - left + 1;
    std::vector<QRgb> masque(size_t(largeur), 0);
    for (int y0 = top; y0 <= bottom; y0 += kBand) {
        const int y1 = std::min(bottom, y0 + kBand - 1);
        qsizetype couvertes = 0;
        for (const QRect& r : tall)
            if (r.top() <= y0 && r.bottom() >= y1)
                couvertes += r.width();
        const bool parMasque = 8 * couvertes >= largeur;
        if (parMasque)
            std::fill(masque.begin(), masque.end(), QRgb(0));
        for (const QRect& r : tall) {
            if (r.bottom() < y0 || r.top() > y1)
                continue;
            if (parMasque && r.top() <= y0 && r.bottom() >= y1) {
                std::fill_n(masque.begin() + (r.left() - left), r.width(), ~QRgb(0));
                continue;
            }
            for (int y = std::max(r.top(), y0); y <= std::min(r.bottom(), y1); ++y)
                std::fill_n(at(r.left(), y), r.width(), pixel);
        }
        if (parMasque)
            for (int y = y0; y <= y1; ++y)
                masquer(at(left, y), masque.data(), largeur, pixel);
    }
}
