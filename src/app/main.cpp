#include "app/MDIWavix.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
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
