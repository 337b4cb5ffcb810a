#pragma once

#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The printing choices the options dialog offers, in the order of their
// stored index: line styles, marker symbols and marker sizes.
const QStringList& StylesLigneImpression();
const QStringList& MotifsMarque();
const QStringList& TaillesMarque();
// The printed colours: CH1, CH2, graticule, background, border.
inline constexpr std::array<int32_t, 5> kCouleursImpression{0, 0, 8421504, 16777215, 8421504};

class PictureBox;
class QPaintDevice;
class frmWavix;

// The printout of the traces: one page with a legend line per channel that
// carries markers and the scope screen redrawn for paper.

// The marker font: it has every symbol of the options' list.
inline const QString kPoliceMarques = QStringLiteral("DejaVu Sans");

// A channel's printing choices, from the settings ("Impression") and the
// options dialog's lists; an index outside its list takes the first item.
struct ChoixImpression {
    int style = 0;       // line style of the trace, as the screen numbers them
    bool marques = false;
    QString symbole;     // the marker glyph
    double taille = 8;   // the markers' size on the screen picture, points
};
ChoixImpression LireChoixImpression(int voie);

// Where a channel's markers stand, in screen units: one on each vertical
// graticule line, at the source's value there (its waveform word, amplitude,
// frequency, offset and ratio, not the drawn values), without its DC level
// in AC coupling. None for a word no sampler knows.
QList<QPointF> PointsMarques(int voie);
// The markers on the screen picture: each glyph's top-left corner 14 units
// left of and above its point, in the channel's trace colour.
void TracerMarques(PictureBox* ecran, int voie, const ChoixImpression& choix);

// What goes on the page.
struct PageWavix {
    QStringList legendes; // the marker glyph of each legend line, CH1 first
    QImage ecran;         // the screen picture
};
// Page units: 1440 twips an inch, 15 twips a screen pixel.
constexpr double kTwipsParPouce = 1440;
constexpr double kTwipsParPixel = 15;
// Where the screen picture's top-left corner lies on the page, in twips.
constexpr double kEcranPageX = 500;
constexpr double kEcranPageY = 1200;
// The legend's text before the glyph.
inline const QString kLegendeMarque = QStringLiteral(" - Marque : ");

// Paints the page on the device (a printer, an image), laid out in twips from
// the top-left corner of its printable area: the legend lines from the top,
// then the screen picture at its own size. False when the device refused the
// page (a printer or a file that cannot be written).
bool PeindrePage(QPaintDevice& support, const PageWavix& page);

// Redraws the scope window's screen for paper (print colours, the print line
// styles, thin lines, markers and footer) and gives the page; the caller
// holds the screen frozen.
PageWavix PreparerPage(frmWavix& scope);

// The print command's work: the page to the chosen printer, the screen put
// back; a missing printer or a failed printout is reported.
void ImprimerCourbes();
