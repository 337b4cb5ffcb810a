#include "platform/ThickPolyline.h"

#include "platform/DamageTiles.h"
#include "platform/PixelCoords.h"
#include "platform/PixelFill.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

void unir(double& lo, double& hi, double a, double b)
{
    lo = std::min(lo, a);
    hi = std::max(hi, b);
}

// The pixels a figure covers, one bit each: its pieces set their runs,
// overlapping as they may, and the picture is filled from it once, each
// covered pixel written once. Runs along a row go in row-major bits, runs
// down a column (a steep piece's) in column-major ones, laid across onto the
// rows before the fill. A block of 8 by 8 pixels wholly covered either way
// is noted as such, so that a piece lying within such blocks is known to
// change nothing without being worked out.
class CoverageMask {
public:
    // Sized for the picture, nothing covered.
    void begin(int width, int height)
    {
        if (width != width_ || height != height_) {
            width_ = width;
            height_ = height;
            words_ = (width + 63) >> 6;
            columnWords_ = (height + 63) >> 6;
            blockWords_ = (((width + 7) >> 3) + 63) >> 6;
            columnBlockWords_ = (((height + 7) >> 3) + 63) >> 6;
            rows_.assign(size_t(words_) * size_t(height), 0);
            columns_.assign(size_t(columnWords_) * size_t(width), 0);
            rowBlocks_.assign(size_t(blockWords_) * size_t((height + 7) >> 3), 0);
            columnBlocks_.assign(size_t(columnBlockWords_) * size_t((width + 7) >> 3), 0);
        }
        top_ = height_;
        bottom_ = -1;
        left_ = words_;
        right_ = -1;
        columnLeft_ = width_;
        columnRight_ = -1;
        columnTop_ = columnWords_;
        columnBottom_ = -1;
    }

    // Columns x0 to x1 of row y, all within the picture.
    void setRow(int y, int x0, int x1)
    {
        setBits(rows_.data() + size_t(y) * size_t(words_), x0, x1,
                [&](int octet) { noteBlock(rows_, words_, height_, rowBlocks_, blockWords_, y, octet); });
        top_ = std::min(top_, y);
        bottom_ = std::max(bottom_, y);
        left_ = std::min(left_, x0 >> 6);
        right_ = std::max(right_, x1 >> 6);
    }

    // Rows y0 to y1 of column x, all within the picture.
    void setColumn(int x, int y0, int y1)
    {
        setBits(columns_.data() + size_t(x) * size_t(columnWords_), y0, y1, [&](int octet) {
            noteBlock(columns_, columnWords_, width_, columnBlocks_, columnBlockWords_, x, octet);
        });
        columnLeft_ = std::min(columnLeft_, x);
        columnRight_ = std::max(columnRight_, x);
        columnTop_ = std::min(columnTop_, y0 >> 6);
        columnBottom_ = std::max(columnBottom_, y1 >> 6);
    }

    // The same within the columns x0 to x1 and rows y0 to y1 given to
    // `within` first, the blocks left as they are: for a mask whose blocks
    // are not asked.
    void within(int x0, int y0, int x1, int y1)
    {
        top_ = y0;
        bottom_ = y1;
        left_ = x0 >> 6;
        right_ = x1 >> 6;
        columnLeft_ = x0;
        columnRight_ = x1;
        columnTop_ = y0 >> 6;
        columnBottom_ = y1 >> 6;
    }
    void orRow(int y, int x0, int x1) { orBits(rows_.data() + size_t(y) * size_t(words_), x0, x1); }
    void orColumn(int x, int y0, int y1) { orBits(columns_.data() + size_t(x) * size_t(columnWords_), y0, y1); }

    // Whether every pixel of columns x0 to x1, rows y0 to y1 (all within
    // the picture) lies in a block wholly covered by runs down the columns,
    // or in one wholly covered by runs along the rows.
    bool blocksCovered(int x0, int y0, int x1, int y1) const
    {
        const int b0 = x0 >> 3, b1 = x1 >> 3, r0 = y0 >> 3, r1 = y1 >> 3;
        const auto parColonnes = [&] {
            for (int b = b0; b <= b1; ++b)
                if (!allSet(columnBlocks_.data() + size_t(b) * size_t(columnBlockWords_), r0, r1))
                    return false;
            return true;
        };
        const auto parRangs = [&] {
            for (int r = r0; r <= r1; ++r)
                if (!allSet(rowBlocks_.data() + size_t(r) * size_t(blockWords_), b0, b1))
                    return false;
            return true;
        };
        return parColonnes() || parRangs();
    }

    // Whether rows y0 to y1 of column x (within the picture) are all covered
    // by runs down the column.
    bool columnCovered(int x, int y0, int y1) const
    {
        return allSet(columns_.data() + size_t(x) * size_t(columnWords_), y0, y1);
    }

