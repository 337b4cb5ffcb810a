#pragma once

// "Positionnement par défaut des fenêtres": the scope near the left edge at
// the top, the open multimeter under it, and in a column on the scope's
// right the CH1 source (or the answer window) at the top, the CH2 source
// lower down and the stopwatch at the bottom. Where a window's place lies
// out of view or over another window, it goes to the nearest place in view
// that covers least: never a title bar, then the scope's screen, then the
// fewest knobs, keys, lamps, sockets and displays of the windows under it,
// then the least of the other windows. The placed windows come to the
// front, over the scope; twin sources keep CH1 left of or above CH2. Only
// loaded windows move; none is resized, shown or hidden, and each keeps its
// new place in the settings when it closes, as usual.
void PositionnerFenetres();

class QMainWindow;
class QMdiArea;

// Brought back from maximised (or full screen), the main window keeps its
// child windows in view: those the larger area held are moved in as little
// as fits, so that no scroll bar is left from the maximised layout.
void GarderEnVueAuRetour(QMainWindow* principale, QMdiArea* zone);
