// One scope refresh, headless, fed random channel settings: channel mode,
// couplings, knobs (the focus too), plugs, and each channel's source. The bench is built
// once; each input starts from the shared state of a program just started.
// Whatever the settings, the picture keeps to what the screen can show:
// outside the graticule's frame (the strip right of x = 500 and below
// y = -400 that the scale leaves) only traces reach, which run to the
// picture's edge; and apart from XY, drawn at one tick of its timer, the
// readout is drawn last, so its "CH1" and "CH2" stand whole over any
// trace. The screen has the size the window gives it.

#include "Entree.h"
#include "services/ModeleBanc.h"
#include "Fenetres.h"

#include "BancScope.h"
#include "services/FichierINI.h"
#include "platform/PictureBox.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Potentiometre.h"
#include "platform/RVB.h"
#include "scope/frmWavix.h"
#include "app/EtatPartage.h"

#include <QAbstractButton>

namespace {

// The bench as a program just started has it, back before every input.
struct BancFuzz {
    BancScope scope{0};
    QString ini = Session().CheminINI;
    QRect cadre;           // the graticule's frame, in pixels
    QList<QPoint> lettres; // the pixels of the readout's "CH1" and "CH2"

    BancFuzz()
    {
        // The screen at the size the window gives it.
        PictureBox* ecran = scope.scope->picEcran;
        PictureBox* grille = scope.scope->picGrille;
        ecran->resize(scope.scope->picEcranPrint->size());
        grille->resize(ecran->size());
        reprendre();
        DessinerGrille(scope.scope->picGrille);
        for (int i = 3; i < 8; ++i)
            ReglerPotentiometre(1, i);
        // The frame is where the graticule reaches.
        const QImage dessin = grille->Image();
        const QRgb fond = pixelRgb(Scope().CouleurFond);
        for (int py = 0; py < dessin.height(); ++py)
            for (int px = 0; px < dessin.width(); ++px)
                if ((dessin.pixel(px, py) & 0xFFFFFF) != fond)
                    cadre |= QRect(px, py, 1, 1);
        EXIGER(cadre.width() > dessin.width() * 9 / 10 && cadre.height() > dessin.height() * 9 / 10);
        // Unplugged channels draw their flat lines at the centre, far from
        // the readout's bottom row, under the sensitivities' row.
        ActualiserEcran();
        const QImage image = scope.image();
        const QRgb encre = pixelRgb(texte());
        for (int py = 0; py < image.height(); ++py)
            for (int px = 0; px < image.width(); ++px) {
                const QPointF u = ecran->toUser(QPointF(px + 0.5, py + 0.5));
                if (u.x() > -400 && u.x() < -200 && u.y() > -400 && u.y() < -372
                    && (image.pixel(px, py) & 0xFFFFFF) == encre && (dessin.pixel(px, py) & 0xFFFFFF) != encre)
                    lettres << QPoint(px, py);
            }
        EXIGER(lettres.size() > 20);
    }

    static int32_t texte()
    {
        RVB fond;
        fond.setCouleur(Scope().CouleurFond);
        return fond.CouleurTexte();
    }

    // The shared state back to the start, and what the knobs no input sets
    // (focus, intensity, horizontal position) read again.
    void reprendre()
    {
        ReinitialiserEtatPartage();
        Session().CheminINI = ini;
        setPerfCounterClock([] { return int64_t(1'000'000'000); });
        setSoundPlayer([](const QString&) { return false; });
        setRandomSource([] { return 0.5; });
        for (int i = 0; i < 3; ++i)
            ReglerPotentiometre(1, i);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const kMots[] = {"Cc", "Sinus", "Carre", "Triangle", "Dyn", "Harmo", "sinusoïdale", "Autre"};
    BancFuzz& b = garde<BancFuzz>();
    frmWavix* scope = b.scope.scope;
    Entree entree(data, size);

    // Switched off while it is set, so that only the last refresh draws.
    scope->chkOn->setChecked(false);
    b.reprendre();
    const int mode = entree.octet() % 5;
    EcrireINI("Interface", "Mode voie", QString::number(mode));
    EcrireINI("Interface", "ACDC CH1", QString::number(entree.octet() % 6));
    EcrireINI("Interface", "ACDC CH2", QString::number(entree.octet() % 6));
    EcrireINI("Interface", "Mode voie -CH2", entree.octet() & 1 ? "1" : "0");
    b.scope.baseTemps(entree.octet() % 24);
    for (int voie : {0, 1}) {
        b.scope.sensibilite(voie, entree.octet() % 16);
        b.scope.position(voie, entree.entre(-700, 700));
        b.scope.source(voie, kMots[entree.octet() % 8], entree.entre(-1000, 1000), entree.entre(0, 1e7));
        Modele().modifierVoie(voie, [&](EtatVoie& canal) { canal.Decalage = entree.entre(-50, 50); });
        Modele().modifierVoie(voie, [&](EtatVoie& canal) { canal.RapportCyclique = float(entree.entre(0, 1)); });
        // The channel's plug, in or out.
        if (scope->fichePlacee(voie) != bool(entree.octet() & 1))
            scope->basculerFiche(voie);
    }
    // The focus knob, 1 to 11 px; read last, so that the inputs kept from
    // before it keep their meaning.
    scope->setPotentioValue(0, float(entree.octet() % 21));
    ReglerPotentiometre(1, 0);
    scope->chkOn->setChecked(true);
    // XY draws at its timer's tick: one tick, the figure from its start.
    if (mode == 4) {
        scope->XYLast.reset();
        scope->tmrXY_Timer();
    }

    const QImage image = b.scope.image();
    const QRgb fond = pixelRgb(Scope().CouleurFond);
    const QRgb traces[2] = {pixelRgb(Banc().voies[0].CouleurTrace), pixelRgb(Banc().voies[1].CouleurTrace)};
    EXIGER(image.format() == QImage::Format_RGB32);
    for (int py = 0; py < image.height(); ++py) {
        const auto* ligne = reinterpret_cast<const QRgb*>(image.constScanLine(py));
        const bool dedans = py >= b.cadre.top() && py <= b.cadre.bottom();
        for (int px = 0; px < image.width(); ++px) {
            if (dedans && px == b.cadre.left())
                px = b.cadre.right() + 1; // the frame's inside is not looked at
            if (px >= image.width())
                break;
            const QRgb c = ligne[px] & 0xFFFFFF;
            EXIGER(c == fond || c == traces[0] || c == traces[1]);
        }
    }
    if (mode != 4) {
        const QRgb encre = pixelRgb(BancFuzz::texte());
        for (const QPoint& p : b.lettres)
            EXIGER((image.pixel(p) & 0xFFFFFF) == encre);
    }
    return 0;
}
