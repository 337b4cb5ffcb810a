#pragma once

#include <QCursor>

// The hand shown over what can be turned, pressed or plugged.
const QCursor& CurseurMain();

// A 32 x 32 pointer drawn from an SVG picture, its hot spot at (x, y); the
// hand pointer when the picture cannot be read.
QCursor CurseurSvg(const QString& image, int x, int y);
