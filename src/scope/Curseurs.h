#pragma once

#include <QCursor>

// The hand shown over what can be turned, pressed or plugged.
const QCursor& CurseurMain();
