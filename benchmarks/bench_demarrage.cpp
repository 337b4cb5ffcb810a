// Start-up and exit times under a real X server (run it with xvfb-run; `make
// bench` does), on a fresh home, the tip of the day shown, while the version
// check cannot get an answer:
//   - "silent server": the version server takes the connection and never
//     answers (a socket on this machine);
//   - "lookup never returns": the version server's name lookup never comes
//     back (the program's resolver replaced by one that blocks for good);
//   - "local file": the version file read from disk, for comparison.
// First paint: from main() to the end of the main window's first paint.
// Exit: from the main window's closing, once the check is under way, to the
// end of the process. Each run is a new process. Goals: first paint under
// 500 ms and exit under 200 ms.
//
//   bench_demarrage [runs]      (default 11)

#include "app/MDIWavix.h"
#include "help/TelechargementFichier.h"
#include "platform/Forms.h"

#include "Mediane.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <functional>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

std::atomic<bool> rechercheLancee{false};

// A name lookup that never comes back.
QList<QHostAddress> rechercheSansFin(const QString&)
{
    rechercheLancee = true;
    // Never destroyed: the process ends with this thread still waiting.
    static auto* verrou = new std::mutex;
    static auto* jamais = new std::condition_variable;
    std::unique_lock<std::mutex> attente(*verrou);
    jamais->wait(attente, [] { return false; });
    return {};
}

// Reports the end of the first paint of the main window's work area.
class PremierePeinture final : public QObject {
public:
    PremierePeinture(const QElapsedTimer& depuisMain, std::function<void()> ensuite)
        : depuisMain_(depuisMain), ensuite_(std::move(ensuite)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || fait_)
            return false;
        fait_ = true;
        watched->event(event);
        std::printf("peint %lld\n", static_cast<long long>(depuisMain_.nsecsElapsed()));
        std::fflush(stdout);
        QTimer::singleShot(0, ensuite_);
        return true;
    }

private:
    const QElapsedTimer& depuisMain_;
    std::function<void()> ensuite_;
    bool fait_ = false;
};

int runChild(int argc, char** argv, const QString& cas, const QString& adresse)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wavix"));
    QApplication::setOrganizationName(QStringLiteral("Brelmar"));
    if (cas == QLatin1String("recherche"))
        setResolveurNoms(rechercheSansFin);
    setAdresseFichierVersion(adresse);

    MDIWavix mdi;
    // Once painted, the tip of the day is closed as a user would.
    QTimer fermerAstuce;
    QObject::connect(&fermerAstuce, &QTimer::timeout, [&fermerAstuce] {
        if (VbForm* tip = Forms().find(QStringLiteral("frmTip"))) {
            fermerAstuce.stop();
            tip->Unload();
        }
    });
    PremierePeinture peinture(sinceMain, [&fermerAstuce] { fermerAstuce.start(5); });
    mdi.mdiArea()->viewport()->installEventFilter(&peinture);
    if (!mdi.MDIForm_Load())
        return 1;

    // Quit once the check is under way and stuck.
    QElapsedTimer attente;
    attente.start();
    while (!mdi.findChild<TelechargementFichier*>() && attente.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    attente.restart();
    while ((cas == QLatin1String("recherche") ? !rechercheLancee.load() : attente.elapsed() < 300)
           && attente.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("quitte\n");
    std::fflush(stdout);
    mdi.close();
    return 0;
}

struct Mesures {
    std::vector<double> peinture;
    std::vector<double> sortie;
};

void ligne(const char* nom, std::vector<double>& v)
{
    std::printf("  %-28s %7.1f  %7.1f  %7.1f\n", nom, mediane(v), *std::min_element(v.begin(), v.end()),
                *std::max_element(v.begin(), v.end()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && QByteArray(argv[1]) == "--child")
        return runChild(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 11;
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "bench_demarrage needs an X server: xvfb-run -a %s\n", argv[0]);
        return 1;
    }
    // Takes connections and never answers.
    QTcpServer muet;
    if (!muet.listen(QHostAddress::LocalHost)) {
        std::fprintf(stderr, "no local socket for the silent server\n");
        return 1;
    }
    const char* const cas[] = {"serveur", "recherche", "fichier"};
    const char* const noms[] = {"silent server", "lookup never returns", "local file"};
    Mesures mesures[3];
    for (int i = 0; i < runs; ++i) {
        for (int c = 0; c < 3; ++c) {
            QTemporaryDir home;
            QFile version(home.path() + QStringLiteral("/version.txt"));
            version.open(QIODevice::WriteOnly);
            version.write("Version=1.0\r\n");
            version.close();
            const QString adresse = c == 0 ? QStringLiteral("http://127.0.0.1:%1/physique/wavix/version_wavix.txt").arg(muet.serverPort())
                : c == 1 ? QStringLiteral("http://version.wavix.invalid/physique/wavix/version_wavix.txt")
                         : QUrl::fromLocalFile(version.fileName()).toString();

            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("HOME"), home.path());
            for (const char* v : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "WAVIX_COMMON_APPDATA",
                                  "WAVIX_COMMON_DOCUMENTS", "QT_QPA_PLATFORM"})
                env.remove(QString::fromLatin1(v));
            QProcess child;
            child.setProcessEnvironment(env);
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--child"), QString::fromLatin1(cas[c]), adresse});
            if (!child.waitForStarted(10000)) {
                std::fprintf(stderr, "run %d: the program did not start\n", i + 1);
                return 1;
            }
            QByteArray peint, quitte;
            while (child.waitForReadyRead(10000)) {
                while (child.canReadLine()) {
                    const QByteArray l = child.readLine().trimmed();
                    (l.startsWith("peint ") ? peint : quitte) = l;
                }
                if (!quitte.isEmpty())
                    break;
            }
            QElapsedTimer sortie;
            sortie.start();
            const bool fini = child.waitForFinished(30000);
            const double msSortie = sortie.nsecsElapsed() / 1e6;
            if (!peint.startsWith("peint ") || quitte != "quitte" || !fini || child.exitCode() != 0) {
                std::fprintf(stderr, "run %d (%s): unexpected output '%s' '%s'\n", i + 1, noms[c],
                             peint.constData(), quitte.constData());
                return 1;
            }
            mesures[c].peinture.push_back(peint.mid(6).toDouble() / 1e6);
            mesures[c].sortie.push_back(msSortie);
        }
    }
    std::printf("start-up and exit, tip of the day shown, %d runs (ms)  median   min      max\n", runs);
    bool dansLesTemps = true;
    for (int c = 0; c < 3; ++c) {
        std::printf("%s\n", noms[c]);
        ligne("main() to first paint", mesures[c].peinture);
        ligne("window closed to exit", mesures[c].sortie);
        dansLesTemps = dansLesTemps && mediane(mesures[c].peinture) < 500 && mediane(mesures[c].sortie) < 200;
    }
    std::printf("goals (first paint < 500 ms, exit < 200 ms): %s\n", dansLesTemps ? "met" : "NOT met");
    return 0;
}
