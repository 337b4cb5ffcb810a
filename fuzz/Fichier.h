#pragma once

// A scratch file of the target's own, rewritten with each input.

#include <QFile>
#include <QString>
#include <QTemporaryDir>

inline QString fichierTemporaire(const QString& nom, const QByteArray& contenu)
{
    static QTemporaryDir dossier;
    const QString chemin = dossier.path() + QLatin1Char('/') + nom;
    QFile::remove(chemin);
    QFile f(chemin);
    if (f.open(QIODevice::WriteOnly))
        f.write(contenu);
    return chemin;
}
