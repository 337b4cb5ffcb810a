#include "scope/CourbeWavix.h"

#include "services/ModeleBanc.h"
#include "services/RequetesBanc.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "platform/SystemServices.h"
#include "scope/Balayage.h"
#include "scope/Echelle.h"
#include "scope/FigureTrace.h"
#include "platform/RVB.h"
#include "scope/Signaux.h"
#include "scope/Traceurs.h"
#include "scope/frmWavix.h"

#include <QAction>

#include <algorithm>

namespace {

bool actualisationDemandee = false; // by a knob, and not made yet

} // namespace

EtatScope& Scope()
{
    static EtatScope etat;
    return etat;
}

const PanneauScope& Panneau()
{
    static const PanneauScope eteint;
    const frmWavix* s = Forms().find<frmWavix>();
    return s ? s->panneau() : eteint;
}

int EpaisseurTrace()
{
    const frmWavix* s = Forms().find<frmWavix>();
    return s ? s->epaisseurTrace() : 1;
}

Oscilloscope& Oscillo()
{
    static Oscilloscope oscilloscope;
    return oscilloscope;
}

void ActualiserEcran()
{
    actualisationDemandee = false;
    frmWavix* s = Forms().find<frmWavix>();
    if (!s) {
        Q_EMIT Oscillo().ecranActualise();
        return;
    }
    ++NombreActualisations;
    LireOptionLecture();
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
    Q_EMIT Oscillo().ecranActualise();
}

void ActualiserEcranAuRythme(Rythme rythme)
{
    if (rythme == Rythme::Glissement)
        DemanderActualisation();
    else
        ActualiserEcran();
}

void RedessinerEcran()
{
    if (frmWavix* s = Forms().find<frmWavix>())
        DessinerGrille(s->picGrille);
    ActualiserEcran();
}

void DemanderActualisation()
{
    frmWavix* s = Forms().find<frmWavix>();
    if (!s)
        return;
    if (s->tmrReglage.isRunning()) {
        actualisationDemandee = true;
        return;
    }
    // None since the last tick: this one now, and the timer's ticks take
    // those asked for until then.
    ActualiserEcran();
    s->tmrReglage.setInterval(1);
    s->tmrReglage.setEnabled(true);
}

void ActualiserEcranEnAttente()
{
    if (actualisationDemandee)
        ActualiserEcran();
}

void ActualisationReglage(frmWavix& scope)
{
    if (actualisationDemandee)
        ActualiserEcran();
    else
        scope.tmrReglage.setInterval(0); // the knob rests: no more ticks
}

void CalculerVoies()
{
    frmWavix* s = Forms().find<frmWavix>();
    if (!s)
        return;
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
    const EtatTrace etat = EtatTraceActuel();
    switch (p.mode) {
    case ModeVoies::CH1: TracerVoie(etat, 0); break;
    case ModeVoies::CH2: TracerVoie(etat, 1); break;
    case ModeVoies::DUAL:
        TracerVoie(etat, 0);
        TracerVoie(etat, 1);
        break;
    case ModeVoies::ADD: TracerVoie(etat, 0); break;
    case ModeVoies::XY:
        if (p.fft)
            s->tmrXY.setInterval(5);
        break;
    }
}

EtatVoie VoieAffichee(const EtatBanc& banc, const PanneauScope& panneau, int voie)
{
    EtatVoie v = banc.voies[voie == 1 ? 1 : 0];
    if (banc.modeLibre) {
        v.TraceAmplitude = v.Amplitude;
        v.TraceFrequence = v.Frequence;
        v.TraceSignal = v.FormeSignal;
    } else {
        v.TraceAmplitude = v.UmaxExo;
        v.TraceFrequence = v.FreqExo;
        v.TraceSignal = v.SignalExo;
    }
    if (panneau.couplageAllume(voie, Couplage::GND) || !v.Branchee())
        v.TraceAmplitude = 0;
    return v;
}

EtatTrace EtatTraceActuel()
{
    EtatTrace etat;
    etat.panneau = Panneau();
    for (int voie = 0; voie < 2; ++voie)
        etat.voies[size_t(voie)] = VoieTraceeDe(VoieAffichee(Banc(), etat.panneau, voie), NiveauxHarmo(voie));
    etat.baseTemps = etat.panneau.secondesParDivision();
    etat.H = Scope().PositionHorizontale;
    etat.niveauSeuil = Scope().NiveauSeuil;
    return etat;
}

void TracerVoie(const EtatTrace& etat, int voie)
{
    frmWavix* s = Forms().find<frmWavix>();
    if (!s || (voie != 0 && voie != 1))
        return;
    if (BaseTempsLente()) {
        // Slow time base: the spot timer draws the trace piece by piece.
        s->picEcran->DrawStyle = etat.voies[size_t(voie)].style;
        Scope().SpotLast = perfCounterNow();
        Scope().PositionSpot = Scope().PositionHorizontale;
        s->tmrSpot.setEnabled(true);
        s->tmrSpot.setInterval(1);
    } else {
        PictureBox* ecran = EcranCible();
        const TraceVoie trace = TraceRapide(etat, voie, ecran ? ecran->devicePixelWidth() : 0);
        s->picEcran->DrawStyle = trace.style;
        s->tmrSpot.setInterval(0);
        if (ecran)
            PeindreTrace(ecran, trace);
    }
    AfficherSensibilites();
}

// The samplers of the state as it stands: the panel and the bench model.

double ContinuBloque(int voie, FormeOnde forme, double A, double rapport, double decalage)
{
    return ContinuBloque(Panneau(), voie, NiveauxHarmo(voie), forme, A, rapport, decalage);
}

std::optional<double> ValeurSignal(int voie, double x)
{
    return SignalVoie(EtatTraceActuel(), voie)(x);
}
