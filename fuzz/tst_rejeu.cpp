// Replays, through one fuzz target, the inputs kept for it: those that once
// failed (fixtures/<target>) and the seeds (corpus/<target>).

#include <QDir>
#include <QFile>
#include <QtTest>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// A target that keeps windows from one input to the next closes them here.
extern "C" __attribute__((weak)) void WavixFuzzFin();

class tst_Rejeu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entreesGardees_data();
    void entreesGardees();
    void cleanupTestCase();
};

void tst_Rejeu::entreesGardees_data()
{
    QTest::addColumn<QString>("chemin");
    int n = 0;
    for (const char* genre : {"fixtures", "corpus"}) {
        const QDir dossier(QStringLiteral(WAVIX_FUZZ_DIR "/%1/" WAVIX_CIBLE).arg(QLatin1String(genre)));
        for (const QString& nom : dossier.entryList(QDir::Files, QDir::Name)) {
            QTest::newRow(qPrintable(QLatin1String(genre) + QLatin1Char('/') + nom)) << dossier.filePath(nom);
            ++n;
        }
    }
    if (n == 0)
        QTest::newRow("empty input") << QString();
}

void tst_Rejeu::entreesGardees()
{
    QFETCH(QString, chemin);
    QByteArray octets;
    if (!chemin.isEmpty()) {
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadOnly));
        octets = f.readAll();
    }
    QCOMPARE(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(octets.constData()), size_t(octets.size())), 0);
}

void tst_Rejeu::cleanupTestCase()
{
    if (WavixFuzzFin)
        WavixFuzzFin();
}

QTEST_MAIN(tst_Rejeu)
#include "tst_rejeu.moc"
