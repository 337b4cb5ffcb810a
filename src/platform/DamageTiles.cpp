#include "platform/DamageTiles.h"

#include <algorithm>
#include <cmath>

void DamageTiles::resize(QSize picture)
{
    picture_ = picture;
    columns_ = (picture.width() + kSize - 1) >> kShift;
    rows_ = (picture.height() + kSize - 1) >> kShift;
    tiles_.assign(size_t(std::max(0, columns_ * rows_)), 0);
    haut_.assign(tiles_.size(), 0);
    bas_.assign(tiles_.size(), 0);
    count_ = 0;
    all_ = true;
}

void DamageTiles::extend(size_t tile, int haut, int bas)
{
    if (!tiles_[tile]) {
        tiles_[tile] = 1;
        ++count_;
        haut_[tile] = uint8_t(haut);
        bas_[tile] = uint8_t(bas);
        return;
    }
    haut_[tile] = std::min(haut_[tile], uint8_t(haut));
    bas_[tile] = std::max(bas_[tile], uint8_t(bas));
}

void DamageTiles::clear()
{
    if (count_ > 0 || all_)
        std::fill(tiles_.begin(), tiles_.end(), uint8_t(0));
    count_ = 0;
    all_ = false;
}

void DamageTiles::markAll()
{
    all_ = true;
}

void DamageTiles::mark(const QRect& rect)
{
    if (all_)
        return;
    // Cut to the picture by hand: drawings mark thousands of small
    // rectangles a tick.
    const int x0 = std::max(rect.left(), 0), x1 = std::min(rect.right(), picture_.width() - 1);
    const int y0 = std::max(rect.top(), 0), y1 = std::min(rect.bottom(), picture_.height() - 1);
    if (x0 > x1 || y0 > y1)
        return;
    for (int ty = y0 >> kShift; ty <= y1 >> kShift; ++ty) {
        const int haut = std::max(y0, ty << kShift) & (kSize - 1);
        const int bas = std::min(y1, ((ty + 1) << kShift) - 1) & (kSize - 1);
        for (int tx = x0 >> kShift; tx <= x1 >> kShift; ++tx)
            extend(size_t(ty * columns_ + tx), haut, bas);
    }
}

void DamageTiles::markRow(int y, int x0, int x1)
{
    if (all_ || y < 0 || y >= picture_.height() || x1 < x0)
        return;
    x0 = std::max(0, x0);
    x1 = std::min(picture_.width() - 1, x1);
    const size_t debut = size_t((y >> kShift) * columns_);
    const int rang = y & (kSize - 1);
    for (int tx = x0 >> kShift; tx <= x1 >> kShift; ++tx)
        extend(debut + size_t(tx), rang, rang);
}

void DamageTiles::unite(const DamageTiles& other)
{
    if (all_)
        return;
    if (other.all_ || other.tiles_.size() != tiles_.size()) {
        all_ = true;
        return;
    }
    if (other.count_ == 0)
        return;
    for (size_t i = 0; i < tiles_.size(); ++i)
        if (other.tiles_[i])
            extend(i, other.haut_[i], other.bas_[i]);
}

std::vector<QRect> DamageTiles::runs() const
{
    std::vector<QRect> out;
    const QRect picture(QPoint(0, 0), picture_);
    if (all_) {
        if (!picture.isEmpty())
            out.push_back(picture);
        return out;
    }
    for (int ty = 0; ty < rows_ && count_ > 0; ++ty) {
        const uint8_t* row = tiles_.data() + size_t(ty * columns_);
        for (int tx = 0; tx < columns_;) {
            if (!row[tx]) {
                ++tx;
                continue;
            }
            // The run's rows: those any of its tiles was drawn on.
            const size_t debut = size_t(ty * columns_);
            int fin = tx, haut = haut_[debut + size_t(tx)], bas = bas_[debut + size_t(tx)];
            while (fin + 1 < columns_ && row[fin + 1]) {
                ++fin;
                haut = std::min<int>(haut, haut_[debut + size_t(fin)]);
                bas = std::max<int>(bas, bas_[debut + size_t(fin)]);
            }
            out.push_back(QRect(QPoint(tx << kShift, (ty << kShift) + haut),
                                QPoint(((fin + 1) << kShift) - 1, (ty << kShift) + bas))
                          & picture);
            tx = fin + 1;
        }
    }
    return out;
}

