// Every refresh of the scope (ActualiserEcran) a user reaches at the fast
// time bases, against the drawing floor timed in the same run: each
// waveform (sine, square, triangle, the harmonic generator at every level,
// the alternator) on both channels from 1 Hz to 1 MHz, plus the periods of
// 2.04, 2.5 and 4 screen units at every fast time base, in DUAL with the
// thinnest, the 2 and 3 px and the widest focus, in ADD, with "-CH2" and
// with CH2 at full height at 1, 3 and 11 px; then the spectrum. On the
// scope window's screen (399 x 329), on a full-HD picture and in the
// full-screen view (1920 x 1080). Offscreen.
//
// Every timed refresh draws a picture different from the last: both
// channels' vertical positions move by a few pixels from one refresh to the
// next (an unchanged refresh is cheap by design: only the tiles that change
// are drawn again). Each setting keeps the median of its refreshes; each
// family prints the median over its settings and its worst setting, its
// heaviest settings timed again many times (their median, not the largest of
// many noisy medians), and apart its worst at the widest focus (11 px),
// timed again likewise. The floor is the graticule drawn afresh (the fill
// and the lines) on a picture of the same size, timed before and after the
// picture's sweep. A setting whose two first refreshes draw the same picture
// (its traces off the screen) is counted apart and not timed.
//
//   bench_rafraichissement [runs]     (default 5 per setting)
//
// RAFRAICHISSEMENT_FAMILLE=text sweeps only the families whose name holds
// the text; RAFRAICHISSEMENT_REGLAGE=text only the settings whose printed
// setting holds it (for profiling one of them).

#include "services/FichierINI.h"
#include "services/ModeleBanc.h"
#include "app/MDIWavix.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "platform/VbTimer.h"
#include "services/RequetesBanc.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Potentiometre.h"
#include "scope/Traceurs.h"
#include "scope/frmFullScreen.h"
#include "services/Sensibilite.h"
#include "scope/frmWavix.h"

#include "Mediane.h"
#include "ReglagesBanc.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

struct Reglage {
    const char* forme;
    double frequence;
    int base;   // time-base index
    int focus;  // knob value
    int mode = 2;          // DUAL; 3 ADD
    bool inverse = false;  // "-CH2"
    double hautB = 3;      // CH2's peak, volts (8: full height)
    bool fft = false;
};

// The lit mode lamp and "-CH2" as the setting wants them.
void panneau(frmWavix* scope, const Reglage& r)
{
    choisirMode(scope, r.mode);
    if (scope->panneau().inverseAllume() != r.inverse)
        scope->cmdVoie_Click(2);
}

const char* texteMode(const Reglage& r)
{
    if (r.mode == 3)
        return "ADD";
    return r.inverse ? "DUAL -CH2" : "DUAL";
}

const char* texteBase(int base)
{
    static QByteArray textes[18];
    if (textes[base].isEmpty())
        textes[base] = TextesBasesTemps().at(base).toUtf8();
    return textes[base].constData();
}

int epaisseur(int focus)
{
    return int(std::lround(std::abs(focus - 10.0) + 1));
}

// The screen the refreshes draw on, as the program has it now.
PictureBox* ecranCourant()
{
    return EcranCible();
}

// Both channels' vertical positions, a few pixels apart from one refresh to
// the next on either picture, and so is their sum.
void deplacer(int k)
{
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.PositionVerticale = k % 2 ? 7 : 0; });
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.PositionVerticale = k % 2 ? 7 : 0; });
}

void regler(frmWavix* scope, const Reglage& r)
{
    if (int(scope->potentioValue(0)) != r.focus) {
        scope->setPotentioValue(0, float(r.focus));
        ReglerPotentiometre(1, 0);
    }
    if (int(scope->potentioValue(5)) != r.base) {
        scope->setPotentioValue(5, float(r.base));
        ReglerPotentiometre(1, 5);
    }
    if (scope->chkFFT->isChecked() != r.fft)
        scope->chkFFT->setChecked(r.fft);
    panneau(scope, r);
    if (r.fft) {
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Frequence = r.frequence; });
        Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Frequence = r.frequence / 3; });
    } else {
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.SignalExo = QString::fromLatin1(r.forme); });
        Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.SignalExo = QString::fromLatin1(r.forme); });
        Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FreqExo = r.frequence; });
        Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.FreqExo = r.frequence * 1.01; });
        Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.UmaxExo = r.hautB; });
    }
}

// The median time of one refresh with these settings, in ms; none (a
// negative time) where the two first refreshes drew the same picture (the
// traces off the screen, or flat where they move): such a refresh only
// finds that nothing changed.
double chronometrer(frmWavix* scope, const Reglage& r, int runs)
{
    regler(scope, r);
    std::vector<double> t;
    QElapsedTimer clock;
    QImage premiere;
    for (int i = 0; i < runs; ++i) {
        deplacer(i);
        clock.start();
        ActualiserEcran();
        (void)ecranCourant()->Image();
        t.push_back(clock.nsecsElapsed() / 1e6);
        if (i == 0)
            premiere = ecranCourant()->Image().copy();
        if (i == 1 && ecranCourant()->Image() == premiere) {
            deplacer(0);
            return -1;
        }
    }
    deplacer(0);
    return mediane(t);
}

