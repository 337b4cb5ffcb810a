// Tips files for the tip of the day: the first byte draws the tip, the rest
// is the file. The tips are the file's lines (ended by LF or CR LF), none
// holding a line feed, and the window shows the tip drawn, here and after
// "Astuce suivante".

#include "Entree.h"

#include "TestHome.h"
#include "app/EtatProgramme.h"
#include "app/FichierINI.h"
#include "help/frmTip.h"
#include "platform/SystemServices.h"

#include <QApplication>
#include <QDir>
#include <QLabel>

namespace {

TestHome* home = nullptr;

} // namespace

// The replaying test removes the home before its application goes.
extern "C" void WavixFuzzFin()
{
    delete home;
    home = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept for the whole run, as a program's would be while it runs.
    static QApplication* app = new QApplication(*argc, *argv);
    Q_UNUSED(app)
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Entree entree(data, size);
    const double tirage = entree.octet() / 256.0;
    // One home for the run; the window is loaded for each input, as its
    // load reads the file.
    if (!home) {
        home = new TestHome;
        CheminINI = home->path(QStringLiteral("ConfQVT_fuzz.ini"));
        DossierDonnees = home->documents() + QStringLiteral("/Brelmar/Wavix/");
        QDir().mkpath(DossierDonnees);
    }
    setRandomSource([tirage] { return tirage; });
    EXIGER(TestHome::writeFile(DossierDonnees + QStringLiteral("TipOfDayWavix.txt"), entree.reste()));

    auto* f = Forms().get<frmTip>();
    const QLabel* texte = f->findChild<QLabel*>(QStringLiteral("lblTipText"));
    for (int fois = 0; fois < 2; ++fois) {
        const QStringList& astuces = f->Tips();
        for (const QString& astuce : astuces)
            EXIGER(!astuce.contains(QLatin1Char('\n')));
        if (!astuces.isEmpty()) {
            EXIGER(f->CurrentTip() >= 1 && f->CurrentTip() <= astuces.size());
            EXIGER(texte->text() == astuces.at(f->CurrentTip() - 1));
        }
        f->cmdNextTip_Click();
    }
    Forms().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
