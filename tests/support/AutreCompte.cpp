// Another student account of the classroom, run under another uid by the
// tests: writes its settings file and appends to the shared results file,
// as the program does.
//   wavix_autre_compte <settings file> <results file>
// Exit status: 0 both written, 1 the settings failed, 2 the results failed.

#include "platform/ProfileFile.h"
#include "platform/TextFiles.h"

#include <QString>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 3;
    const QString reglages = QString::fromLocal8Bit(argv[1]);
    const QString resultats = QString::fromLocal8Bit(argv[2]);
    if (!writeProfileString(reglages, QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"),
                            QStringLiteral("0")))
        return 1;
    AppendingTextFile sortie;
    if (!sortie.open(resultats, kModeFichierPartage) || !sortie.writeLine(QStringLiteral("Nom élève :Martin")))
        return 2;
    return 0;
}
