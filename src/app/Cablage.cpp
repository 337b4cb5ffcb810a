#include "app/Cablage.h"

#include "app/MDIWavix.h"
#include "bench/Voltmetre.h"
#include "bench/frmToolBox.h"
#include "platform/Forms.h"
#include "scope/CourbeWavix.h"
#include "scope/frmWavix.h"
#include "services/ModeleBanc.h"
#include "services/RequetesBanc.h"

void CablerProgramme(MDIWavix& principale)
{
    ModeleBanc* banc = &Modele();
    Oscilloscope* scope = &Oscillo();
    MDIWavix* mdi = &principale;

    // 1. What a channel carries changed (a source, a plug, a knob, an
    //    exercise line): the scope draws it again, at once or, while a knob
    //    is dragged, once a frame; the drag's end draws what is left.
    QObject::connect(banc, &ModeleBanc::voieChangee, mdi, [](int, Rythme rythme) { ActualiserEcranAuRythme(rythme); });
    QObject::connect(banc, &ModeleBanc::reglageTermine, mdi, &ActualiserEcranEnAttente);

    // 2. The scope has refreshed: the open multimeter reads the bench again.
    QObject::connect(scope, &Oscilloscope::ecranActualise, mdi, [] {
        if (MultimetreOuvert())
            RelireMultimetre();
    });

    // 3. The main window's item of the full-screen view is ticked while the
    //    scope draws there.
    QObject::connect(scope, &Oscilloscope::pleinEcranChange, mdi,
                     [mdi](bool plein) { mdi->Mnu_ViewFullScreen->setChecked(plein); });

    // 4. The main window shows the mode and the open instruments, and takes
    //    the bench back to free mode when a run asks for it.
    QObject::connect(banc, &ModeleBanc::modeChange, mdi, [mdi] { mdi->montrerMode(); });
    QObject::connect(banc, &ModeleBanc::instrumentsChanges, mdi, [mdi] { mdi->montrerInstruments(); });
    QObject::connect(banc, &ModeleBanc::finDeRunDemandee, mdi,
                     [mdi](bool reglageSiUn) { mdi->retourModeLibre(reglageSiUn); });

    // 5. The toolbox's "none" buttons wear the interface's background.
    QObject::connect(banc, &ModeleBanc::couleurFondChangee, mdi, [] {
        if (frmToolBox* boite = Forms().find<frmToolBox>())
            boite->colorerFond();
    });

    // 6. The scope places itself right of the toolbox, the sources and the
    //    instruments right of the scope: each is opened when asked for.
    const QString boite = QString::fromLatin1(frmToolBox::kNom);
    const QString oscilloscope = QString::fromLatin1(frmWavix::kNom);
    Forms().setOpener(boite, [] { return Forms().get<frmToolBox>(); });
    Forms().setOpener(oscilloscope, [] { return Forms().get<frmWavix>(); });
    QObject::connect(mdi, &QObject::destroyed, [boite, oscilloscope] {
        Forms().setOpener(boite, nullptr);
        Forms().setOpener(oscilloscope, nullptr);
    });
}
