#include "ProgrammeLance.h"

#include "help/TelechargementFichier.h"
#include "platform/Forms.h"
#include "platform/ProfileFile.h"
#include "platform/SystemServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QUrl>

ProgrammeLance::ProgrammeLance(const Reglages& reglages, const std::function<void(TestHome&)>& avant)
{
    setLoginNameSource([] { return std::optional<QString>("eleve1"); });
    setAdresseFichierVersion(QUrl::fromLocalFile(home.path("aucune-version.txt")).toString());
    QDir().mkpath(home.dataHome() + "/Brelmar/Wavix");
    writeProfileString(ini(), "Options", "Show Tips at Startup", "0");
    for (const auto& r : reglages)
        writeProfileString(ini(), r[0], r[1], r[2]);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brelmar", "wavix").clear();
    if (avant)
        avant(home);
    mdi = std::make_unique<MDIWavix>();
    if (!mdi->MDIForm_Load())
        qFatal("start-up failed");
}

ProgrammeLance::~ProgrammeLance()
{
    Forms().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    mdi.reset();
    setAdresseFichierVersion(QString());
    // The home, going next, resets the shared state.
}

QString ProgrammeLance::ini() const
{
    return home.dataHome() + "/Brelmar/Wavix/ConfQVT_eleve1.ini";
}
