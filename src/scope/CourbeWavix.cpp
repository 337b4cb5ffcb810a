#include "scope/CourbeWavix.h"

#include "services/RequetesBanc.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "platform/SystemServices.h"
#include "scope/Balayage.h"
#include "scope/Echelle.h"
#include "platform/RVB.h"
#include "scope/Signaux.h"
#include "scope/Traceurs.h"
#include "scope/frmWavix.h"

#include <QAction>

#include <algorithm>

namespace {

// The generator's offset and duty for a channel in free mode.
void reglerGenerateur(int voie)
{
    EtatVoie& v = Voies[size_t(voie)];
    v.Decalage = 0;
    v.RapportCyclique = 0;
    if (!OptionConnexionChoisie(voie == 0 ? 1 : 10))
        return;
    const std::optional<ReglagesGBF> gbf = ReglagesGenerateur(voie);
    if (!gbf || !gbf->allume)
        return;
    // The generator's own offset, whatever the scope's coupling: an
    // AC-coupled input blocks it when it draws, the meters read it.
    v.Decalage = (gbf->decalage + gbf->decalageFin / 2 - gbf->decalageMax / 2) / 10;
    float rapport = float(gbf->rapport / 100 + gbf->rapportFin / 100);
    rapport = std::clamp(rapport, 0.0f, 1.0f);
    if (gbf->carre)
        rapport = std::clamp(rapport, 0.1f, 0.9f);
    v.RapportCyclique = rapport;
}

} // namespace

void ActualiserEcran()
{
    frmWavix* s = Forms().find<frmWavix>();
    if (!s)
        return;
    if (s->panneau().modeAllume(ModeVoies::XY)) {
        s->tmrSpot.setEnabled(false);
        if (!s->tmrXY.isRunning())
            s->XYLast.reset(); // a new figure: no time has gone by yet
        s->tmrXY.setInterval(1);
        s->tmrXY.setEnabled(true);
    } else {
        s->tmrXY.setInterval(0);
        s->tmrXY.setEnabled(false);
        s->tmrSpot.setEnabled(true);
    }
    CalculerVoies();
    if (MultimetreOuvert())
        TournerSelecteur(PositionSelecteur);
}

void CalculerVoies()
{
    frmWavix* s = Forms().find<frmWavix>();
    if (!s)
        return;
    const bool libre = Banc().modeLibre;
    for (int voie = 0; voie < 2; ++voie) {
        EtatVoie& v = Voies[size_t(voie)];
        if (libre) {
            v.TraceAmplitude = v.Amplitude;
            v.TraceFrequence = v.Frequence;
            v.TraceSignal = v.FormeSignal;
            reglerGenerateur(voie);
        } else {
            v.TraceAmplitude = v.UmaxExo;
            v.TraceFrequence = v.FreqExo;
            v.TraceSignal = v.SignalExo;
            v.RapportCyclique = 0.5f;
        }
    }
    for (int voie = 0; voie < 2; ++voie) {
        EtatVoie& v = Voies[size_t(voie)];
        if (s->panneau().couplageAllume(voie, Couplage::GND) || !v.Branchee())
            v.TraceAmplitude = 0;
    }

    EcranAuGraticule();

    if (!s->estAllume())
        return;
    const PanneauScope& p = s->panneau();
    if (p.fft && p.mode != ModeVoies::XY) {
        // The spectrum stays: no spot sweeps over it.
        s->tmrSpot.setInterval(0);
        switch (p.mode) {
        case ModeVoies::CH1: TracerSpectreVoie(0); break;
        case ModeVoies::CH2: TracerSpectreVoie(1); break;
        case ModeVoies::DUAL:
            TracerSpectreVoie(0);
            TracerSpectreVoie(1);
            break;
        case ModeVoies::ADD: TracerSpectreADD(); break;
        case ModeVoies::XY: break;
        }
        return;
    }
    switch (p.mode) {
    case ModeVoies::CH1: TracerVoie(0); break;
    case ModeVoies::CH2: TracerVoie(1); break;
    case ModeVoies::DUAL:
        TracerVoie(0);
        TracerVoie(1);
        break;
    case ModeVoies::ADD: TracerVoie(0); break;
    case ModeVoies::XY:
        if (p.fft)
            s->tmrXY.setInterval(5);
        break;
    }
}

