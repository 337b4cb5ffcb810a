#pragma once

#include "bench/MesureCollege.h"
#include "bench/Voltmetre.h"
#include "platform/Forms.h"
#include "platform/VbTimer.h"

#include <QLineF>
#include <QPointF>
#include <QString>

#include <array>
#include <optional>

class ImageBox;
class QAbstractButton;
class QLabel;
class Shape;

// The angle of the mouse around the centre of a selector picture W × H
// twips, the mouse at (x, y) inside it: counter-clockwise from 12 o'clock,
// above 0 and up to 360 (straight up 360, left 90, down 180, right 270); the
// exact centre gives 450.
double AngleSouris(float x, float y, float largeur, float hauteur);
// The selector position a mouse angle turns to; boundaries go to the lower
// position, angles below 10 or above 350 to OFF.
int PositionPourAngle(double angle);

// The school multimeter: a handheld digital meter whose selector is turned
// with the mouse, four terminals for its leads, and the choice of the scope
// channel the leads are on. It measures DC and AC volts of that channel; on
// a DC range with a varying source it shows a live reading every 500 ms.
class frmVolt : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmVolt";
    // Terminal indexes, as the leads go in.
    enum Borne { V = 0, MA = 1, A10 = 2, COM = 3 };
    static constexpr int kIntervalleMesure = int(kPorteMesure * 1000);

    frmVolt();

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    void imgBorne_Click(int index);
    void imgFiche_Click(int index);
    // Mouse handlers of the selector: button 1 is the left one; x, y in
    // twips inside imgSelecteur.
    void imgSelecteur_MouseMove(int bouton, int shift, float x, float y);
    void imgSelecteur_MouseUp(int bouton, int shift, float x, float y);
    void optVoie_Click(int index);
    void tmrVolt_Timer();
    // Turns the selector to a position, as a release of the mouse there does.
    void PlacerSelecteur(int position);

    // Reached through the dispatchers TournerSelecteur, CalculerMesure and
    // AfficherMesure.
    void TournerSelecteurCollege(int position);
    void CalculerMesureCollege();
    void AfficherMesureCollege(double& valeur);

    bool fichePlacee(int index) const;
    // The channel the leads are on: 0 CH1, 1 CH2.
    int voie() const;
    // The selector's position (0 to 16, OFF 15), and a measuring lead and
    // the COM lead in place.
    int positionSelecteur() const { return position_; }
    bool branche() const { return branche_; }
    // The simulated time, in seconds, at which the next live reading ends its
    // gate; each turn of the selector starts it again at 1 s.
    double instantMesure() const { return instant_; }
    // What the display reads from, as the bench stands now.
    EntreesCollege entrees() const;

    ImageBox* imgSelecteur = nullptr;
    QLabel* lblValue = nullptr;
    QLabel* lblSigne = nullptr;
    QLabel* lblValueError = nullptr;
    std::array<QAbstractButton*, 2> optVoie{};
    std::array<ImageBox*, 4> imgBorne{};
    std::array<ImageBox*, 4> imgFiche{};
    std::array<Shape*, 4> shpBorne{};
    std::array<QLabel*, 17> lblCal{};
    VbTimer tmrVolt;
    // The pointer in the window's twips: the line through the centre, its
    // tip first, and the red dot near the tip.
    QLineF linSelecteur;
    QPointF linPtRouge;

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void dessinerAiguille(double angle);
    void peindre(const EcranCollege& ecran);
    void recalculerBranchement();
    void colorerCordons();
    QWidget* aiguille_ = nullptr;
    // The channel the leads are on (its option button ticked), and the leads
    // in place (their plugs shown).
    int voie_ = 0;
    FichesMultimetre fiches_{};
    int position_ = kArretVolt;
    bool branche_ = false;
    double instant_ = 1;
};
