// Tips files for the tip of the day: the first byte draws the tip, the rest
// is the file. The tips are the file's lines (ended by LF or CR LF), none
// holding a line feed, and the window shows the tip drawn, here and after
// "Astuce suivante".

#include "Entree.h"
#include "Fenetres.h"

#include "TestHome.h"
#include "services/EtatProgramme.h"
#include "services/FichierINI.h"
#include "help/frmTip.h"
#include "platform/SystemServices.h"

#include <QDir>
#include <QLabel>

namespace {

// One home for the run, its settings file and documents folder in use.
struct Maison {
    TestHome home;
    Maison()
    {
        Session().CheminINI = home.path(QStringLiteral("ConfQVT_fuzz.ini"));
        Session().DossierDonnees = home.documents() + QStringLiteral("/Brelmar/Wavix/");
        QDir().mkpath(Session().DossierDonnees);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Entree entree(data, size);
    const double tirage = entree.octet() / 256.0;
    // The window is loaded for each input, as its load reads the file.
    garde<Maison>();
    setRandomSource([tirage] { return tirage; });
    EXIGER(TestHome::writeFile(Session().DossierDonnees + QStringLiteral("TipOfDayWavix.txt"), entree.reste()));

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
    fermerFenetres();
    return 0;
}
