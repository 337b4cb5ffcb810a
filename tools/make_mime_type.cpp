// Writes the exercise files' type description that the program installs, the
// same one it registers for each user at start-up.
#include "app/AssociationExercice.h"

#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_mime_type <file.xml>\n");
        return 2;
    }
    QFile out(QString::fromLocal8Bit(argv[1]));
    const QByteArray xml = mimePackage(TypeFichierExercice());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(xml) != xml.size()) {
        std::fprintf(stderr, "make_mime_type: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