    // The covered pixels filled in the colour, run after run along the
    // rows, their tiles marked in `inked`; then nothing is covered. Gives
    // the bounding rectangle of what was filled.
    //
    // The mask's pixel (x, y) is the picture's (x - ox, y - oy): a mask with
    // a margin around the picture fills only what lies on it.
    QRect fill(QImage& picture, QRgb colour, DamageTiles* inked, int ox = 0, int oy = 0)
    {
        layColumnsOnRows();
        QRect bounds;
        if (bottom_ < top_)
            return bounds;
        uchar* const pixels = picture.bits();
        const qsizetype stride = picture.bytesPerLine();
        const int largeur = picture.width(), hauteur = picture.height();
        int gauche = largeur, droite = -1, haut = hauteur, bas = -1;
        for (int y = top_; y <= bottom_; ++y) {
            uint64_t* row = rows_.data() + size_t(y) * size_t(words_);
            const int Y = y - oy;
            if (Y < 0 || Y >= hauteur) {
                std::fill_n(row + left_, right_ - left_ + 1, uint64_t(0));
                continue;
            }
            QRgb* const ligne = reinterpret_cast<QRgb*>(pixels + Y * stride);
            // The row's tiles marked stretch after stretch, those of pixels
            // in the same or the next tile at once; its first and last
            // pixels.
            int marqueDe = 0, marqueA = -2 * DamageTiles::kSize;
            int premier = -1, dernier = -1;
            const auto encre = [&](int x0, int x1) __attribute__((always_inline)) {
                if (inked) {
                    if ((x0 >> DamageTiles::kShift) > (marqueA >> DamageTiles::kShift) + 1) {
                        if (marqueA >= 0)
                            inked->markRow(Y, marqueDe, marqueA);
                        marqueDe = x0;
                    }
                    marqueA = x1;
                }
                if (premier < 0)
                    premier = x0;
                dernier = x1;
            };
            // Whole words run on into one fill; a word partly covered (a
            // thin figure's rows are mostly such) has its pixels written
            // from its bits, at the cost of a run's ends or less.
            int debut = -1; // where the run of whole words under way began
            const auto finir = [&](int fin) __attribute__((always_inline)) {
                const int x0 = std::max(debut - ox, 0), x1 = std::min(fin - ox, largeur - 1);
                debut = -1;
                if (x0 > x1)
                    return;
                fillRow(ligne + x0, x1 - x0 + 1, colour);
                encre(x0, x1);
            };
            for (int w = left_; w <= right_; ++w) {
                uint64_t v = row[w];
                if (!v) {
                    if (debut >= 0)
                        finir((w << 6) - 1);
                    continue;
                }
                row[w] = 0;
                const int base = (w << 6) - ox;
                if (v == ~uint64_t(0)) {
                    if (debut < 0)
                        debut = w << 6;
                    continue;
                }
                if (debut >= 0)
                    finir((w << 6) - 1);
                // Only the bits on the picture.
                if (base < 0)
                    v &= base <= -64 ? 0 : ~uint64_t(0) << -base;
                if (base + 64 > largeur)
                    v &= base >= largeur ? 0 : ~uint64_t(0) >> (base + 64 - largeur);
                if (!v)
                    continue;
                encre(base + __builtin_ctzll(v), base + 63 - __builtin_clzll(v));
                if (base >= 0 && base + 64 <= largeur) {
                    fillBits(ligne + base, v, colour);
                    continue;
                }
                do {
                    ligne[base + __builtin_ctzll(v)] = colour;
                    v &= v - 1;
                } while (v);
            }
            if (debut >= 0)
                finir(((right_ + 1) << 6) - 1);
            if (inked && marqueA >= 0)
                inked->markRow(Y, marqueDe, marqueA);
            if (premier >= 0) {
                gauche = std::min(gauche, premier);
                droite = std::max(droite, dernier);
                haut = std::min(haut, Y);
                bas = Y;
            }
        }
        // The blocks of those rows and columns, none covered any longer.
        for (int r = top_ >> 3; r <= bottom_ >> 3; ++r)
            std::fill_n(rowBlocks_.data() + size_t(r) * size_t(blockWords_) + ((left_ << 3) >> 6),
                        (((right_ << 3) + 7) >> 6) - ((left_ << 3) >> 6) + 1, uint64_t(0));
        top_ = height_;
        bottom_ = -1;
        if (droite >= gauche)
            bounds = QRect(QPoint(gauche, haut), QPoint(droite, bas));
        return bounds;
    }

    // Every covered pixel grown by a disc: each covered pixel (x, y) covers
    // as well the pixels (x + i, y + k) for |k| up to `rayon` and |i| up to
    // portee[|k|] (each below 64), the rows' runs (the columns' laid on them
    // first) replaced by their union shifted by each offset. The cost goes
    // with the covered words, times the disc's rows.
    void grow(int rayon, const int* portee)
    {
        layColumnsOnRows();
        if (bottom_ < top_)
            return;
        if (grown_.size() != rows_.size())
            grown_.assign(rows_.size(), 0);
        const int haut = std::max(0, top_ - rayon), bas = std::min(height_ - 1, bottom_ + rayon);
        const int gauche = std::max(0, left_ - 1), droite = std::min(words_ - 1, right_ + 1);
        const int hmax = portee[0];
        uint64_t milieu[64], avant[64], apres[64]; // the word grown by h, what spills before and after it
        // Word column after word column, a word the same on rows y0 to y1
        // grown once: the rows between take its widest growth, those
        // beyond either end, k rows off, the disc's row k.
        const auto ou = [&](int y, int w, int h) {
            uint64_t* cible = grown_.data() + size_t(y) * size_t(words_) + size_t(w);
            cible[0] |= milieu[h];
            if (w + 1 < words_)
                cible[1] |= apres[h];
            if (w > 0)
                cible[-1] |= avant[h];
        };
        for (int w = left_; w <= right_; ++w) {
            for (int y = top_; y <= bottom_;) {
                uint64_t* const source = rows_.data() + size_t(y) * size_t(words_) + size_t(w);
                const uint64_t v = *source;
                if (!v) {
                    ++y;
                    continue;
                }
                const int y0 = y;
                for (uint64_t* s = source; y <= bottom_ && *s == v; ++y, s += words_)
                    *s = 0;
                const int y1 = y - 1;
                milieu[0] = v;
                avant[0] = apres[0] = 0;
                for (int h = 1; h <= hmax; ++h) {
                    milieu[h] = milieu[h - 1] | (v << h) | (v >> h);
                    apres[h] = apres[h - 1] | (v >> (64 - h));
                    avant[h] = avant[h - 1] | (v << (64 - h));
                }
                for (int j = y0; j <= y1; ++j)
                    ou(j, w, hmax);
                for (int k = 1; k <= rayon; ++k) {
                    if (y0 - k >= 0)
                        ou(y0 - k, w, portee[k]);
                    if (y1 + k < height_)
                        ou(y1 + k, w, portee[k]);
                }
            }
        }
        // Nothing past the last column.
        if (width_ & 63)
            for (int y = haut; y <= bas; ++y)
                grown_[size_t(y) * size_t(words_) + size_t(words_ - 1)] &= (uint64_t(1) << (width_ & 63)) - 1;
        rows_.swap(grown_);
        top_ = haut;
        bottom_ = bas;
        left_ = gauche;
        right_ = droite;
    }

private:
    // Bits i0 to i1 of a line of words set; `whole(octet)` told of each
    // byte that becomes whole.
    template <class Whole>
    static void setBits(uint64_t* line, int i0, int i1, Whole whole)
    {
        const int w0 = i0 >> 6, w1 = i1 >> 6;
        const auto orWord = [&](int w, uint64_t m) {
            const uint64_t avant = line[w];
            const uint64_t apres = avant | m;
            line[w] = apres;
            uint64_t nouveaux = wholeBytes(apres) & ~wholeBytes(avant);
            while (nouveaux) {
                whole((w << 3) + (__builtin_ctzll(nouveaux) >> 3));
                nouveaux &= nouveaux - 1;
            }
        };
        if (w0 == w1) {
            orWord(w0, (~uint64_t(0) << (i0 & 63)) & (~uint64_t(0) >> (63 - (i1 & 63))));
            return;
        }
        orWord(w0, ~uint64_t(0) << (i0 & 63));
        for (int w = w0 + 1; w < w1; ++w)
            orWord(w, ~uint64_t(0));
        orWord(w1, ~uint64_t(0) >> (63 - (i1 & 63)));
    }

