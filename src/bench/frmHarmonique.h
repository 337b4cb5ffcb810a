#pragma once

#include "bench/FenetreSource.h"

#include <array>

class ImageBox;
class PanelBarGraph;
class Potentio_Creme;
class QAbstractButton;
class QButtonGroup;
class QLabel;
class QSlider;
class QTabWidget;
class Shape;

// The harmonic generator of one channel: frmHarmoniqueA feeds CH1,
// frmHarmoniqueB CH2. Its sliders are the signal: a constant term and the
// levels and phases of twenty harmonics of the fundamental, which it keeps in
// the channel's harmonic levels for the scope. It writes the channel's
// frequency, range, amplitude and connection, and only while its toolbox
// option connects it to the channel.
class frmHarmonique : public FenetreSource {
    Q_OBJECT
public:
    static constexpr int kHarmoniques = 20;

    explicit frmHarmonique(int voie);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    void chkOn_Click();
    void optGamme_Click(int index);
    void optSignal_Click(int index);
    void Potentio_MouseMove(int index, int bouton);
    void Potentio_MouseUp(int index, int bouton);
    void sldReglage_Scroll();
    void sldReglage_Click();
    void sldAmpli_Change(int index);
    void sldPhase_Change(int index);
    void sldX0_Change();

    // The generator's own settings, whether or not it feeds the channel.
    double frequence() const { return frequence_; }
    double gamme() const { return gamme_; }
    double amplitude() const { return amplitude_; }
    bool branchee() const { return branchee_; }

    std::array<QSlider*, kHarmoniques> sldAmpli{};
    std::array<PanelBarGraph*, kHarmoniques> pgbAmpli{};
    std::array<QLabel*, kHarmoniques> lblAmpli{};
    std::array<QSlider*, kHarmoniques> sldPhase{};
    std::array<QLabel*, kHarmoniques> lblPhase{};
    QSlider* sldX0 = nullptr;
    PanelBarGraph* pgbX0 = nullptr;
    QLabel* lblAmpliX0 = nullptr;
    std::array<Potentio_Creme*, 1> Potentio{};
    QSlider* sldReglage = nullptr;
    std::array<QAbstractButton*, 6> optGamme{};
    std::array<Shape*, 6> shpFreq{};
    std::array<QAbstractButton*, 5> optSignal{};
    QAbstractButton* chkOn = nullptr;
    ImageBox* imgOn = nullptr;
    QLabel* lblFreq = nullptr;
    QLabel* lblUnite = nullptr;
    QTabWidget* sstHarmo = nullptr;

protected:
    void recalculerBranchement() override;

private:
    // The channel's variables follow the generator while its toolbox option
    // is selected.
    bool connecte() const;
    void publier();
    // The scope's copy of the levels.
    void publierNiveaux();
    void redessiner();
    void ecrireFrequence(double frequence);
    void allumerLampes();
    void deselectionner(int premier, int dernier);

    double frequence_ = 0;
    double gamme_ = 1000;
    double amplitude_ = 0;
    bool branchee_ = false;
    bool EnChargement = false;
    // A preset writes every slider and redraws once at its end.
    bool remplissage_ = false;
    // The phase slider the user is moving, redrawn when its value changes.
    int phaseGlissee_ = -1;
    QButtonGroup* signaux_ = nullptr;
    // The preset's toggle has just written it; its click adds nothing.
    bool signalApplique_ = false;
};

// The percent caption of a harmonic level: |value| / 10 as the program
// writes a number, with a leading blank and no zero before the point
// (" 100", " 33.3", " .5", " 0").
QString TextePourcent(int valeur);

// The constant term of the "Sinusoïde redressée double alternance" preset
// for a channel amplitude A: the preset's harmonics are those of a rectified
// sine of peak πA/4, whose mean is A/2, given in the slider's whole volts.
int MoyenneRedressee(double amplitude);
