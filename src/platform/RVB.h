#pragma once

#include <cstdint>

// One RGB colour held as an integer, red in the low byte.
class RVB {
public:
    void setCouleur(int32_t couleur) { couleur_ = couleur; }
    uint8_t Rouge() const { return uint8_t(couleur_ & 255); }
    uint8_t Vert() const { return uint8_t((couleur_ / 256) & 255); }
    uint8_t Bleu() const { return uint8_t((couleur_ / 65536) & 255); }

    // Perceived brightness, 0 to 255.
    double Luminosite() const { return 0.59 * Vert() + 0.3 * Rouge() + 0.11 * Bleu(); }
    // Text over this colour: white on a dark one, black otherwise.
    int32_t CouleurTexte() const { return Luminosite() <= 127.5 ? 0xFFFFFF : 0; }

private:
    int32_t couleur_ = 0;
};

// The colour of a lit lamp.
constexpr int32_t kVertAllume = 65280;
// The colour of an unlit lamp.
constexpr int32_t kBlancEteint = 16777215;
