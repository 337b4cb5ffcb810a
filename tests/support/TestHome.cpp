#include "TestHome.h"

#include "platform/AssociateFile.h"
#include "platform/SystemServices.h"
#include "app/EtatPartage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>

#include <sys/stat.h>

#include <iterator>

namespace {

const char* const kVariables[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                                   "XDG_DOCUMENTS_DIR", "WAVIX_COMMON_APPDATA", "WAVIX_COMMON_DOCUMENTS"};
constexpr int kNbVariables = int(std::size(kVariables));

void resetSharedState()
{
    ReinitialiserEtatPartage();
    // The values instruments start with are drawn the same in every run.
    setRandomSource([hasard = QRandomGenerator(20240917u)]() mutable { return hasard.generateDouble(); });
    // The program's settings (the teacher password) follow the home: QSettings
    // keeps the folder it found first.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    // No editor opens during tests.
    setTextEditorOpener([](const QString&) { return true; });
    setWebPageOpener([](const QString&) { return true; });
    // Nor does the type database refresh.
    setMimeDatabaseUpdater([](const QString&) {});
}

} // namespace

TestHome::TestHome()
{
    for (int i = 0; i < kNbVariables; ++i)
        saved_[i] = qgetenv(kVariables[i]);
    qputenv("HOME", dir_.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", path(QStringLiteral(".local/share")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral(".config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", path(QStringLiteral(".cache")).toLocal8Bit());
    qunsetenv("XDG_DOCUMENTS_DIR");
    qunsetenv("WAVIX_COMMON_APPDATA");
    qunsetenv("WAVIX_COMMON_DOCUMENTS");
    resetSharedState();
}

TestHome::~TestHome()
{
    for (int i = 0; i < kNbVariables; ++i) {
        if (saved_[i].isNull())
            qunsetenv(kVariables[i]);
        else
            qputenv(kVariables[i], saved_[i]);
    }
    resetSharedState();
}

QString TestHome::path(const QString& relative) const
{
    return relative.isEmpty() ? dir_.path() : dir_.path() + QLatin1Char('/') + relative;
}

bool TestHome::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray TestHome::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TestHome::makeFifo(const QString& path)
{
    return mkfifo(QFile::encodeName(path).constData(), 0666) == 0;
}

unsigned TestHome::modeOf(const QString& path)
{
    struct stat info {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}
