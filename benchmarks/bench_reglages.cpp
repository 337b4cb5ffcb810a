// Reading one settings key (LireINI) from a settings file of the usual size
// (five sections, 60 keys): the file unchanged since the last read, as during
// the refreshes, and the file changed on disk before every read, as when
// another program of the account writes it. Medians over many reads.
//
//   bench_reglages [reads]     (default 2000)

#include "services/FichierINI.h"

#include "Mediane.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <utime.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int reads = argc >= 2 ? std::max(5, std::atoi(argv[1])) : 2000;
    QTemporaryDir home;
    Session().CheminINI = home.path() + QStringLiteral("/ConfQVT_bench.ini");
    for (const char* section : {"Options", "Interface", "Impression", "Réseau", "Multi TRMS"})
        for (int k = 0; k < 12; ++k)
            EcrireINI(QString::fromUtf8(section), QStringLiteral("Cle %1").arg(k), QString::number(1000 + k));

    auto mesurer = [&](bool change) {
        std::vector<double> t;
        QElapsedTimer clock;
        for (int r = 0; r < reads; ++r) {
            if (change) {
                // Another program's write: the same size, a new time.
                QFile f(Session().CheminINI);
                f.open(QIODevice::ReadWrite);
                f.seek(f.size() - 3);
                f.write(r % 2 ? "1\r\n" : "2\r\n");
                f.close();
                const struct utimbuf temps {1000000000 + r, 1000000000 + r};
                utime(QFile::encodeName(Session().CheminINI).constData(), &temps);
            }
            clock.start();
            const QString v = LireINI(QStringLiteral("Multi TRMS"), QStringLiteral("Cle 11"), QString());
            t.push_back(clock.nsecsElapsed() / 1e3);
            if (v != QLatin1String("1011") && !change)
                return -1.0;
        }
        return mediane(t);
    };
    std::printf("LireINI, last key of a 60-key file, median of %d reads (us)\n", reads);
    std::printf("  file unchanged since the last read   %8.2f\n", mesurer(false));
    EcrireINI(QStringLiteral("Zz"), QStringLiteral("Fin"), QStringLiteral("0"));
    std::printf("  file changed on disk before the read %8.2f\n", mesurer(true));
    return 0;
}
