#pragma once

#include "bench/MesureTRMS.h"
#include "bench/Voltmetre.h"
#include "platform/Forms.h"

#include <QLineF>
#include <QPointF>

#include <array>

class ImageBox;
class QAbstractButton;
class QLabel;
class QProgressBar;

// The true-RMS multimeter: a handheld digital meter with a bar graph, MIN
// MAX and RANGE buttons, an eight-position selector turned with the mouse,
// four terminals and the choice of the scope channel its leads are on. Its
// range state and MIN MAX state are its own, kept in [Multi TRMS].
class frmMulti_RMS : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmMulti_RMS";
    enum Borne { V = 0, MA = 1, A10 = 2, COM = 3 };

    frmMulti_RMS();

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    void cmdBouton_Click(int index);
    void imgBorne_Click(int index);
    void imgFiche_Click(int index);
    void imgSelecteur_MouseMove(int bouton, int shift, float x, float y);
    void imgSelecteur_MouseUp(int bouton, int shift, float x, float y);
    void optVoie_Click(int index);
    void PlacerSelecteur(int position);

    // Reached through the dispatchers TournerSelecteur, CalculerMesure and
    // AfficherMesure.
    void TournerSelecteurTRMS(int position);
    void CalculerMesureTRMS();
    void AfficherMesureTRMS(double valeur);

    bool fichePlacee(int index) const;
    int voie() const;
    // The selector's position (0 OFF to 7), and the V and COM leads in place.
    int positionSelecteur() const { return position_; }
    bool branche() const { return branche_; }
    // The measured channel's signal as the bench feeds it now.
    // What the screen reads from, as the bench stands now.
    EntreesTRMS entrees() const;
    // What the screen shows.
    const EcranTRMS& ecran() const { return ecran_; }

    bool autoGamme() const { return panneau_.autoGamme; }
    QString gamme() const { return panneau_.gamme; }
    EtatMinMax minMax() const { return panneau_.minMax; }

    ImageBox* imgSelecteur = nullptr;
    QLabel* lblValue = nullptr;
    QLabel* lblSigne = nullptr;
    QLabel* lblValueError = nullptr;
    std::array<QLabel*, 5> lblUnite{};
    std::array<QLabel*, 2> lblACDC{};
    QLabel* lblAuto = nullptr;
    QLabel* lblManuel = nullptr;
    QLabel* lblGamme = nullptr;
    std::array<QLabel*, 3> lblMinMax{};
    QProgressBar* pgbRANGE = nullptr;
    std::array<QAbstractButton*, 3> cmdBouton{};
    std::array<QAbstractButton*, 2> optVoie{};
    std::array<ImageBox*, 4> imgBorne{};
    std::array<ImageBox*, 4> imgFiche{};
    QLineF linSelecteur;
    QPointF linPtRouge;

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void ConfigurerAffichageTRMS(int position);
    void lireEtat();
    // Paints the screen from ecran_.
    void peindre();
    void dessinerAiguille(double angle);
    QWidget* aiguille_ = nullptr;
    // The channel the leads are on (its option button ticked), and the leads
    // in place (their plugs shown).
    int voie_ = 0;
    FichesMultimetre fiches_{};
    int position_ = kArretTRMS;
    bool branche_ = false;
    // AUTO or the manual range, and MIN MAX.
    PanneauTRMS panneau_;
    // The screen as its design first shows it, then as the meter sets it.
    EcranTRMS ecran_;
};
