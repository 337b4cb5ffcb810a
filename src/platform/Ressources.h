#pragma once

// Registers the program's pictures; the library that holds them is linked
// statically, so the program and its tests call this before using them.
void InitialiserRessources();