// The floor: the graticule drawn afresh on the screen's own graticule
// picture (its fill and its lines), in ms.
double plancher(int runs)
{
    QWidget* fenetre = ecranCourant()->parentWidget();
    std::vector<double> t;
    QElapsedTimer clock;
    auto* grille = fenetre->findChild<PictureBox*>(QStringLiteral("picGrille"));
    for (int i = 0; i < runs; ++i) {
        clock.start();
        DessinerGrille(grille);
        (void)grille->Image();
        t.push_back(clock.nsecsElapsed() / 1e6);
    }
    return mediane(t);
}

std::string texteReglage(const Reglage& r)
{
    char texte[200];
    if (r.fft)
        std::snprintf(texte, sizeof texte, "spectrum, %s, CH1 square %.6g Hz, CH2 harmonic, %s", texteMode(r),
                      r.frequence, texteBase(r.base));
    else
        std::snprintf(texte, sizeof texte, "%s %.6g Hz, %s, focus %d px, %s, CH2 %g V", r.forme, r.frequence,
                      texteBase(r.base), epaisseur(r.focus), texteMode(r), r.hautB);
    return texte;
}

struct Famille {
    std::string nom;
    std::vector<Reglage> reglages;
};

std::vector<Famille> familles()
{
    std::vector<Famille> out;
    const std::pair<const char*, const char*> formes[] = {
        {"sine", "Sinus"}, {"square", "Carre"}, {"triangle", "Triangle"}, {"harmonic generator", "harmo"},
        {"alternator", "Dyn"}};
    for (const auto& [nom, forme] : formes) {
        Famille f{nom, {}};
        for (int base = 6; base <= 17; ++base) {
            std::vector<double> frequences;
            for (double decade = 1; decade <= 1e6; decade *= 10)
                for (double m : {1.0, 2.0, 5.0})
                    if (m * decade <= 1e6)
                        frequences.push_back(m * decade);
            for (double unites : {2.04, 2.5, 4.0}) {
                const double fr = 100 / (unites * BaseTempsParIndex(base));
                if (fr <= 1e6)
                    frequences.push_back(fr);
            }
            for (double fr : frequences) {
                for (int focus : {10, 11, 12, 20})
                    f.reglages.push_back({forme, fr, base, focus});
                for (int focus : {10, 12, 20}) {
                    f.reglages.push_back({forme, fr, base, focus, 3});
                    f.reglages.push_back({forme, fr, base, focus, 2, true});
                    f.reglages.push_back({forme, fr, base, focus, 2, false, 8});
                }
            }
        }
        out.push_back(std::move(f));
    }
    // The spectrum: the sources' own square (25 % duty, the most lines and
    // labels) on CH1, the harmonic generator at every level on CH2.
    Famille spectre{"spectrum", {}};
    for (int mode : {2, 3})
        for (int base = 0; base <= 17; ++base)
            for (double fr : {1.0, 50.0, 1000.0, 1e5})
                spectre.reglages.push_back({"Carre", fr, base, 12, mode, false, 3, true});
    out.push_back(std::move(spectre));
    return out;
}

