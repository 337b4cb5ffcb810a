#pragma once

#include <QImage>
#include <QSize>

// A picture of that size and format. A large one of 32-bit pixels lies on
// memory the kernel may back with huge pages: copying tiles of it row by row
// (putting the background back, showing what changed) then walks a few pages
// rather than one page a row.
QImage largeImage(QSize size, QImage::Format format);