    static void orBits(uint64_t* line, int i0, int i1)
    {
        const int w0 = i0 >> 6, w1 = i1 >> 6;
        const uint64_t debut = ~uint64_t(0) << (i0 & 63), fin = ~uint64_t(0) >> (63 - (i1 & 63));
        if (w0 == w1) {
            line[w0] |= debut & fin;
            return;
        }
        line[w0] |= debut;
        for (int w = w0 + 1; w < w1; ++w)
            line[w] = ~uint64_t(0);
        line[w1] |= fin;
    }

    // Whether bits i0 to i1 of a line of words are all set.
    static bool allSet(const uint64_t* line, int i0, int i1)
    {
        const int w0 = i0 >> 6, w1 = i1 >> 6;
        const uint64_t debut = ~uint64_t(0) << (i0 & 63), fin = ~uint64_t(0) >> (63 - (i1 & 63));
        if (w0 == w1)
            return (line[w0] & debut & fin) == (debut & fin);
        if ((line[w0] & debut) != debut || (line[w1] & fin) != fin)
            return false;
        for (int w = w0 + 1; w < w1; ++w)
            if (line[w] != ~uint64_t(0))
                return false;
        return true;
    }

    // The top bit of each byte of v whose eight bits are all set.
    static uint64_t wholeBytes(uint64_t v)
    {
        constexpr uint64_t k7F = 0x7F7F7F7F7F7F7F7Full, k80 = 0x8080808080808080ull;
        const uint64_t x = ~v;
        return ~((((x & k7F) + k7F) | x) & k80) & k80;
    }

    // Byte `octet` of line `ligne` (a row or a column) of `bits`, `stride`
    // words a line and `lignes` lines, just became whole: its block is whole
    // once the same byte is in the eight lines of its band (those there
    // are).
    static void noteBlock(const std::vector<uint64_t>& bits, int stride, int lignes, std::vector<uint64_t>& blocks,
                          int blockStride, int ligne, int octet)
    {
        const int bande = ligne >> 3, l0 = bande << 3, l1 = std::min(lignes, l0 + 8);
        const uint64_t m = uint64_t(0xFF) << (8 * (octet & 7));
        for (int k = l0; k < l1; ++k)
            if ((bits[size_t(k) * size_t(stride) + size_t(octet >> 3)] & m) != m)
                return;
        blocks[size_t(bande) * size_t(blockStride) + size_t(octet >> 6)] |= uint64_t(1) << (octet & 63);
    }

    // The runs down the columns laid onto the rows, 64 by 64 pixels at a
    // time, the columns' bits cleared.
    void layColumnsOnRows()
    {
        if (columnRight_ < columnLeft_)
            return;
        uint64_t carre[64];
        for (int w = columnTop_; w <= columnBottom_; ++w)
            for (int x0 = columnLeft_ & ~63; x0 <= columnRight_; x0 += 64) {
                bool vide = true;
                for (int i = 0; i < 64; ++i) {
                    const int x = x0 + i;
                    uint64_t& mot = columns_[size_t(std::min(x, width_ - 1)) * size_t(columnWords_) + size_t(w)];
                    carre[i] = x < width_ ? mot : 0;
                    if (x < width_)
                        mot = 0;
                    vide &= carre[i] == 0;
                }
                if (vide)
                    continue;
                transpose64(carre);
                // Row 64 w + k now holds in carre[k] columns x0 on.
                for (int k = 0; k < 64 && (w << 6) + k < height_; ++k)
                    if (carre[k]) {
                        const int y = (w << 6) + k;
                        rows_[size_t(y) * size_t(words_) + size_t(x0 >> 6)] |= carre[k];
                        top_ = std::min(top_, y);
                        bottom_ = std::max(bottom_, y);
                        left_ = std::min(left_, x0 >> 6);
                        right_ = std::max(right_, x0 >> 6);
                    }
            }
        for (int c = columnLeft_ >> 3; c <= columnRight_ >> 3; ++c)
            std::fill_n(columnBlocks_.data() + size_t(c) * size_t(columnBlockWords_) + ((columnTop_ << 3) >> 6),
                        (((columnBottom_ << 3) + 7) >> 6) - ((columnTop_ << 3) >> 6) + 1, uint64_t(0));
        columnLeft_ = width_;
        columnRight_ = -1;
    }