QRegion DamageTiles::region(double dpr) const
{
    QRegion region;
    for (const QRect& r : runs()) {
        const QRectF logical(r.x() / dpr, r.y() / dpr, r.width() / dpr, r.height() / dpr);
        region += logical.toAlignedRect();
    }
    return region;
}

void DamageTiles::markTile(int tile)
{
    markTileRows(tile, 0, kSize - 1);
}

void DamageTiles::markTileRows(int tile, int top, int bottom)
{
    if (all_ || tile < 0 || size_t(tile) >= tiles_.size() || bottom < top)
        return;
    extend(size_t(tile), std::clamp(top, 0, kSize - 1), std::clamp(bottom, 0, kSize - 1));
}

QList<QRect> DamageTiles::within(const QList<QRect>& rects) const
{
    const QRect picture(QPoint(0, 0), picture_);
    QList<QRect> out;
    if (all_) {
        for (const QRect& r : rects)
            if (const QRect c = r & picture; !c.isEmpty())
                out.append(c);
        return out;
    }
    if (count_ == 0)
        return out;
    out.reserve(rects.size());
    for (const QRect& brut : rects) {
        // Cut to the picture by hand: a trace is thousands of them.
        const int x0 = std::max(brut.left(), 0), x1 = std::min(brut.right(), picture_.width() - 1);
        const int y0 = std::max(brut.top(), 0), y1 = std::min(brut.bottom(), picture_.height() - 1);
        if (x0 > x1 || y0 > y1)
            continue;
        const QRect r(QPoint(x0, y0), QPoint(x1, y1));
        const int tx0 = x0 >> kShift, tx1 = x1 >> kShift;
        const int ty0 = y0 >> kShift, ty1 = y1 >> kShift;
        if (tx0 == tx1) {
            // Within one column of tiles (a thin trace's spans): the runs of
            // marked tiles down it.
            const uint8_t* colonne = tiles_.data() + tx0;
            for (int ty = ty0; ty <= ty1;) {
                if (!colonne[size_t(ty * columns_)]) {
                    ++ty;
                    continue;
                }
                int fin = ty;
                while (fin < ty1 && colonne[size_t((fin + 1) * columns_)])
                    ++fin;
                out.append(QRect(QPoint(x0, std::max(y0, ty << kShift)),
                                 QPoint(x1, std::min(y1, ((fin + 1) << kShift) - 1))));
                ty = fin + 1;
            }
            continue;
        }
        // Across columns: the runs of marked tiles along each row of tiles.
        for (int ty = ty0; ty <= ty1; ++ty) {
            const uint8_t* rang = tiles_.data() + size_t(ty * columns_);
            for (int tx = tx0; tx <= tx1;) {
                if (!rang[tx]) {
                    ++tx;
                    continue;
                }
                int fin = tx;
                while (fin < tx1 && rang[fin + 1])
                    ++fin;
                out.append(r & QRect(tx << kShift, ty << kShift, (fin - tx + 1) << kShift, kSize));
                tx = fin + 1;
            }
        }
    }
    return out;
}

