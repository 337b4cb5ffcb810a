#pragma once

#include <QList>
#include <QRect>
#include <QRegion>
#include <QSize>

#include <cstdint>
#include <utility>
#include <vector>

// Which 32 x 32 tiles of a picture were drawn on, and which of their rows:
// what a clear must put back and what the screen must show again, so that a
// short moving trail costs the pixels around it, not the whole picture.
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
    // Marks one tile, by its index (row after row), all its rows.
    void markTile(int tile);
    // The same, its rows top to bottom (0 to 31) only.
    void markTileRows(int tile, int top, int bottom);
    // The parts of the rectangles that lie in marked tiles, cut to the
    // picture.
    QList<QRect> within(const QList<QRect>& rects) const;
    // The marked tiles as runs along the rows, each over the rows any of its
    // tiles was marked on, cut to the picture.
    std::vector<QRect> runs() const;
    // The same in logical pixels, for a device pixel ratio.
    QRegion region(double dpr) const;

private:
    // Tile `tile` marked, rows haut to bas within it at least.
    void extend(size_t tile, int haut, int bas);

    QSize picture_;
    int columns_ = 0, rows_ = 0;
    std::vector<uint8_t> tiles_;
    std::vector<uint8_t> haut_, bas_; // a marked tile's first and last rows marked
    int count_ = 0;
    bool all_ = true;
};

// What was inked in each tile of a picture by rectangles of one colour, as a
// signature of those rectangles, fill after fill in order (the rectangles
// of one fill, all of one colour, in any order): two tiles with the same
// signature over the same background hold the same pixels, and filling the
// same rectangles again leaves them as they are.
class TileSignatures {
public:
    static constexpr uint64_t kEmpty = 0;

    void resize(QSize picture);
    // Every tile back to nothing inked.
    void clear();
    // Rectangles of device pixels filled in the colour, in order.
    void add(const QList<QRect>& rects, uint32_t color);
    uint64_t at(int tile) const { return tiles_[size_t(tile)]; }
    // The first and last rows (0 to 31) inked in a tile not empty.
    int top(int tile) const { return haut_[size_t(tile)]; }
    int bottom(int tile) const { return bas_[size_t(tile)]; }
    int count() const { return int(tiles_.size()); }
    void swap(TileSignatures& other) noexcept
    {
        tiles_.swap(other.tiles_);
        haut_.swap(other.haut_);
        bas_.swap(other.bas_);
        std::swap(picture_, other.picture_);
        std::swap(columns_, other.columns_);
    }

private:
    QSize picture_;
    int columns_ = 0;
    std::vector<uint64_t> tiles_;
    std::vector<uint8_t> haut_, bas_;
    // add()'s work: each tile's sum and first and last rows, and the mixes
    // of whole rows and columns of tiles and of a rectangle's rows.
    std::vector<uint64_t> sommes_;
    std::vector<uint8_t> hautsAppel_, basAppel_;
    std::vector<uint64_t> lignesEntieres_, colonnesEntieres_, lignesRect_;
    std::vector<uint8_t> hautsRect_, basRect_;
};
