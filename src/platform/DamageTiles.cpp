#include "platform/DamageTiles.h"

#include <algorithm>
#include <cmath>

void DamageTiles::resize(QSize picture)
{
    picture_ = picture;
    columns_ = (picture.width() + kSize - 1) >> kShift;
    rows_ = (picture.height() + kSize - 1) >> kShift;
    tiles_.assign(size_t(std::max(0, columns_ * rows_)), 0);
    count_ = 0;
    all_ = true;
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
    for (int ty = y0 >> kShift; ty <= y1 >> kShift; ++ty)
        for (int tx = x0 >> kShift; tx <= x1 >> kShift; ++tx) {
            uint8_t& t = tiles_[size_t(ty * columns_ + tx)];
            count_ += t == 0;
            t = 1;
        }
}

void DamageTiles::markRow(int y, int x0, int x1)
{
    if (all_ || y < 0 || y >= picture_.height() || x1 < x0)
        return;
    x0 = std::max(0, x0);
    x1 = std::min(picture_.width() - 1, x1);
    uint8_t* row = tiles_.data() + size_t((y >> kShift) * columns_);
    for (int tx = x0 >> kShift; tx <= x1 >> kShift; ++tx) {
        count_ += row[tx] == 0;
        row[tx] = 1;
    }
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
    for (size_t i = 0; i < tiles_.size(); ++i) {
        count_ += tiles_[i] == 0 && other.tiles_[i] != 0;
        tiles_[i] |= other.tiles_[i];
    }
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
            int fin = tx;
            while (fin + 1 < columns_ && row[fin + 1])
                ++fin;
            out.push_back(QRect(tx << kShift, ty << kShift, (fin - tx + 1) << kShift, kSize) & picture);
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
