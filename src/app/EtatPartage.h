#pragma once

// Puts the program's shared state back as a program just started has it:
// the channels and the scope's shared settings, the trace being drawn and
// the slow-sweep spot, the running score and picture of an evaluated run,
// the exercise in progress, the harmonic levels, the folders, settings file
// and mode found at start-up,
// the tooltips' settings; the files held open are closed, and the clock,
// random source, mounts, login name, file writer and sound player are the
// system's own again. The windows are not touched: unload them first.
void ReinitialiserEtatPartage();