    // a[i] bit k goes to a[k] bit i.
    static void transpose64(uint64_t a[64])
    {
        uint64_t m = 0x00000000FFFFFFFFull;
        for (int j = 32; j; j >>= 1, m ^= m << j)
            for (int k = 0; k < 64; k = ((k | j) + 1) & ~j) {
                const uint64_t t = ((a[k] >> j) ^ a[k | j]) & m;
                a[k] ^= t << j;
                a[k | j] ^= t;
            }
    }

    int width_ = -1, height_ = -1;
    int words_ = 0, columnWords_ = 0, blockWords_ = 0, columnBlockWords_ = 0;
    std::vector<uint64_t> rows_;         // words_ a row, a bit a pixel
    std::vector<uint64_t> grown_;        // as rows_, all clear between two grow()s
    std::vector<uint64_t> columns_;      // columnWords_ a column, a bit a pixel
    std::vector<uint64_t> rowBlocks_;    // blockWords_ a band of 8 rows, a bit a block
    std::vector<uint64_t> columnBlocks_; // columnBlockWords_ a band of 8 columns, a bit a block
    int top_ = 0, bottom_ = -1, left_ = 0, right_ = -1;                   // rows and words set
    int columnLeft_ = 0, columnRight_ = -1, columnTop_ = 0, columnBottom_ = -1; // columns and words set
};

CoverageMask& coverageMask()
{
    static thread_local CoverageMask mask;
    return mask;
}

// A segment of the figure cut to the frame, and whether the disc at its
// first end is left to the segment before, which ends there.
struct Piece {
    QPointF a, b;
    bool discA;
};

// The figure's segments cut to the frame, in order.
std::vector<Piece>& piecesOf(const QPolygonF& points, const QRectF& frame)
{
    static thread_local std::vector<Piece> pieces;
    pieces.clear();
    pieces.reserve(size_t(points.size()));
    // Each point's disc is inked once, by the segment it ends: a figure of
    // short segments is mostly discs. (Where that end was cut, the point
    // lies outside the frame and its disc shows nothing.)
    bool discEncre = false;
    for (qsizetype k = 1; k < points.size(); ++k) {
        QPointF a = points[k - 1], b = points[k];
        const bool dedans = clipSegment(a, b, frame);
        if (dedans)
            pieces.push_back({a, b, !discEncre});
        discEncre = dedans;
    }
    return pieces;
}

// The pieces given to `stroke` a coarse pass first, every kStride-th one,
// then those between: a figure that runs over itself (an XY figure far
// denser than its pixels) is mostly covered after the first pass, and the
// pieces after it that lie within what is covered are left out at once.
// The stride is prime: it falls on every phase of a periodic figure. A
// piece with the same ends as one given lately (a square's figure goes
// through its few corners again and again) is left out: it inks the same
// pixels. A stride of 1 gives them in order, the repeated ones left out.
template <class Stroke>
void coarseFirst(const std::vector<Piece>& pieces, Stroke stroke, size_t kStride = 37)
{
    constexpr int kVus = 256;
    static thread_local Piece vus[kVus];
    static thread_local bool occupes[kVus];
    std::fill_n(occupes, kVus, false);
    const auto bits = [](double v) {
        uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        return b;
    };
    for (size_t debut = 0; debut < std::min(kStride, pieces.size()); ++debut)
        for (size_t k = debut; k < pieces.size(); k += kStride) {
            const Piece& p = pieces[k];
            uint64_t h = bits(p.a.x()) * 0x9E3779B97F4A7C15ull;
            h = (h ^ bits(p.a.y())) * 0x9E3779B97F4A7C15ull;
            h = (h ^ bits(p.b.x())) * 0x9E3779B97F4A7C15ull;
            h = (h ^ bits(p.b.y())) * 0x9E3779B97F4A7C15ull;
            const int i = int(h >> 56);
            const Piece& v = vus[i];
            if (occupes[i] && v.a.x() == p.a.x() && v.a.y() == p.a.y() && v.b.x() == p.b.x() && v.b.y() == p.b.y())
                continue;
            occupes[i] = true;
            vus[i] = p;
            stroke(p);
        }
}

// The segment from (u1, v1) to (u2, v2) cut to u from lo to hi, each end
// beyond moved along it onto the side; false when none of it lies there.
bool cutAlong(double& u1, double& v1, double& u2, double& v2, double lo, double hi)
{
    if (u1 < lo) {
        if (u2 <= lo)
            return false;
        v1 += (v2 - v1) / (u2 - u1) * (lo - u1);
        u1 = lo;
    } else if (u1 > hi) {
        if (u2 >= hi)
            return false;
        v1 += (v2 - v1) / (u2 - u1) * (hi - u1);
        u1 = hi;
    }
    if (u2 < lo) {
        v2 += (v2 - v1) / (u2 - u1) * (lo - u2);
        u2 = lo;
    } else if (u2 > hi) {
        v2 += (v2 - v1) / (u2 - u1) * (hi - u2);
        u2 = hi;
    }
    return true;
}

