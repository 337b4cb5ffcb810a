#include "evaluation/Notation.h"

#include "scope/CourbeWavix.h"
#include "scope/Signaux.h"

#include <cmath>

namespace {

constexpr double kTolerance = 0.05;

// The expected waveform's name as the answer list writes it.
QString nomForme(const QString& signal)
{
    switch (FormeDuMot(signal)) {
    case FormeOnde::Sinus: return QStringLiteral("Sinusoïdale");
    case FormeOnde::Carre: return QStringLiteral("Carrée");
    case FormeOnde::Triangle: return QStringLiteral("Triangulaire");
    case FormeOnde::Dyn: return QStringLiteral("Alternateur vélo");
    default: return signal;
    }
}

// Within 5 % of the expected value, magnitudes compared (a reversed DC
// level is answered with its size); an expected 0 wants exactly 0.
bool proche(double reponse, double attendu)
{
    if (attendu == 0)
        return reponse == 0;
    return std::abs(std::abs(reponse) - std::abs(attendu)) / std::abs(attendu) < kTolerance;
}

} // namespace

QString MotReponse(int forme)
{
    static const char* const mots[4] = {"Sinus", "Carre", "Triangle", "Dyn"};
    return QString::fromLatin1(mots[std::clamp(forme, 0, 3)]);
}

NoteVoie NoterVoie(int voie, const ReponseVoie& reponse, const AttenduVoie& attendu)
{
    NoteVoie n;
    n.amplitude = reponse.tension;
    if (!reponse.alternatif) {
        n.formeSignal = QStringLiteral("Cc");
        n.frequence = 0;
    } else {
        n.frequence = reponse.frequence;
        n.formeSignal = MotReponse(reponse.forme);
        if (n.formeSignal == QLatin1String("Dyn"))
            n.amplitude /= CreteDyn();
    }
    const bool continu = attendu.signal == QLatin1String("Cc");
    const double crete = FormeDuMot(attendu.signal) == FormeOnde::Dyn ? CreteDyn() : 1;
    LigneReponse ligne(voie);

    // Waveform: the first three letters decide ("Carre" answers "Carrée").
    const bool typeJuste = n.formeSignal.left(3).toLower() == attendu.signal.left(3).toLower();
    if (typeJuste) {
        ++n.points;
    } else if (continu) {
        n.corrections[0] = QStringLiteral("Tension continue");
    } else {
        if (!reponse.alternatif)
            n.corrections[0] = QStringLiteral("Tension alternative");
        n.corrections[1] = nomForme(attendu.signal);
    }
    ligne.signal(n.formeSignal, !typeJuste);

    // Voltage, as typed in the record.
    const bool tensionJuste = proche(n.amplitude, attendu.umax);
    if (tensionJuste)
        ++n.points;
    else
        n.corrections[2] = NombreResultat(attendu.umax * crete, QStringLiteral("#0.00")) + QStringLiteral(" V");
    ligne.tension(reponse.tension, !tensionJuste);

    // Frequency: a DC picture has none to check, whatever its line says.
    n.pointsMax = continu ? 2 : 3;
    if (!continu) {
        const bool frequenceJuste = proche(n.frequence, attendu.freq);
        if (frequenceJuste)
            ++n.points;
        else
            n.corrections[3] = NombreResultat(attendu.freq, QStringLiteral("#0")) + QStringLiteral(" Hz");
        if (attendu.freq != 0 || !frequenceJuste)
            ligne.frequence(n.frequence, !frequenceJuste);
    }
    n.ligne = ligne.texte();
    return n;
}
