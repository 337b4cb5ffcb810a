// Start-up time: from starting the program's process to its main window
// shown, offscreen, on a fresh home whose settings skip the tip of the day,
// with the version check reading a local file. Each run is a new process.
//
//   bench_demarrage [runs]      (default 21)

#include "app/FichierINI.h"
#include "app/MDIWavix.h"
#include "help/TelechargementFichier.h"
#include "platform/ProfileFile.h"

#include "Mediane.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int runChild(int argc, char** argv, const QString& home)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wavix"));
    setAdresseFichierVersion(QUrl::fromLocalFile(home + QStringLiteral("/version.txt")).toString());

    MDIWavix mdi;
    if (!mdi.MDIForm_Load())
        return 1;
    while (!(mdi.windowHandle() && mdi.windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("shown %lld\n", static_cast<long long>(sinceMain.nsecsElapsed()));
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "--child")
        return runChild(argc, argv, QString::fromLocal8Bit(argv[2]));

    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 21;
    QCoreApplication app(argc, argv);
    std::vector<double> total, inProcess;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir home;
        const QString data = home.path() + QStringLiteral("/.local/share/Brelmar/Wavix");
        QDir().mkpath(data);
        const QString user = qEnvironmentVariable("USER", QStringLiteral("root"));
        writeProfileString(data + QStringLiteral("/ConfQVT_") + user + QStringLiteral(".ini"),
                           QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"),
                           QStringLiteral("0"));
        QFile version(home.path() + QStringLiteral("/version.txt"));
        version.open(QIODevice::WriteOnly);
        version.write("Version=1.0\r\n");
        version.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        env.remove(QStringLiteral("XDG_CONFIG_HOME"));
        env.remove(QStringLiteral("WAVIX_COMMON_APPDATA"));
        env.remove(QStringLiteral("WAVIX_COMMON_DOCUMENTS"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   QStringLiteral("offscreen:configfile=") + QStringLiteral(WAVIX_SCREEN_CONFIG));
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::SeparateChannels);
        QElapsedTimer clock;
        clock.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), home.path()});
        if (!child.waitForStarted(10000) || !child.waitForReadyRead(30000)) {
            std::fprintf(stderr, "run %d: the program did not start\n", i + 1);
            return 1;
        }
        const double ms = clock.nsecsElapsed() / 1e6;
        const QByteArray line = child.readLine().trimmed();
        child.waitForFinished(30000);
        if (!line.startsWith("shown ")) {
            std::fprintf(stderr, "run %d: unexpected output '%s'\n", i + 1, line.constData());
            return 1;
        }
        total.push_back(ms);
        inProcess.push_back(line.mid(6).toDouble() / 1e6);
    }
    std::printf("start-up, %d runs (ms)         median   min      max\n", runs);
    std::printf("process start to window shown  %7.1f  %7.1f  %7.1f\n", mediane(total),
                *std::min_element(total.begin(), total.end()), *std::max_element(total.begin(), total.end()));
    std::printf("main() to window shown         %7.1f  %7.1f  %7.1f\n", mediane(inProcess),
                *std::min_element(inProcess.begin(), inProcess.end()),
                *std::max_element(inProcess.begin(), inProcess.end()));
    return 0;
}
