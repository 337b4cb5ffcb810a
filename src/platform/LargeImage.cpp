#include "platform/LargeImage.h"

#include <algorithm>
#include <cstdlib>

#include <sys/mman.h>

QImage largeImage(QSize size, QImage::Format format)
{
    constexpr size_t kHugePage = size_t(2) << 20; // on x86-64
    if (size.isEmpty() || QImage::toPixelFormat(format).bitsPerPixel() != 32)
        return QImage(size, format);
    const qsizetype line = qsizetype(4) * size.width();
    const size_t bytes = size_t(line) * size_t(size.height());
    if (bytes < kHugePage)
        return QImage(size, format);
    const size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
    void* memory = std::aligned_alloc(kHugePage, rounded);
    if (!memory)
        return QImage(size, format);
#if defined(MADV_HUGEPAGE)
    madvise(memory, rounded, MADV_HUGEPAGE); // a hint: refused, the pages stay small
#endif
    QImage image(static_cast<uchar*>(memory), size.width(), size.height(), line, format,
                 [](void* m) { std::free(m); }, memory);
    if (image.isNull()) {
        std::free(memory);
        return QImage(size, format);
    }
    return image;
}
