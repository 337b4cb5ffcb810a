#pragma once

#include "TestHome.h"

#include "app/MDIWavix.h"
#include "bench/frmToolBox.h"
#include "platform/Forms.h"
#include "platform/SystemServices.h"

#include <QImage>

#include <cmath>
#include <cstdint>
#include <memory>

class frmGBF;
class frmWavix;

constexpr int kJaune = 65535;   // CH1 trace colour
constexpr int kVert = 4227072;  // CH2 trace colour

// The performance counter, moved on by hand (nanoseconds); made after the
// test's home, which starts from the real clock.
struct Horloge {
    int64_t maintenant = 1'000'000'000;
    Horloge() { setPerfCounterClock([this] { return maintenant; }); }
    ~Horloge() { setPerfCounterClock(nullptr); }
    void avancer(double ms) { maintenant += int64_t(std::llround(ms * 1e6)); }
};

// The real scope window in a fresh home, its screen enlarged to 1005 x 805
// (one unit per pixel), with the stored mode and couplings given; both
// channel plugs and the ground plug in; switched on unless asked otherwise;
// both channels at 1 V/div.
struct BancScope {
    TestHome home;
    std::unique_ptr<MDIWavix> mdi = std::make_unique<MDIWavix>();
    frmWavix* scope = nullptr;

    explicit BancScope(int mode = 0, int acdc1 = 1, int acdc2 = 4, bool inverse = false, bool allume = true,
                       bool fiches = true);
    ~BancScope();

    void sensibilite(int voie, int index);
    void baseTemps(int index);
    void position(int voie, double y);
    // The horizontal position knob set to shift the traces by x screen units.
    void horizontale(double x);
    void source(int voie, const char* mot, double amplitude, double frequence);
    // Connects the channel's function generator through the toolbox and sets
    // its switch, duty and offset knobs with their fine sliders, and the
    // square wave (else the sine).
    frmGBF* generateur(int voie, bool allume, double rapport, int rapportFin, double decalage, int decalageFin,
                       bool carre);
    // The scope's screen, once the refresh a knob asked for is made.
    QImage image() const;
};

// The colour as the picture stores it.
QRgb pixelRgb(int vb);
// Whether the colour shows within a pixel of the user point (x, y).
bool at(const QImage& image, double x, double y, int couleur);
// Highest and lowest y where the colour shows in the columns [x1, x2];
// -10000 / 10000 when it does not show.
QPair<int, int> extent(const QImage& image, int couleur, int x1 = -480, int x2 = 480);
// The bounding box of the colour's pixels in the columns [x1, x2], in
// screen units; empty (left beyond right) when it does not show.
struct Boite {
    int gauche = 10000, droite = -10000, haut = -10000, bas = 10000;
};
Boite boite(const QImage& image, int couleur, int x1 = -480, int x2 = 480);
// Whether every run of n device columns of the picture between the screen
// abscissas -480 and 480 holds the colour from `haut` down to `bas` (screen
// units), within a device pixel: empty when it does, else where it fails.
QString bandeManquante(const QImage& image, const class PictureBox& ecran, int couleur, double haut, double bas,
                       int n);
