#pragma once

#include <QFont>
#include <QSize>
#include <QString>

class QRect;
class QWidget;

// The program's tooltips: one application-wide filter shows every widget's
// tooltip in a bubble of our own, wrapped to a maximum width, line breaks
// honoured, centred on the mouse pointer and kept on the screen; a text may
// start with "<c>" (centred lines) or "<r>" (right-aligned lines).

// Takes over the tooltips; false when they are taken over already.
bool InstallMultiLineToolTips();
// Gives the tooltips back to Qt and hides the bubble.
void RemoveMultiLineToolTips();
// Hides or shows every tooltip of the program (takes effect on the next one).
void SetToolTipsHidden(bool hidden);
bool ToolTipsHidden();
// The widest a line of text may be, in pixels, before it wraps.
void SetToolTipMaxWidth(int pixels);
int ToolTipMaxWidth();

// A tooltip text with its alignment prefix read and removed.
struct TexteBulle {
    QString texte;
    Qt::Alignment alignement = Qt::AlignLeft;
};
TexteBulle AnalyserBulle(const QString& texte);
// The bubble's outer size for a text (prefix already removed): the wrapped
// text plus a border of 3 pixels on each side.
QSize MesurerBulle(const QString& texte, const QFont& police, int largeurMax);
// The bubble's left edge: centred on the mouse, not left of the screen, its
// right edge not past the screen's.
int PositionBulleX(int sourisX, int largeur, const QRect& ecran);
// The bubble on show, or nullptr.
QWidget* BulleAffichee();
