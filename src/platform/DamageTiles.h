#pragma once

#include <QRect>
#include <QRegion>
#include <QSize>

#include <cstdint>
#include <vector>

// Which 32 x 32 tiles of a picture were drawn on: what a clear must put back
// and what the screen must show again, so that a short moving trail costs
// the pixels around it, not the whole picture.
class DamageTiles {
public:
    static constexpr int kShift = 5; // 32 pixels
    static constexpr int kSize = 1 << kShift;

    void resize(QSize picture);
    void clear();
    void markAll();
    bool all() const { return all_; }
    bool empty() const { return !all_ && count_ == 0; }
    // Marks the tiles the rectangle (device pixels) touches.
    void mark(const QRect& rect);
    // Marks the tiles of row y from column x0 to x1.
    void markRow(int y, int x0, int x1);
    void unite(const DamageTiles& other);
    // The marked tiles as runs along the rows, cut to the picture.
    std::vector<QRect> runs() const;
    // The same in logical pixels, for a device pixel ratio.
    QRegion region(double dpr) const;

private:
    QSize picture_;
    int columns_ = 0, rows_ = 0;
    std::vector<uint8_t> tiles_;
    int count_ = 0;
    bool all_ = true;
};
