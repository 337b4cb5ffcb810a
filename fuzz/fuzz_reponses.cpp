// The typed answers and their scoring: lines for the voltage typed, the
// frequency typed, then the expected word, peak voltage and frequency, then
// the waveform chosen and the AC box.

#include "Entree.h"

#include "evaluation/Data.h"
#include "evaluation/Notation.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Entree entree(data, size);
    ReponseVoie reponse;
    const bool tension = LireNombreVirgule(entree.texte(), reponse.tension);
    const bool frequence = LireNombreVirgule(entree.texte(), reponse.frequence);
    AttenduVoie attendu;
    attendu.signal = MotType(entree.texte());
    (void)LireNombreVirgule(entree.texte(), attendu.umax);
    (void)LireNombreVirgule(entree.texte(), attendu.freq);
    reponse.forme = entree.octet() % 4;
    reponse.alternatif = entree.octet() & 1;
    if (!tension || !frequence)
        return 0;
    EXIGER(std::isfinite(reponse.tension) && std::isfinite(reponse.frequence));
    const NoteVoie note = NoterVoie(entree.octet() & 1, reponse, attendu);
    EXIGER(note.points >= 0 && note.points <= note.pointsMax);
    return 0;
}
