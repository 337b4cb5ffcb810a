#pragma once

#include <QColor>

// Colours are kept as RGB integers with red in the low byte.
inline QColor vbColor(int rgb)
{
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}
