#pragma once

#include <functional>

class QImage;
class QPrinter;

// The printer chosen for this run: made on first use (the system's default
// printer when there is one) and kept, with what the printer set-up dialog
// chose, until the program ends.
QPrinter& chosenPrinter();
// Forgets the chosen printer (tests), so that the next use makes it again.
void resetChosenPrinter();
// Whether a page can go to the printer: a PDF file is named, or the printer
// is one the system knows.
bool printerReady(const QPrinter& printer);

// Puts the picture on the system clipboard; false when the clipboard did not
// take it. Tests state their own clipboard; nullptr restores the system's.
bool copyImageToClipboard(const QImage& image);
void setClipboardWriter(std::function<bool(const QImage&)> writer);
