#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class FenetreAide;

// The program's help object: each window's F1 names the help file and a
// topic, then asks for the display. The pages ship in the program's
// resources and show in the program's own help window, which lives beside
// the other windows until the user closes it or HHClose runs.
class HTMLHelp {
public:
    HTMLHelp() = default;
    ~HTMLHelp();
    HTMLHelp(const HTMLHelp&) = delete;
    HTMLHelp& operator=(const HTMLHelp&) = delete;

    QString CHMFile;
    int HHTopicID = 0;

    // Opens the help window at the page of HHTopicID (the first page of the
    // contents for a number no page answers).
    void HHDisplayTopicID();
    void HHDisplayContents();
    void HHDisplayIndex();
    // Closes the help window; nothing happens when none is open.
    void HHClose();

    // The help window when open, else nullptr.
    FenetreAide* fenetre() const;

private:
    FenetreAide* ouvrir();
    // Held as a widget: while the window is being destroyed it is no longer
    // a FenetreAide, and fenetre() gives nullptr.
    QPointer<QWidget> fenetre_;
};
