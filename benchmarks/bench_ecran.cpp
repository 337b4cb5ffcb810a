// Drawing speed of the scope screen: the graticule, then one refresh (the
// graticule as background picture and 2 000 trace segments, a sine over ten
// divisions), on the scope window's picture (399 x 329) and on a full-HD
// picture (1920 x 1080). Offscreen; medians over many runs.
//
//   bench_ecran [runs]     (default 300)

#include "platform/PictureBox.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"

#include "Mediane.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

struct Figures {
    double grille, rafraichissement, rafraichissementEpais;
};

Figures mesurer(int largeur, int hauteur, int runs)
{
    QWidget fenetre;
    auto* grille = new PictureBox(&fenetre);
    grille->setObjectName("picGrille");
    grille->resize(largeur, hauteur);
    auto* ecran = new PictureBox(&fenetre);
    ecran->resize(largeur, hauteur);
    ecran->Scale(kEcranGauche, kEcranHaut, kEcranDroite, kEcranBas);

    std::vector<double> tGrille, tRafraichi, tEpais;
    QElapsedTimer clock;
    for (int r = 0; r < runs; ++r) {
        clock.start();
        DessinerGrille(grille);
        (void)grille->Image();
        tGrille.push_back(clock.nsecsElapsed() / 1e6);
    }
    const QImage fond = grille->Image();
    for (int epaisseur : {1, 3}) {
        auto& t = epaisseur == 1 ? tRafraichi : tEpais;
        for (int r = 0; r < runs; ++r) {
            clock.start();
            ecran->setPicture(fond);
            ecran->DrawWidth = epaisseur;
            double x0 = -500, y0 = 0;
            for (int i = 1; i <= 2000; ++i) {
                const double x = -500 + i * 0.5;
                const double y = 300 * std::sin(2 * 3.14159265358979 * 3 * (x + 500) / 1000);
                ecran->Line(x0, y0, x, y, 65535);
                x0 = x;
                y0 = y;
            }
            (void)ecran->Image();
            t.push_back(clock.nsecsElapsed() / 1e6);
        }
    }
    return {mediane(tGrille), mediane(tRafraichi), mediane(tEpais)};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc >= 2 ? std::max(5, std::atoi(argv[1])) : 300;
    std::printf("scope screen, median of %d runs (ms)   graticule   refresh, width 1   refresh, width 3\n", runs);
    for (const auto& [w, h] : {std::pair{399, 329}, std::pair{1920, 1080}}) {
        const Figures f = mesurer(w, h, runs);
        std::printf("%4d x %-4d                            %8.3f   %16.3f   %16.3f\n", w, h, f.grille,
                    f.rafraichissement, f.rafraichissementEpais);
    }
    return 0;
}
