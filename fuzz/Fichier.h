#pragma once

// A scratch file of the target's own, rewritten with each input.

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>

inline QString fichierTemporaire(const QString& nom, const QByteArray& contenu)
{
    static QTemporaryDir dossier;
    const QString chemin = dossier.path() + QLatin1Char('/') + nom;
    // Written beside, then put in its place: a new file each time, which a
    // reader that knows files by their identity never takes for the last one.
    const QString neuf = chemin + QStringLiteral(".neuf");
    QFile f(neuf);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(contenu);
        f.close();
    }
    std::rename(QFile::encodeName(neuf).constData(), QFile::encodeName(chemin).constData());
    return chemin;
}