// A segment one pixel wide along its long axis, from (u1, v1) to (u2, v2)
// in 26.6 fixed point (u along that axis): one pixel a line across it, from
// the line its first end rounds to up to but not including the one its last
// end rounds to, the other coordinate stepped in 16.16; the pixels of one
// v in a row handed to `run(v, from u, to u)`.
template <class Run>
void stepAlong(int u1, int v1, int u2, int v2, Run run)
{
    if (u1 > u2) {
        std::swap(u1, u2);
        std::swap(v1, v2);
    }
    const int64_t pas = int64_t(v2 - v1) * 65536 / (u2 - u1);
    int64_t v = int64_t(v1) * 1024;
    int u = (u1 + 32) >> 6;
    const int fin = (u2 + 32) >> 6;
    if (u == fin)
        return;
    v += (int64_t(u) * 64 + (pas > 0 ? 32 : 0) - u1) * pas >> 6;
    // v goes up by `pas` a line: each run ends before the first line whose
    // v leaves the run's 1/65536ths, found at once rather than line by line
    // (a steep segment a pixel across takes one step, not its height).
    while (u < fin) {
        const int64_t ligne = v >> 16;
        // v only goes one way: the rest is one run when its last line is.
        if ((v + (fin - 1 - u) * pas) >> 16 == ligne) {
            run(int(ligne), u, fin - 1);
            return;
        }
        int64_t n = fin - u; // lines of this run, at most
        if (pas > 0)
            n = std::min(n, (((ligne + 1) << 16) - v + pas - 1) / pas);
        else if (pas < 0)
            n = std::min(n, (v - (ligne << 16) - pas) / -pas);
        run(int(ligne), u, u + int(n) - 1);
        u += int(n);
        v += n * pas;
    }
}

// The pixels of a segment one pixel wide, as the raster engine draws it
// alone with a cosmetic pen, no antialiasing and flat ends, set in the
// mask: cut to a pixel beyond the picture, its ends taken in 1/64 pixel,
// then one pixel a row (a steep segment) or a column (a shallow one) from
// the row or column its first end rounds to, up to but not including the
// one its last end rounds to; a segment of no length is its first end,
// rounded.
void thinSegment(CoverageMask& mask, int largeur, int hauteur, double x1, double y1, double x2, double y2)
{
    const auto pixel = [&](int x, int y) {
        if (x >= 0 && x < largeur && y >= 0 && y < hauteur)
            mask.orRow(y, x, x);
    };
    // Ends that compare equal as points do (within a relative 1e-12) make a
    // point.
    if (QPointF(x1, y1) == QPointF(x2, y2)) {
        pixel(qRound(x1), qRound(y1));
        return;
    }
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    // Cut to a pixel beyond the picture, across, then up and down.
    if (!cutAlong(x1, y1, x2, y2, -1, largeur + 1) || !cutAlong(y1, x1, y2, x2, -1, hauteur + 1))
        return;
    // 26.6 fixed point, the fraction cut off; steps in 16.16.
    const int fx1 = int(x1 * 64.), fy1 = int(y1 * 64.), fx2 = int(x2 * 64.), fy2 = int(y2 * 64.);
    const int dx = std::abs(fx2 - fx1), dy = std::abs(fy2 - fy1);
    if (dx < dy) {
        // Upright stretches as runs down their column, cut to the picture.
        stepAlong(fy1, fx1, fy2, fx2, [&](int colonne, int de, int a) {
            de = std::max(de, 0);
            a = std::min(a, hauteur - 1);
            if (colonne >= 0 && colonne < largeur && de <= a)
                mask.orColumn(colonne, de, a);
        });
        return;
    }
    if (!dx)
        return;
    // Level stretches as runs along their row, cut to the picture.
    stepAlong(fx1, fy1, fx2, fy2, [&](int rang, int de, int a) {
        de = std::max(de, 0);
        a = std::min(a, largeur - 1);
        if (rang >= 0 && rang < hauteur && de <= a)
            mask.orRow(rang, de, a);
    });
}

// Whether a capsule from a down by (dx, dy) (dy > 0) is worked
// out column after column rather than row after row: a steep one, which
// crosses far fewer columns than rows. Its rows' runs stay the reference:
// a column takes the rows whose centres its span holds by a margin far
// above the rounding of either way of working them out, and asks each row
// a hair from the span's ends whether it holds the column. That rounding
// stays small where the segment is not nearly upright (the normals at its
// ends cross a row far off when dx is tiny); a segment exactly upright has
// no normals to cross, but its band's sides then run down the columns'
// centres when they lie there within the margin, and it goes by rows.
bool parColonnes(QPointF a, double dx, double dy, double r, int rangs, int colonnes)
{
    if (!(dy > std::abs(dx)) || rangs < 2 * colonnes)
        return false;
    if (dx == 0) {
        const auto surCentre = [](double x) { return std::abs(x - 0.5 - std::round(x - 0.5)) < 1e-3; };
        return !surCentre(a.x() - r) && !surCentre(a.x() + r);
    }
    return std::abs(dx) >= 1e-3;
}