void TracerVoie(int voie)
{
    frmWavix* s = Forms().find<frmWavix>();
    if (!s || (voie != 0 && voie != 1))
        return;
    const EtatVoie& v = Voies[size_t(voie)];
    TraceCourante.Signal = v.TraceSignal;
    TraceCourante.Couleur = v.CouleurTrace;
    TraceCourante.Frequence = v.TraceFrequence;
    TraceCourante.Amplitude = v.TraceAmplitude;
    if (voie == 1 && s->panneau().inverseAllume())
        TraceCourante.Amplitude = -TraceCourante.Amplitude;
    TraceCourante.Decalage = v.Branchee() ? v.Decalage : 0;
    TraceCourante.PositionVerticale = v.PositionVerticale;
    TraceCourante.Sensibilite = v.Sensibilite;
    TraceCourante.Style = v.StyleTrace;
    TraceCourante.Phase = 0;
    const double rapport = v.RapportCyclique;
    const TraceEnCours& t = TraceCourante;

    s->picEcran->DrawStyle = t.Style;

    if (BaseTempsLente()) {
        // Slow time base: the spot timer draws the trace piece by piece.
        SpotLast = perfCounterNow();
        PositionSpot = PositionHorizontale;
        s->tmrSpot.setEnabled(true);
        s->tmrSpot.setInterval(1);
    } else {
        s->tmrSpot.setInterval(0);
        if (s->panneau().modeAllume(ModeVoies::ADD)) {
            CourbeADD(-500, 500);
            return;
        }
        if (s->panneau().couplageAllume(voie, Couplage::GND)) {
            TracerLigneNiveau(voie, t.PositionVerticale, t.Couleur);
        } else {
            const double H = PositionHorizontale;
            const FormeOnde forme = FormeDuMot(t.Signal);
            // AC coupling blocks the waveform's DC level: a DC source draws
            // flat on the position, any other wave about it.
            const double continu = ContinuBloque(voie, forme, t.Amplitude, rapport, t.Decalage);
            switch (forme) {
            case FormeOnde::Continu:
                TracerLigneNiveau(voie, (t.Amplitude - continu) * 100 / t.Sensibilite + t.PositionVerticale,
                                  t.Couleur);
                break;
            case FormeOnde::Sinus:
                TracerSinus(voie, t.Couleur, H, t.PositionVerticale, BaseTemps, t.Sensibilite, t.Frequence,
                            t.Amplitude, t.Phase, rapport, t.Decalage - continu);
                break;
            case FormeOnde::Harmo:
                TracerHarmo(voie, t.Couleur, H, t.PositionVerticale, BaseTemps, t.Sensibilite, t.Frequence,
                            t.Amplitude, t.Phase, rapport, t.Decalage - continu);
                break;
            case FormeOnde::Carre:
                TracerTrapeze(t.Couleur, H, t.PositionVerticale, BaseTemps, t.Sensibilite, 0, 0, t.Frequence,
                              t.Amplitude, rapport, t.Phase, t.Decalage, continu);
                break;
            case FormeOnde::Triangle: {
                // No rise or fall at 0 Hz: the drawer draws nothing then.
                const double montee = t.Frequence > 0 ? rapport / t.Frequence : 0;
                const double descente = t.Frequence > 0 ? 1 / t.Frequence - montee : 0;
                TracerTrapeze(t.Couleur, H, t.PositionVerticale, BaseTemps, t.Sensibilite, montee, descente,
                              t.Frequence, t.Amplitude, 0, t.Phase, t.Decalage, continu);
                break;
            }
            case FormeOnde::Dyn:
                TracerCourbeDyn(voie, t.Couleur, H, t.PositionVerticale, BaseTemps, t.Sensibilite, t.Frequence,
                                t.Amplitude, t.Phase, t.Decalage);
                break;
            case FormeOnde::Aucune: break;
            }
        }
    }
    AfficherSensibilites();
}
