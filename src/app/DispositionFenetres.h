#pragma once

// "Positionnement par défaut des fenêtres": the scope near the left edge at
// the top, the open multimeter under it, and in a column on the scope's
// right the CH1 source (or the answer window) at the top, the CH2 source
// lower down and the stopwatch at the bottom. When the column does not fit
// right of the scope in view, it goes below the scope. A window whose place
// would cover another window or the scope's controls, or leave the view,
// goes to the nearest place that does not (PlacerDegagee). Only loaded
// windows move; none is resized, shown or hidden, and each keeps its new
// place in the settings when it closes, as usual.
void PositionnerFenetres();