// The pixels a segment's centre line passes through, set in the mask (of
// `largeur` x `hauteur` pixels, the segment in its pixels): in each row
// whose centre it crosses, the pixel it crosses that centre line in (a
// steep segment), or in each column (a shallow one), each pixel so holding
// a point of the segment. Set as runs down the columns or along the rows,
// one a column or row it crosses across its length: its cost goes with its
// width or its height, whichever is less.
void centreLine(CoverageMask& mask, int largeur, int hauteur, QPointF a, QPointF b)
{
    // The whole number at or below v, v within the frame's reach (the
    // segment is cut to it): no case for the far values of plancher().
    const auto sous = [](double v) {
        const int i = int(v);
        return i - int(double(i) > v);
    };
    const bool raide = std::abs(b.y() - a.y()) >= std::abs(b.x() - a.x());
    // u along the segment's long axis, v across it.
    double u1 = raide ? a.y() : a.x(), v1 = raide ? a.x() : a.y();
    double u2 = raide ? b.y() : b.x(), v2 = raide ? b.x() : b.y();
    if (u1 == u2)
        return; // a point: the pixel of its ends
    if (u1 > u2) {
        std::swap(u1, u2);
        std::swap(v1, v2);
    }
    const int lignes = raide ? hauteur : largeur, travers = raide ? largeur : hauteur;
    const int l0 = std::max(0, plafond(u1 - 0.5)), l1 = std::min(lignes - 1, plancher(u2 - 0.5));
    if (l0 > l1)
        return;
    const double pente = (v2 - v1) / (u2 - u1); // at most 1 either way
    const double inverse = pente != 0 ? 1 / pente : 0;
    const double depart = v1 + (l0 + 0.5 - u1) * pente;
    for (int l = l0; l <= l1;) {
        const int c = sous(depart + (l - l0) * pente);
        // The last line whose crossing lies in the same pixel c (a line
        // count far beyond l1 where the slope is tiny).
        int fin = l1;
        if (pente > 0)
            fin = l0 - plancher((depart - c - 1) * inverse) - 1;
        else if (pente < 0)
            fin = l0 + plancher((c - depart) * inverse);
        fin = std::clamp(fin, l, l1);
        if (c >= 0 && c < travers) {
            if (raide)
                mask.orColumn(c, l, fin);
            else
                mask.orRow(c, l, fin);
        }
        l = fin + 1;
    }
}

} // namespace

bool clipSegment(QPointF& a, QPointF& b, const QRectF& frame)
{
    // Both ends inside, as nearly every segment of a figure: nothing to cut.
    const double gauche = frame.left(), droite = frame.right(), haut = frame.top(), bas = frame.bottom();
    if (a.x() >= gauche && a.x() <= droite && a.y() >= haut && a.y() <= bas && b.x() >= gauche && b.x() <= droite
        && b.y() >= haut && b.y() <= bas)
        return true;
    // Liang-Barsky: the parameters where the segment enters and leaves the
    // frame. Each cut end is measured from the end of the segment nearer to
    // it, and the coordinate of the side it is cut on is set exactly, so
    // that ends far apart (a value of 1e300) lose nothing to rounding.
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return false;
    const double p[4] = {-dx, dx, -dy, dy};
    const double qa[4] = {a.x() - frame.left(), frame.right() - a.x(), a.y() - frame.top(), frame.bottom() - a.y()};
    const double qb[4] = {b.x() - frame.left(), frame.right() - b.x(), b.y() - frame.top(), frame.bottom() - b.y()};
    const double cote[4] = {frame.left(), frame.right(), frame.top(), frame.bottom()};
    double t0 = 0, t1 = 1;
    int k0 = -1, k1 = -1;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (qa[k] < 0)
                return false;
            continue;
        }
        const double t = qa[k] / p[k];
        if (p[k] < 0 && t > t0) {
            t0 = t;
            k0 = k;
        } else if (p[k] > 0 && t < t1) {
            t1 = t;
            k1 = k;
        }
    }
    if (t0 > t1)
        return false;
    auto point = [&](double t, int k) {
        if (k < 0)
            return t <= 0 ? a : b;
        // 1 - t measured from b: (p - qa) / p = -qb / p.
        const double u = -qb[k] / p[k];
        QPointF r = std::abs(t) <= std::abs(u) ? a + t * QPointF(dx, dy) : b - u * QPointF(dx, dy);
        if (k <= 1)
            r.setX(cote[k]);
        else
            r.setY(cote[k]);
        return r;
    };
    const QPointF a1 = point(t0, k0), b1 = point(t1, k1);
    a = a1;
    b = b1;
    return true;
}

