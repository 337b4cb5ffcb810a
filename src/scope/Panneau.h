#pragma once

// The front panel's lamps as the trace engine reads them: a lamp is lit when
// its fill colour is exactly green. With no scope window, every lamp is off.
// shpVoie: 0 CH1, 1 CH2, 2 DUAL, 3 ADD, 4 XY, 5 "-CH2";
// shpACDC: 0..2 AC, DC, GND of CH1, 3..5 those of CH2.
bool VoieAllumee(int index);
bool CouplageAllume(int index);
