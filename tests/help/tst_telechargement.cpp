#include "TestHome.h"

#include "help/TelechargementFichier.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QUrl>
#include <QtTest>

class tst_Telechargement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void localFile();
    void silentServerGivesUpInTime();
};

void tst_Telechargement::localFile()
{
    TestHome home;
    QVERIFY(TestHome::writeFile(home.path("version.txt"), "Version=9.1\r\n"));
    QVERIFY(TelechargerFichier(QUrl::fromLocalFile(home.path("version.txt")).toString(), home.path("Delete_Me.txt")));
    QCOMPARE(TestHome::readFile(home.path("Delete_Me.txt")), QByteArray("Version=9.1\r\n"));
    QVERIFY(!TelechargerFichier(QUrl::fromLocalFile(home.path("absent.txt")).toString(), home.path("autre.txt")));
    QVERIFY(!QFileInfo::exists(home.path("autre.txt")));
}

void tst_Telechargement::silentServerGivesUpInTime()
{
    // A server on this machine that takes the connection and never answers.
    TestHome home;
    QTcpServer muet;
    QVERIFY(muet.listen(QHostAddress::LocalHost));
    const QString adresse = QStringLiteral("http://127.0.0.1:%1/physique/wavix/version_wavix.txt").arg(muet.serverPort());
    QElapsedTimer chrono;
    chrono.start();
    QVERIFY(!TelechargerFichier(adresse, home.path("Delete_Me.txt")));
    QVERIFY(chrono.elapsed() < kDelaiTelechargementMs + 1500);
    QVERIFY(!QFileInfo::exists(home.path("Delete_Me.txt")));
}

QTEST_MAIN(tst_Telechargement)
#include "tst_telechargement.moc"