// One picture's sweep: each family's median and worst, against the floor.
void balayer(frmWavix* scope, const char* titre, int runs)
{
    const QString filtre = qEnvironmentVariable("RAFRAICHISSEMENT_FAMILLE");
    const QByteArray seul = qgetenv("RAFRAICHISSEMENT_REGLAGE");
    const PictureBox* ecran = ecranCourant();
    const double avant = plancher(41);
    ActualiserEcran();
    struct Resultat {
        std::string nom;
        size_t nombre;
        double median, pire;
        Reglage lePire;
        int pareils;
        std::string exemple;
        double pireLarge; // the worst at 11 px
        Reglage lePireLarge;
    };
    std::vector<Resultat> resultats;
    for (const Famille& f : familles()) {
        if (!filtre.isEmpty() && !QString::fromStdString(f.nom).contains(filtre))
            continue;
        Modele().passerEnModeLibre(f.nom == "spectrum");
        if (Banc().modeLibre) {
            Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("Carre"); });
            Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.FormeSignal = QStringLiteral("harmo"); });
            Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.Amplitude = 8; });
            Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.Amplitude = 3; });
            Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.RapportCyclique = 0.25f; });
        }
        std::vector<std::pair<double, size_t>> t;
        int pareils = 0;
        std::string exemple; // the first setting that drew the same picture twice
        for (size_t i = 0; i < f.reglages.size(); ++i) {
            if (!seul.isEmpty() && texteReglage(f.reglages[i]).find(seul.constData()) == std::string::npos)
                continue;
            const double ms = chronometrer(scope, f.reglages[i], runs);
            if (ms >= 0) {
                t.push_back({ms, i});
                continue;
            }
            if (pareils++ == 0)
                exemple = texteReglage(f.reglages[i]);
        }
        std::vector<double> medianes;
        for (const auto& [ms, i] : t)
            medianes.push_back(ms);
        // The heaviest few, timed again many times.
        std::sort(t.begin(), t.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        double pire = -1;
        Reglage lePire{};
        for (size_t k = 0; k < std::min<size_t>(5, t.size()); ++k) {
            const Reglage& r = f.reglages[t[k].second];
            const double revu = chronometrer(scope, r, std::max(runs, 41));
            if (revu > pire) {
                pire = revu;
                lePire = r;
            }
        }
        // The widest focus's heaviest, timed again as well: its pen's stroke
        // is what costs most on a large picture.
        double pireLarge = -1;
        Reglage lePireLarge{};
        for (const auto& [ms, i] : t)
            if (epaisseur(f.reglages[i].focus) == 11) {
                lePireLarge = f.reglages[i];
                pireLarge = chronometrer(scope, lePireLarge, std::max(runs, 41));
                break;
            }
        resultats.push_back(
            {f.nom, t.size(), mediane(medianes), pire, lePire, pareils, exemple, pireLarge, lePireLarge});
        Modele().passerEnModeLibre(false);
        if (scope->chkFFT->isChecked())
            scope->chkFFT->setChecked(false);
    }
    const double apres = plancher(41);
    const double sol = (avant + apres) / 2;
    std::printf("%s, %d x %d: floor (fill + graticule) %.3f ms (%.3f before, %.3f after)\n", titre, ecran->width(),
                ecran->height(), sol, avant, apres);
    for (const Resultat& r : resultats) {
        std::printf("  %-19s %5zu settings  median %7.3f ms (%5.1fx)  worst %7.3f ms (%5.1fx)  %s", r.nom.c_str(),
                    r.nombre, r.median, r.median / sol, r.pire, r.pire / sol, texteReglage(r.lePire).c_str());
        if (r.pareils)
            std::printf("  [%d more drew the same picture twice, not timed, as %s]", r.pareils, r.exemple.c_str());
        std::printf("\n");
        if (r.pireLarge >= 0)
            std::printf("  %-19s %62s worst %7.3f ms (%5.1fx)  %s\n", "", "at 11 px:", r.pireLarge, r.pireLarge / sol,
                        texteReglage(r.lePireLarge).c_str());
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" WAVIX_SCREEN_CONFIG);
    QApplication app(argc, argv);
    const int runs = argc >= 2 ? std::max(2, std::atoi(argv[1])) : 5;

    QTemporaryDir home;
    reglagesDual(home.path());

    MDIWavix mdi;
    Modele().passerEnModeLibre(false); // the expected signals, with their 0.5 duty
    auto* scope = Forms().get<frmWavix>();
    for (int fiche : {0, 1, 2})
        scope->basculerFiche(fiche);
    scope->chkOn->setChecked(true);
    Modele().modifierVoie(kDeuxVoies, [](EtatVoie& v) { v.SourceBranchee = true; });
    Modele().modifierVoie(0, [&](EtatVoie& canal) { canal.UmaxExo = 8; }); // four divisions at 2 V/div
    Modele().modifierVoie(1, [&](EtatVoie& canal) { canal.UmaxExo = 3; });

    // The harmonic generator at every level.
    for (int voie = 0; voie < 2; ++voie)
        {
            NiveauxHarmoniques n = NiveauxHarmo(voie);
            for (int i = 0; i < 20; ++i)
                n.Ampli[size_t(i)] = -1000 / (i + 1);
            Modele().reglerNiveauxHarmo(voie, n);
        }

    std::printf("ActualiserEcran, CH1 8 V and CH2 3 V (or 8 V) at 2 V/div, median of %d each, each refresh a "
                "new picture (ms)\n",
                runs);
    for (const auto& [w, h] : {std::pair{399, 329}, std::pair{1920, 1080}}) {
        scope->picEcran->resize(w, h);
        scope->picGrille->resize(w, h);
        DessinerGrille(scope->picGrille);
        balayer(scope, w == 399 ? "panel" : "full-HD picture", runs);
    }
    // The full-screen view opens modally: the sweep runs in its own loop,
    // then closes it.
    scope->picEcran->resize(399, 329);
    scope->picGrille->resize(399, 329);
    DessinerGrille(scope->picGrille);
    QTimer::singleShot(0, [&] {
        balayer(scope, "full-screen view", runs);
        if (VbForm* vue = Forms().find(QString::fromLatin1(frmFullScreen::kNom)))
            vue->Unload();
    });
    AfficherPleinEcran();
    std::printf("(goal: every refresh within 8x the floor on the panel, 4x at 1920 x 1080; one frame is %d ms)\n",
                VbTimer::framePeriod());
    Forms().unloadAll();
    return 0;
}
