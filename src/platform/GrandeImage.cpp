#include "platform/GrandeImage.h"

#include <cstdlib>

#include <sys/mman.h>

QImage grandeImage(QSize taille, QImage::Format format)
{
    constexpr size_t kPage = size_t(2) << 20; // a huge page of x86-64
    const qsizetype ligne = QImage(1, 1, format).bytesPerLine() * taille.width();
    const size_t octets = size_t(ligne) * size_t(std::max(0, taille.height()));
    if (taille.isEmpty() || octets < kPage || ligne % 4 != 0)
        return QImage(taille, format);
    const size_t arrondi = (octets + kPage - 1) & ~(kPage - 1);
    void* memoire = std::aligned_alloc(kPage, arrondi);
    if (!memoire)
        return QImage(taille, format);
#if defined(MADV_HUGEPAGE)
    madvise(memoire, arrondi, MADV_HUGEPAGE); // a hint: refused, the pages stay small
#endif
    QImage image(static_cast<uchar*>(memoire), taille.width(), taille.height(), ligne, format,
                 [](void* m) { std::free(m); }, memoire);
    if (image.isNull()) {
        std::free(memoire);
        return QImage(taille, format);
    }
    return image;
}
