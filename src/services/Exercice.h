#pragma once

#include <QList>
#include <QString>

// One picture as a data line gives it.
struct ImageExo {
    QString signalA;
    double umaxA = 0;
    double freqA = 0;
    QString signalB;
    double umaxB = 0;
    double freqB = 0;
};

// A whole exercise file, read and checked before the run starts.
struct FichierExo {
    QString titre;               // the file's name without its folder
    QList<ImageExo> images;
    QList<int> lignes;           // line number of each picture in the file
};