QRect strokeThickPolyline(QImage& picture, const QPolygonF& points, double width, QRgb colour,
                          DamageTiles* inked)
{
    if (picture.format() != QImage::Format_RGB32 || points.isEmpty() || !(width > 0))
        return {};
    const int largeur = picture.width(), hauteur = picture.height();
    const double r = width / 2, r2 = r * r;
    CoverageMask& mask = coverageMask();
    mask.begin(largeur, hauteur);

    // The segment's band and the discs at its ends, the disc at a only when
    // asked: the segment before, which ends there, inks it. The whole
    // segment within what is covered already is left out: it changes
    // nothing.
    auto capsule = [&](QPointF a, QPointF b, bool discA) {
        bool discB = true;
        if (a.y() > b.y()) {
            std::swap(a, b);
            std::swap(discA, discB);
        }
        const int j0 = std::max(0, plafond(a.y() - r - 0.5));
        const int j1 = std::min(hauteur - 1, plancher(b.y() + r - 0.5));
        // Every row's run lies within these columns, a pixel to spare.
        const int c0 = std::max(0, plafond(std::min(a.x(), b.x()) - r - 0.5) - 1);
        const int c1 = std::min(largeur - 1, plancher(std::max(a.x(), b.x()) + r - 0.5) + 1);
        if (j0 > j1 || c0 > c1 || mask.blocksCovered(c0, j0, c1, j1))
            return;
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        const double l2 = dx * dx + dy * dy;
        const double l = std::sqrt(l2);
        // Rows more than r from both ends meet only the segment's body: the
        // band around its line, between the normals at its ends.
        const double invDx = dx != 0 ? 1 / dx : 0, invDy = dy != 0 ? 1 / dy : 0;
        const double demiBande = dy != 0 ? r * l * std::abs(invDy) : 0;
        // The run of row j, as the least and greatest x the capsule covers
        // on the row's centre line; false where it covers none.
        // The ends' discs on a line da and db across from their centres,
        // which lie at ca and cb along it: their spans there.
        const auto disques = [&](double da, double db, double ca, double cb, double& lo, double& hi) {
            if (discA && da * da <= r2) {
                const double demi = std::sqrt(r2 - da * da);
                unir(lo, hi, ca - demi, ca + demi);
            }
            if (discB && db * db <= r2) {
                const double demi = std::sqrt(r2 - db * db);
                unir(lo, hi, cb - demi, cb + demi);
            }
        };
        const auto bornes = [&](int j, double& lo, double& hi) {
            const double yc = j + 0.5;
            const double ea = yc - a.y(), eb = yc - b.y();
            lo = std::numeric_limits<double>::infinity();
            hi = -lo;
            disques(ea, eb, a.x(), b.x(), lo, hi);
            if (l2 > 0) {
                // The body's x interval on this row; empty as debut > fin.
                double debut = -std::numeric_limits<double>::infinity(), fin = -debut;
                if (dy != 0) {
                    const double centre = a.x() + ea * dx * invDy;
                    debut = centre - demiBande;
                    fin = centre + demiBande;
                } else if (std::abs(ea) > r) {
                    return lo <= hi;
                }
                if (dx != 0) {
                    double x1 = a.x() - ea * dy * invDx, x2 = x1 + l2 * invDx;
                    if (x1 > x2)
                        std::swap(x1, x2);
                    debut = std::max(debut, x1);
                    fin = std::min(fin, x2);
                } else if (ea < 0 || ea > dy) {
                    fin = debut - 1; // beyond the ends: only their discs
                }
                if (debut <= fin)
                    unir(lo, hi, debut, fin);
            }
            return lo <= hi;
        };
        // Its pixels in row j, as whole columns within the picture.
        const auto colonnesDuRang = [&](int j, int& i0, int& i1) {
            double lo, hi;
            if (!bornes(j, lo, hi))
                return false;
            i0 = std::max(0, plafond(lo - 0.5));
            i1 = std::min(largeur - 1, plancher(hi - 0.5));
            return i0 <= i1;
        };
        if (parColonnes(a, dx, dy, r, j1 - j0 + 1, c1 - c0 + 1)) {
            // A steep segment, column after column: in each, the rows
            // whose centres the capsule's span down the column holds, as
            // the rows' runs above have them (see parColonnes).
            for (int i = c0; i <= c1; ++i) {
                if (mask.columnCovered(i, j0, j1))
                    continue;
                const double X = i + 0.5;
                double bas = std::numeric_limits<double>::infinity(), haut = -bas;
                const double exa = X - a.x();
                disques(exa, X - b.x(), a.y(), b.y(), bas, haut);
                // The body: between the normals at the ends (dy > 0 here),
                // within the band about the line.
                double debut = a.y() - exa * dx * invDy, fin = a.y() + (l2 - exa * dx) * invDy;
                if (dx != 0) {
                    const double q = exa * dy;
                    double y1 = a.y() + (q - r * l) * invDx, y2 = a.y() + (q + r * l) * invDx;
                    if (y1 > y2)
                        std::swap(y1, y2);
                    debut = std::max(debut, y1);
                    fin = std::min(fin, y2);
                } else if (std::abs(exa) > r) {
                    fin = debut - 1;
                }
                if (debut <= fin)
                    unir(bas, haut, debut, fin);
                if (!(bas <= haut))
                    continue;
                // Rows whose centre lies well within are the rows' own;
                // one a hair from either end is asked of its row.
                constexpr double kMarge = 1e-4;
                int premier = std::max(j0, plafond(bas + kMarge - 0.5));
                int dernier = std::min(j1, plancher(haut - kMarge - 0.5));
                const auto estDedans = [&](int j) {
                    int i0, i1;
                    return colonnesDuRang(j, i0, i1) && i >= i0 && i <= i1;
                };
                if (premier > dernier) {
                    // No row well within: each near one asked.
                    premier = std::max(j0, plafond(bas - kMarge - 0.5));
                    dernier = std::min(j1, plancher(haut + kMarge - 0.5));
                    while (premier <= dernier && !estDedans(premier))
                        ++premier;
                    while (dernier >= premier && !estDedans(dernier))
                        --dernier;
                } else {
                    const int avant = premier - 1, apres = dernier + 1;
                    if (avant >= j0 && avant + 0.5 > bas - kMarge && estDedans(avant))
                        premier = avant;
                    if (apres <= j1 && apres + 0.5 < haut + kMarge && estDedans(apres))
                        dernier = apres;
                }
                if (premier <= dernier)
                    mask.setColumn(i, premier, dernier);
            }
            return;
        }
        for (int j = j0; j <= j1; ++j) {
            int i0, i1;
            if (colonnesDuRang(j, i0, i1))
                mask.setRow(j, i0, i1);
        }
    };

    // Far outside the picture a segment is cut to what its rows and columns
    // can show, so that a huge value costs no more than the picture; a point
    // that is no number draws nothing.
    const double marge = r + 2;
    const QRectF cadre(-marge, -marge, largeur + 2 * marge, hauteur + 2 * marge);
    if (points.size() == 1 && cadre.contains(points[0]))
        capsule(points[0], points[0], true);
    coarseFirst(piecesOf(points, cadre), [&](const Piece& p) { capsule(p.a, p.b, p.discA); });
    return mask.fill(picture, colour, inked);
}

