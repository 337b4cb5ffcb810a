#pragma once

#include <QString>

// The program's help object: each window's F1 names the help file and a
// topic, then asks for the display.
class HTMLHelp {
public:
    QString CHMFile;
    int HHTopicID = 0;

    void HHDisplayTopicID();
    void HHDisplayContents();
    void HHDisplayIndex();
    void HHClose();
};
