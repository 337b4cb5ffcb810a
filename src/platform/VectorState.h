#pragma once

// Clears the upper halves of the processor's vector registers where it has
// them (x86-64 with AVX), and does nothing elsewhere.
//
// Drawing and copying code run before can leave those halves in use. On
// such processors every scalar floating-point step that follows then waits
// on its register's old value, which made the trace arithmetic up to three
// times as slow. The loops that work out a picture call this on entry.
void clearUpperVectorState();