QRect strokeThinPolyline(QImage& picture, const QPolygonF& points, QRgb colour, DamageTiles* inked)
{
    if (picture.format() != QImage::Format_RGB32 || points.size() < 2)
        return {};
    const int largeur = picture.width(), hauteur = picture.height();
    CoverageMask& mask = coverageMask();
    mask.begin(largeur, hauteur);
    // Each segment cut to the picture and 2.5 pixels around first, as a
    // stroke a pixel wide is (see PictureBox::Polyline).
    constexpr double kMarge = 2.5;
    const QRectF cadre(-kMarge, -kMarge, largeur + 2 * kMarge, hauteur + 2 * kMarge);
    // In order, the segments set in the mask as they come, its blocks left
    // alone: a thin segment seldom lies within whole blocks, and asking
    // costs about what setting it does.
    int gauche = largeur, droite = -1, haut = hauteur, bas = -1;
    coarseFirst(piecesOf(points, cadre), [&](const Piece& p) {
        // Its pixels lie within a pixel of its ends' box.
        const int c0 = std::max(0, plancher(std::min(p.a.x(), p.b.x())) - 1);
        const int c1 = std::min(largeur - 1, plafond(std::max(p.a.x(), p.b.x())) + 1);
        const int j0 = std::max(0, plancher(std::min(p.a.y(), p.b.y())) - 1);
        const int j1 = std::min(hauteur - 1, plafond(std::max(p.a.y(), p.b.y())) + 1);
        if (c0 > c1 || j0 > j1)
            return;
        gauche = std::min(gauche, c0);
        droite = std::max(droite, c1);
        haut = std::min(haut, j0);
        bas = std::max(bas, j1);
        thinSegment(mask, largeur, hauteur, p.a.x(), p.a.y(), p.b.x(), p.b.y());
    }, 1);
    if (droite < gauche)
        return {};
    mask.within(gauche, haut, droite, bas);
    return mask.fill(picture, colour, inked);
}

QRect strokeWideFigure(QImage& picture, const QPolygonF& points, double width, QRgb colour, DamageTiles* inked)
{
    if (picture.format() != QImage::Format_RGB32 || points.isEmpty() || !(width > 0))
        return {};
    const int largeur = picture.width(), hauteur = picture.height();
    const double r = width / 2;
    // The disc's reach across a row k rows from its centre, in whole pixels.
    const int rayon = plancher(r);
    if (rayon >= 63)
        return strokeThickPolyline(picture, points, width, colour, inked);
    // What the capsules would take, a line of pixels each row (or column)
    // they cross, against what growing the centre line's pixels takes: a
    // word a row of the figure's box and a disc's row each. A figure that
    // runs over itself (an XY figure far denser than its pixels) crosses
    // its rows many times over.
    double lignes = 0, gauche = largeur, droite = 0, haut = hauteur, bas = 0;
    for (qsizetype k = 0; k < points.size(); ++k) {
        const QPointF b = points[k];
        if (!std::isfinite(b.x()) || !std::isfinite(b.y())) {
            lignes = std::numeric_limits<double>::infinity();
            continue;
        }
        gauche = std::min(gauche, b.x());
        droite = std::max(droite, b.x());
        haut = std::min(haut, b.y());
        bas = std::max(bas, b.y());
        if (k == 0)
            continue;
        const QPointF a = points[k - 1];
        const double dx = std::abs(b.x() - a.x()), dy = std::abs(b.y() - a.y());
        lignes += std::min(dy, std::max(dx, dy / 2)) + width + 1;
    }
    const double rangs = std::clamp(bas, 0.0, double(hauteur)) - std::clamp(haut, 0.0, double(hauteur)) + width + 1;
    const double mots = (std::clamp(droite, 0.0, double(largeur)) - std::clamp(gauche, 0.0, double(largeur))) / 64 + 2;
    constexpr double kLigneContreMot = 8; // a capsule's line takes this many words' growing
    if (lignes * kLigneContreMot < rangs * mots * (2 * rayon + 1))
        return strokeThickPolyline(picture, points, width, colour, inked);

    std::vector<int> portee(size_t(rayon) + 1);
    for (int k = 0; k <= rayon; ++k)
        portee[size_t(k)] = plancher(std::sqrt(r * r - double(k) * k));
    // The mask runs a word beyond the picture either side and the disc's
    // reach above and below it: a centre line just off the picture inks
    // its edge.
    constexpr int kMarge = 64;
    static thread_local CoverageMask mask;
    const int L = largeur + 2 * kMarge, H = hauteur + 2 * rayon;
    mask.begin(L, H);
    if (!(gauche <= droite && haut <= bas))
        return {};
    // Every pixel set lies in the pixels of the points' box.
    const int x0 = std::clamp(plancher(gauche) + kMarge, 0, L - 1), x1 = std::clamp(plancher(droite) + kMarge, 0, L - 1);
    const int y0 = std::clamp(plancher(haut) + rayon, 0, H - 1), y1 = std::clamp(plancher(bas) + rayon, 0, H - 1);
    mask.within(x0, y0, x1, y1);
    const QPointF decalage(kMarge, rayon);
    const auto pixel = [&](QPointF p) {
        const int x = plancher(p.x()), y = plancher(p.y());
        if (x >= 0 && x < L && y >= 0 && y < H)
            mask.orRow(y, x, x);
    };
    const double marge = r + 2;
    const QRectF cadre(-marge, -marge, largeur + 2 * marge, hauteur + 2 * marge);
    if (points.size() == 1 && cadre.contains(points[0]))
        pixel(points[0] + decalage);
    coarseFirst(piecesOf(points, cadre), [&](const Piece& p) {
        const QPointF a = p.a + decalage, b = p.b + decalage;
        // The first end is the last of the segment before, whose pixel that
        // one marks, unless none of it lies in the frame.
        if (p.discA)
            pixel(a);
        pixel(b);
        centreLine(mask, L, H, a, b);
    }, 1);
    mask.grow(rayon, portee.data());
    return mask.fill(picture, colour, inked, kMarge, rayon);
}
