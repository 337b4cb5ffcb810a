#include "app/MDIWavix.h"
#include "platform/SystemServices.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Without a display the windowing system would abort with a message in
    // English.
    QString affichage;
    if (!displayReachable(&affichage)) {
        const QString message = affichage.isEmpty()
            ? QStringLiteral("Wavix ne trouve aucun affichage graphique : la variable DISPLAY est vide.\n"
                             "Lancez Wavix depuis une session de bureau.\n")
            : QStringLiteral("Wavix ne peut pas joindre l'affichage graphique « %1 ».\n"
                             "Lancez Wavix depuis une session de bureau, ou vérifiez la variable DISPLAY.\n")
                  .arg(affichage);
        std::fputs(message.toLocal8Bit().constData(), stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wavix"));
    QApplication::setOrganizationName(QStringLiteral("Brelmar"));

    // Qt's own buttons and dialogs speak French like the rest of the program.
    QTranslator qtFrench;
    if (qtFrench.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtFrench);

    MDIWavix mdi;
    if (!mdi.MDIForm_Load())
        return 1;
    return app.exec();
}
