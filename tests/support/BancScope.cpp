#include "BancScope.h"
#include "services/ModeleBanc.h"

#include <vector>

#include "services/FichierINI.h"
#include "bench/frmGBF.h"
#include "platform/FormDesign.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "scope/CourbeWavix.h"
#include "scope/Echelle.h"
#include "scope/Potentiometre.h"
#include "platform/RVB.h"
#include "scope/frmWavix.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QSlider>

#include "platform/Potentio_Creme.h"

#include <cmath>

BancScope::BancScope(int mode, int acdc1, int acdc2, bool inverse, bool allume, bool fiches)
{
    Session().CheminINI = home.path("ConfQVT_test.ini");
    EcrireINI("Interface", "Mode voie", QString::number(mode));
    EcrireINI("Interface", "ACDC CH1", QString::number(acdc1));
    EcrireINI("Interface", "ACDC CH2", QString::number(acdc2));
    EcrireINI("Interface", "Mode voie -CH2", inverse ? "1" : "0");
    scope = Forms().get<frmWavix>();
    scope->picEcran->resize(1005, 805);
    scope->picGrille->resize(1005, 805);
    DessinerGrille(scope->picGrille);
    if (fiches)
        for (int fiche : {0, 1, 2})
            scope->basculerFiche(fiche);
    if (allume)
        scope->chkOn->setChecked(true);
    sensibilite(0, 6);
    sensibilite(1, 6);
}

BancScope::~BancScope()
{
    Forms().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    mdi.reset();
    // The home, going next, resets the shared state.
}

void BancScope::sensibilite(int voie, int index)
{
    scope->setPotentioValue(6 + voie, float(index));
    ReglerPotentiometre(1, 6 + voie);
}

void BancScope::baseTemps(int index)
{
    scope->setPotentioValue(5, float(index));
    ReglerPotentiometre(1, 5);
}

void BancScope::position(int voie, double y)
{
    scope->setPotentioValue(3 + voie, float(700 + y));
    ReglerPotentiometre(1, 3 + voie);
}

void BancScope::horizontale(double x)
{
    scope->setPotentioValue(2, float(900 + x));
    ReglerPotentiometre(1, 2);
}

void BancScope::source(int voie, const char* mot, double amplitude, double frequence)
{
    Modele().modifierVoie(voie, [&](EtatVoie& v) {
        v.FormeSignal = mot;
        v.Amplitude = amplitude;
        v.Frequence = frequence;
        v.SourceBranchee = true;
        v.CouleurTrace = voie == 0 ? kJaune : kVert;
    });
}

frmGBF* BancScope::generateur(int voie, bool allume, double rapport, int rapportFin, double decalage,
                              int decalageFin, bool carre)
{
    Forms().get<frmToolBox>()->choisir(voie == 0 ? 1 : 10);
    auto* gbf = dynamic_cast<frmGBF*>(Forms().find(voie == 0 ? "frmGBFA" : "frmGBFB"));
    gbf->Potentio[2]->setValue(float(rapport));
    gbf->Potentio[3]->setValue(float(decalage));
    gbf->sldReglage[2]->setValue(rapportFin);
    gbf->sldReglage[3]->setValue(decalageFin);
    gbf->optSignal[carre ? 1 : 0]->setChecked(true);
    gbf->chkOn->setChecked(allume);
    return gbf;
}

QImage BancScope::image() const
{
    // What a knob turned asked for first, as every reader of the picture.
    ActualiserEcranEnAttente();
    return scope->picEcran->Image();
}

QRgb pixelRgb(int vb)
{
    return qRgb(vb & 0xFF, (vb >> 8) & 0xFF, (vb >> 16) & 0xFF) & 0xFFFFFF;
}

bool at(const QImage& image, double x, double y, int couleur)
{
    const int px = int(std::lround(x + 500)), py = int(std::lround(400 - y));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.valid(px + dx, py + dy) && (image.pixel(px + dx, py + dy) & 0xFFFFFF) == pixelRgb(couleur))
                return true;
    return false;
}

QPair<int, int> extent(const QImage& image, int couleur, int x1, int x2)
{
    int haut = -10000, bas = 10000;
    for (int px = x1 + 500; px <= x2 + 500; ++px)
        for (int py = 0; py < image.height(); ++py)
            if ((image.pixel(px, py) & 0xFFFFFF) == pixelRgb(couleur)) {
                haut = qMax(haut, 400 - py);
                bas = qMin(bas, 400 - py);
            }
    return {haut, bas};
}

Boite boite(const QImage& image, int couleur, int x1, int x2)
{
    Boite b;
    for (int px = x1 + 500; px <= x2 + 500; ++px)
        for (int py = 0; py < image.height(); ++py)
            if ((image.pixel(px, py) & 0xFFFFFF) == pixelRgb(couleur)) {
                b.gauche = qMin(b.gauche, px - 500);
                b.droite = qMax(b.droite, px - 500);
                b.haut = qMax(b.haut, 400 - py);
                b.bas = qMin(b.bas, 400 - py);
            }
    return b;
}

QString bandeManquante(const QImage& image, const PictureBox& ecran, int couleur, double haut, double bas, int n)
{
    const double dpr = image.devicePixelRatio();
    const int gauche = int(ecran.toPixel(-480, 0).x() * dpr), droite = int(ecran.toPixel(480, 0).x() * dpr);
    // The rows of the band's two edges, a pixel in.
    const int rangHaut = int(std::ceil(ecran.toPixel(0, haut).y() * dpr)) + 1;
    const int rangBas = int(std::floor(ecran.toPixel(0, bas).y() * dpr)) - 1;
    std::vector<QPair<int, int>> colonnes;
    for (int px = gauche; px <= droite; ++px) {
        int premier = image.height(), dernier = -1;
        for (int py = 0; py < image.height(); ++py)
            if ((image.pixel(px, py) & 0xFFFFFF) == pixelRgb(couleur)) {
                premier = std::min(premier, py);
                dernier = std::max(dernier, py);
            }
        colonnes.push_back({premier, dernier});
    }
    for (size_t c = 0; c + size_t(n) <= colonnes.size(); ++c) {
        int premier = image.height(), dernier = -1;
        for (size_t k = c; k < c + size_t(n); ++k) {
            premier = std::min(premier, colonnes[k].first);
            dernier = std::max(dernier, colonnes[k].second);
        }
        if (premier > rangHaut || dernier < rangBas)
            return QString("columns from %1: rows %2 to %3, the band is %4 to %5")
                .arg(gauche + int(c)).arg(premier).arg(dernier).arg(rangHaut).arg(rangBas);
    }
    return {};
}
