#pragma once

// For the targets that drive windows: the application they need, and what
// a target keeps from one input to the next. Included by one file of each
// such target.

#include "platform/Forms.h"

#include <QApplication>

#include <functional>
#include <utility>

// Made before the first input and kept for the whole run, as a program's is
// while it runs: the fonts it caches are no leak. (The replaying test makes
// its own.)
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(*argc, *argv);
    Q_UNUSED(app)
    return 0;
}

// Unloads every window, as the program does at its end.
inline void fermerFenetres()
{
    Forms().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline std::function<void()>& finDeGarde()
{
    static std::function<void()> fin;
    return fin;
}

// What the target keeps for the whole run (windows built once, as a
// running program's are), made at the first input.
template <class T>
T& garde()
{
    static T* objet = nullptr;
    if (!objet) {
        objet = new T;
        finDeGarde() = [] {
            delete objet;
            objet = nullptr;
        };
    }
    return *objet;
}

// The replaying test lets go of it before its application goes.
extern "C" void WavixFuzzFin()
{
    if (const std::function<void()> fin = std::exchange(finDeGarde(), nullptr))
        fin();
}
