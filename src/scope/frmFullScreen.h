#pragma once

#include "platform/Forms.h"

class PictureBox;
class QLabel;

// The scope screen enlarged to the desktop's work area. It draws nothing
// itself: while it is open (the panel's full-screen flag set, the main
// window's item ticked) the scope draws on its picture instead of the
// panel's. A click anywhere, or Escape, closes it; it is made at each
// opening and destroyed at each closing.
class frmFullScreen : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmFullScreen";
    frmFullScreen();

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void picEcran_Click();
    void Form_Click();
    void picEcran_MouseMove(int bouton, int shift, double x, double y);

    PictureBox* picEcran = nullptr;
    PictureBox* picGrille = nullptr;
    QLabel* lblPositionCurseur = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A click is a press and its release on the view: the release of the
    // double-click that opened it does not close it.
    bool appuiEcran_ = false;
    bool appuiFenetre_ = false;
};

// Sets the panel's full-screen flag, which ticks the main window's item, and
// shows the view modally; returns once it is closed. Nothing without the
// main window.
void AfficherPleinEcran();