namespace {

uint64_t melanger(uint64_t x)
{
    // splitmix64's finaliser.
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

} // namespace

void TileSignatures::resize(QSize picture)
{
    picture_ = picture;
    columns_ = (picture.width() + DamageTiles::kSize - 1) >> DamageTiles::kShift;
    const int rows = (picture.height() + DamageTiles::kSize - 1) >> DamageTiles::kShift;
    tiles_.assign(size_t(std::max(0, columns_ * rows)), kEmpty);
    haut_.assign(tiles_.size(), 0);
    bas_.assign(tiles_.size(), 0);
}

void TileSignatures::clear()
{
    std::fill(tiles_.begin(), tiles_.end(), kEmpty);
}

void TileSignatures::add(const QList<QRect>& rects, uint32_t color)
{
    // Rectangles of one colour leave the same pixels in whatever order they
    // are filled: each tile sums a mix for the part of each rectangle in it,
    // a sum that waits on no mix before it, then takes the sum in after what
    // it held, in order from one colour to the next. A part's mix is its
    // rows' times its columns', each worked out once a rectangle, and once
    // a call for the rows or the columns of a whole tile.
    if (columns_ <= 0)
        return;
    constexpr uint8_t kAucun = 0xFF;
    const uint64_t teinte = melanger(uint64_t(color) | (uint64_t(1) << 40));
    const int rows = int(tiles_.size()) / columns_;
    constexpr int kSize = DamageTiles::kSize, kShift = DamageTiles::kShift;
    const auto melangeLignes = [teinte](int haut, int bas) {
        return melanger(teinte ^ (uint64_t(uint16_t(haut)) << 16 | uint64_t(uint16_t(bas)) << 48));
    };
    const auto melangeColonnes = [](int gauche, int droite) {
        return melanger(uint64_t(uint16_t(gauche)) | uint64_t(uint16_t(droite)) << 32) | 1;
    };
    lignesEntieres_.resize(size_t(rows));
    for (int ty = 0; ty < rows; ++ty)
        lignesEntieres_[size_t(ty)] =
            melangeLignes(ty << kShift, std::min(((ty + 1) << kShift) - 1, picture_.height() - 1));
    colonnesEntieres_.resize(size_t(columns_));
    for (int tx = 0; tx < columns_; ++tx)
        colonnesEntieres_[size_t(tx)] =
            melangeColonnes(tx << kShift, std::min(((tx + 1) << kShift) - 1, picture_.width() - 1));
    // Per tile, the call's sum and its first and last rows inked (none
    // while the first is past the last row).
    sommes_.resize(tiles_.size(), 0);
    hautsAppel_.resize(tiles_.size(), kAucun);
    basAppel_.resize(tiles_.size(), 0);
    lignesRect_.resize(size_t(rows));
    hautsRect_.resize(size_t(rows));
    basRect_.resize(size_t(rows));
    int txMin = columns_, txMax = -1, tyMin = rows, tyMax = -1;
    for (const QRect& r : rects) {
        const int x0 = std::max(r.left(), 0), x1 = std::min(r.right(), picture_.width() - 1);
        const int y0 = std::max(r.top(), 0), y1 = std::min(r.bottom(), picture_.height() - 1);
        if (x0 > x1 || y0 > y1)
            continue;
        // The part of the rectangle in each tile, 16 bits a side: a long
        // rectangle that ends elsewhere leaves a tile the same.
        const int tx0 = x0 >> kShift, tx1 = x1 >> kShift;
        const int ty0 = y0 >> kShift, ty1 = y1 >> kShift;
        txMin = std::min(txMin, tx0);
        txMax = std::max(txMax, tx1);
        tyMin = std::min(tyMin, ty0);
        tyMax = std::max(tyMax, ty1);
        for (int ty = ty0; ty <= ty1; ++ty) {
            const int haut = std::max(y0, ty << kShift);
            const int bas = std::min(y1, ((ty + 1) << kShift) - 1);
            const bool entier = haut == ty << kShift && bas == std::min(((ty + 1) << kShift) - 1, picture_.height() - 1);
            lignesRect_[size_t(ty)] = entier ? lignesEntieres_[size_t(ty)] : melangeLignes(haut, bas);
            hautsRect_[size_t(ty)] = uint8_t(haut & (kSize - 1));
            basRect_[size_t(ty)] = uint8_t(bas & (kSize - 1));
        }
        for (int tx = tx0; tx <= tx1; ++tx) {
            const int gauche = std::max(x0, tx << kShift);
            const int droite = std::min(x1, ((tx + 1) << kShift) - 1);
            const bool entier = gauche == tx << kShift && droite == std::min(((tx + 1) << kShift) - 1, picture_.width() - 1);
            const uint64_t colonnes = entier ? colonnesEntieres_[size_t(tx)] : melangeColonnes(gauche, droite);
            for (int ty = ty0; ty <= ty1; ++ty) {
                const size_t i = size_t(ty) * size_t(columns_) + size_t(tx);
                sommes_[i] += lignesRect_[size_t(ty)] * colonnes;
                hautsAppel_[i] = std::min(hautsAppel_[i], hautsRect_[size_t(ty)]);
                basAppel_[i] = std::max(basAppel_[i], basRect_[size_t(ty)]);
            }
        }
    }
    for (int ty = tyMin; ty <= tyMax; ++ty)
        for (int tx = txMin; tx <= txMax; ++tx) {
            const size_t i = size_t(ty) * size_t(columns_) + size_t(tx);
            if (hautsAppel_[i] == kAucun)
                continue;
            uint64_t& t = tiles_[i];
            haut_[i] = t == kEmpty ? hautsAppel_[i] : std::min(haut_[i], hautsAppel_[i]);
            bas_[i] = t == kEmpty ? basAppel_[i] : std::max(bas_[i], basAppel_[i]);
            t = melanger(t + sommes_[i]);
            if (t == kEmpty)
                t = 1;
            sommes_[i] = 0;
            hautsAppel_[i] = kAucun;
            basAppel_[i] = 0;
        }
}
