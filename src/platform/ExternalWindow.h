#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <functional>

class QObject;

// Moves the top-level window of a program just started, once it shows, to
// the place given for its outer size (screen coordinates): the window is the
// first new client of the window manager with the process's id, or, for a
// program that gives none, with the program's name as its class instance.
// Looked for a few seconds while `owner` lives; does nothing without an X11
// display.
void moveWindowOfProcess(QObject* owner, qint64 pid, const QString& program,
                         std::function<QPoint(const QSize&)> place);
