#pragma once

#include "TestHome.h"

#include "app/MDIWavix.h"
#include "platform/ScriptedDialogs.h"

#include <array>
#include <functional>
#include <memory>

using Reglages = QList<std::array<QString, 3>>; // section, key, value

// The program started for real in a fresh home as the student "eleve1",
// without the tip of the day, with the settings given, after `avant` has
// prepared what the start-up finds (the classroom's folders, say); its
// dialogs are answered by the test and no version file is fetched.
struct ProgrammeLance {
    TestHome home;
    ScriptedDialogs dialogs;
    std::unique_ptr<MDIWavix> mdi;

    explicit ProgrammeLance(const Reglages& reglages = {}, const std::function<void(TestHome&)>& avant = {});
    ~ProgrammeLance();

    QString ini() const;
};
