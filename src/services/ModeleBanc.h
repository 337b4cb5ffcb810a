#pragma once

#include "services/EtatBanc.h"
#include "services/RequetesBanc.h"

#include <QObject>

#include <array>
#include <functional>
#include <optional>
#include <set>

// How soon a change is to be seen: at once, or, while a knob is being
// dragged, at most once a frame (the drag's last position when it ends).
enum class Rythme { Immediat, Glissement };

// A signal about "both channels" names this one.
constexpr int kDeuxVoies = -1;

// The bench as one value that tells what changes: the channels' state
// (EtatBanc), what the bench's windows publish for the other instruments
// (the generators' panels, the harmonic levels, the toolbox's choices), and
// the interface's background colour. It changes only through its setters;
// each says what it changed with a signal, delivered at once. The scope, the
// meters and the main window subscribe; the main window wires them at
// start-up (app/Cablage.cpp).
//
// Changes made while a Lot lives are told once, when the last Lot ends: a
// handler that changes several values is seen as one change.
class ModeleBanc : public QObject {
    Q_OBJECT
public:
    const EtatBanc& etat() const { return etat_; }
    const EtatVoie& voie(int voie) const { return etat_.voies[voie == 1 ? 1 : 0]; }

    // Changes channel `voie` (0 CH1, 1 CH2, kDeuxVoies both), then tells it.
    void modifierVoie(int voie, const std::function<void(EtatVoie&)>& modification,
                      Rythme rythme = Rythme::Immediat);
    // The knob that was being dragged is let go: its last change seen now.
    void finirReglage();

    // The look of a channel's trace: its colour (RGB) and line style. The
    // scope's outputs set their own for the time they draw, the options the
    // user's; whoever changes it draws again, so it is told apart
    // (aspectChange), not as a change of what the channel carries.
    void reglerAspectVoie(int voie, int32_t couleur, int style);

    // The harmonic generator's levels of a channel, kept current by its window.
    const NiveauxHarmoniques& niveauxHarmo(int voie) const { return niveaux_[voie == 1 ? 1 : 0]; }
    void reglerNiveauxHarmo(int voie, const NiveauxHarmoniques& niveaux, Rythme rythme = Rythme::Immediat);

    // What a function generator's panel shows while its window is open (none
    // otherwise): the meters read it. The channel's own values, offset and
    // duty included, the generator sets through modifierVoie, which tells;
    // these are stored as they move, without a signal of their own.
    const std::optional<ReglagesGBF>& reglagesGenerateur(int voie) const { return gbf_[voie == 0 ? 0 : 1]; }
    void publierGenerateur(int voie, const std::optional<ReglagesGBF>& reglages);
    // The toolbox's choices while it is open (none otherwise), stored the
    // same way: a choice's consequences are told by the channel it changes.
    const std::optional<ChoixBoiteOutils>& boiteOutils() const { return boite_; }
    void publierBoiteOutils(const std::optional<ChoixBoiteOutils>& choix);

    // Free mode, or an evaluated run: the expected signals are drawn with
    // their 0.5 duty, and the sources' offsets are kept.
    void passerEnModeLibre(bool libre);
    // The exercise file of a run, its title and folder; its pictures are
    // shown from the first.
    void commencerEpreuve(const FichierExo& exercice);
    void choisirFichierExercice(const QString& titre, const QString& dossier);
    void oublierFichierExercice();
    // The picture on show (from 1).
    void montrerLigne(int numero);
    // The running score of a run.
    void reglerScore(int32_t score, int32_t scoreMax);
    void ajouterPoints(int32_t points, int32_t pointsMax);
    // The end of a run is asked for: the main window takes the bench back to
    // free mode (automatic sensitivities when "Reglage auto" allows them;
    // after a mark only when it is "1").
    void demanderFinDeRun(bool reglageSiUn);

    enum class Instrument { Multimetre, Chrono, Calculatrice };
    void montrerInstrument(Instrument instrument, bool ouvert);

    // The interface's background colour (RGB, red in the low byte).
    int couleurFond() const { return couleurFond_; }
    void reglerCouleurFond(int rgb);

    // The bench as a program just started has it.
    void reinitialiser();

    // Holds the signals back while it lives; the last one to end tells
    // each change once.
    class Lot {
    public:
        explicit Lot(ModeleBanc& modele);
        ~Lot();
        Lot(const Lot&) = delete;
        Lot& operator=(const Lot&) = delete;

    private:
        ModeleBanc& modele_;
    };

Q_SIGNALS:
    // A channel's values changed (kDeuxVoies: both).
    void voieChangee(int voie, Rythme rythme);
    // The knob being dragged is let go.
    void reglageTermine();
    void modeChange(bool libre);
    void instrumentsChanges();
    void finDeRunDemandee(bool reglageSiUn);
    void couleurFondChangee(int rgb);
    void aspectChange(int voie);

private:
    void signalerVoie(int voie, Rythme rythme);
    void relacher();

    EtatBanc etat_;
    std::array<NiveauxHarmoniques, 2> niveaux_ = {NiveauxHarmoAuChargement(), NiveauxHarmoAuChargement()};
    std::array<std::optional<ReglagesGBF>, 2> gbf_;
    std::optional<ChoixBoiteOutils> boite_;
    int couleurFond_ = 0xFFFFFF;

    int lots_ = 0;
    // Held back by a Lot: the channels changed (0, 1), and whether any of
    // them only as a drag goes, and the instruments.
    std::set<int> voiesRetenues_;
    bool glissementRetenu_ = false;
    bool instrumentsRetenus_ = false;
};

ModeleBanc& Modele();
