#include "scope/CouleursCourbes.h"

#include "services/ModeleBanc.h"

#include "services/FichierINI.h"
#include "services/Version.h"
#include "platform/Dialogs.h"
#include "platform/FormDesign.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/VbColor.h"
#include "scope/CourbeWavix.h"
#include "platform/RVB.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

int32_t CouleurEnGris(int32_t couleur)
{
    const int32_t r = couleur & 255;
    const int32_t g = (couleur & 65280) / 256;
    const int32_t b = (couleur >> 16) & 255;
    const int32_t gris = (77 * r + 150 * g + 28 * b) / 256 + 1;
    return gris * 65793;
}

std::array<int32_t, 2> GrisDesTraces(int32_t couleurA, int32_t couleurB)
{
    constexpr int32_t kPlusClair = 0x80;
    constexpr int32_t kEcart = 0x30;
    int32_t a = std::min(CouleurEnGris(couleurA) & 255, kPlusClair);
    int32_t b = std::min(CouleurEnGris(couleurB) & 255, kPlusClair);
    int32_t& clair = a >= b ? a : b;
    int32_t& sombre = a >= b ? b : a;
    if (clair - sombre < kEcart) {
        sombre = clair - kEcart;
        if (sombre < 0) {
            sombre = 0;
            clair = kEcart;
        }
    }
    return {a * 65793, b * 65793};
}

int32_t CouleurVariable(int index)
{
    switch (std::clamp(index, 0, 4)) {
    case 0: return Banc().voies[0].CouleurTrace;
    case 1: return Banc().voies[1].CouleurTrace;
    case 2: return Scope().CouleurGrille;
    case 3: return Scope().CouleurFond;
    default: return Scope().CouleurCadre;
    }
}

void ReglerCouleurVariable(int index, int32_t rgb)
{
    switch (std::clamp(index, 0, 4)) {
    case 0:
    case 1: Modele().reglerAspectVoie(index, rgb, Banc().voies[size_t(index)].StyleTrace); break;
    case 2: Scope().CouleurGrille = rgb; break;
    case 3: Scope().CouleurFond = rgb; break;
    default: Scope().CouleurCadre = rgb; break;
    }
}

void DecomposerCouleurs()
{
    // CH1, CH2, then the screen background (swatch 3).
    const int indexes[3] = {0, 1, 3};
    const char* const cles[3] = {"ColorYa", "ColorYb", "ColorScreen"};
    const int32_t defauts[3] = {65535, 4227072, 10135975};
    const std::optional<std::array<int32_t, 5>>& echantillons = CouleursEchantillons();
    for (int i = 0; i < 3; ++i) {
        RVB c;
        c.setCouleur(echantillons ? (*echantillons)[size_t(indexes[i])]
                                  : LireCouleurINI(QStringLiteral("Options"), QString::fromLatin1(cles[i]), defauts[i]));
        Scope().ComposantesCouleurs[size_t(3 * i)] = c.Rouge();
        Scope().ComposantesCouleurs[size_t(3 * i + 1)] = c.Vert();
        Scope().ComposantesCouleurs[size_t(3 * i + 2)] = c.Bleu();
    }
}

std::optional<std::array<int32_t, 5>>& CouleursEchantillons()
{
    static std::optional<std::array<int32_t, 5>> couleurs;
    return couleurs;
}

std::array<int32_t, 16> CouleursPerso()
{
    std::array<int32_t, 16> greys{};
    for (int i = 0; i < 16; ++i)
        greys[size_t(i)] = 15 * (i + 1) * 65793;
    return greys;
}

void PreparerDialogueCouleur(QColorDialog& dialogue, int32_t couleur)
{
    // Colours added in an earlier opening give way to the greys again.
    const std::array<int32_t, 16> greys = CouleursPerso();
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, vbColor(greys[size_t(i)]));
    dialogue.setOption(QColorDialog::DontUseNativeDialog);
    dialogue.setCurrentColor(vbColor(couleur));
    dialogue.setWindowTitle(QStringLiteral("Wavix v.%1.%2 - Choix de la couleur").arg(kVersionMajeure).arg(kVersionMineure));
    if (auto* boutons = dialogue.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = boutons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("Appliquer"));
        if (QPushButton* annuler = boutons->button(QDialogButtonBox::Cancel))
            annuler->setText(QStringLiteral("Annuler"));
    }
    const QString ajouter = QColorDialog::tr("&Add to Custom Colors");
    for (QPushButton* b : dialogue.findChildren<QPushButton*>())
        if (b->text() == ajouter)
            b->setText(QStringLiteral("Ajouter aux couleurs personnalisées"));
    // In the middle of the screen, wherever the options dialog is.
    dialogue.adjustSize();
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect zone = ecran->geometry();
        dialogue.move(zone.left() + (zone.width() - dialogue.width()) / 2,
                      zone.top() + (zone.height() - dialogue.height()) / 2);
    }
}

std::optional<int32_t> ChoisirCouleur(int32_t couleur, QWidget* fenetre)
{
    QColorDialog dialogue(fenetre);
    // A top-level window of its own, so that the centring holds.
    dialogue.setWindowFlags(Qt::Dialog);
    PreparerDialogueCouleur(dialogue, couleur);
    return dialogs().chooseColor(dialogue);
}
