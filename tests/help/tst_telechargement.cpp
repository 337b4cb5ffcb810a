#include "TestHome.h"

#include "help/TelechargementFichier.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// A web server on this machine: each request's first line and headers go to
// the answer function, whose bytes are sent back before closing.
class ServeurLocal {
public:
    explicit ServeurLocal(std::function<QByteArray(const QByteArray& requete)> reponse)
        : reponse_(std::move(reponse))
    {
        QVERIFY(serveur_.listen(QHostAddress::LocalHost));
        QObject::connect(&serveur_, &QTcpServer::newConnection, &serveur_, [this] {
            while (QTcpSocket* client = serveur_.nextPendingConnection()) {
                auto requete = std::make_shared<QByteArray>();
                QObject::connect(client, &QTcpSocket::readyRead, client, [this, client, requete] {
                    *requete += client->readAll();
                    if (!requete->contains("\r\n\r\n"))
                        return;
                    requetes << *requete;
                    client->write(reponse_(*requete));
                    client->disconnectFromHost();
                });
            }
        });
    }
    quint16 port() const { return serveur_.serverPort(); }

    QList<QByteArray> requetes;

private:
    QTcpServer serveur_;
    std::function<QByteArray(const QByteArray&)> reponse_;
};

QByteArray reponseHttp(const QByteArray& statut, const QByteArray& corps, const QByteArray& entetes = {})
{
    return "HTTP/1.1 " + statut + "\r\nContent-Length: " + QByteArray::number(corps.size()) + "\r\n" + entetes
        + "Connection: close\r\n\r\n" + corps;
}

// One download, its end awaited.
struct Essai {
    TelechargementFichier telechargement;
    QSignalSpy fin{&telechargement, &TelechargementFichier::fini};

    explicit Essai(int delaiMs = kDelaiTelechargementMs) { telechargement.setDelaiMs(delaiMs); }
    bool lancer(const QString& adresse, const QString& copie)
    {
        telechargement.TelechargerFichier(adresse, copie);
        // Never from within the call.
        if (fin.count() != 0)
            return false;
        return fin.wait(10000) && fin.count() == 1;
    }
    bool ok() const { return fin.at(0).at(0).toBool(); }
    QByteArray contenu() const { return fin.at(0).at(1).toByteArray(); }
};

} // namespace

class tst_Telechargement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { setResolveurNoms(nullptr); }
    void localFile_data();
    void localFile();
    void plantedLinkIsReplaced();
    void byNameThroughTheResolver();
    void serverAnswers_data();
    void serverAnswers();
    void silentServerGivesUpInTime();
    void lookupThatNeverReturns();
};

void tst_Telechargement::localFile_data()
{
    QTest::addColumn<QByteArray>("contenu"); // null: no file at the address
    QTest::addColumn<bool>("ok");
    QTest::newRow("version line") << QByteArray("Version=9.1\r\n") << true;
    QTest::newRow("empty file") << QByteArray("") << true;
    QTest::newRow("at the size limit") << QByteArray(kTailleMaxFichierVersion, 'x') << true;
    QTest::newRow("one byte too many") << QByteArray(kTailleMaxFichierVersion + 1, 'x') << false;
    QTest::newRow("4 MiB") << QByteArray(4 << 20, '9') << false;
    QTest::newRow("missing") << QByteArray() << false;
}

void tst_Telechargement::localFile()
{
    QFETCH(QByteArray, contenu);
    QFETCH(bool, ok);
    TestHome home;
    if (!contenu.isNull())
        QVERIFY(TestHome::writeFile(home.path("version.txt"), contenu));
    Essai essai;
    QVERIFY(essai.lancer(QUrl::fromLocalFile(home.path("version.txt")).toString(), home.path("copie/Delete_Me.txt")));
    QCOMPARE(essai.ok(), ok);
    QVERIFY(!essai.telechargement.enCours());
    if (ok) {
        QCOMPARE(essai.contenu(), contenu);
        QCOMPARE(TestHome::readFile(home.path("copie/Delete_Me.txt")), contenu);
    } else {
        QVERIFY(essai.contenu().isEmpty());
        QVERIFY(!QFileInfo::exists(home.path("copie/Delete_Me.txt")));
    }
}

void tst_Telechargement::plantedLinkIsReplaced()
{
    TestHome home;
    QVERIFY(TestHome::writeFile(home.path("version.txt"), "Version=9.1\r\n"));
    QVERIFY(TestHome::writeFile(home.path("victime.txt"), "précieux"));
    QVERIFY(QFile::link(home.path("victime.txt"), home.path("Delete_Me.txt")));
    Essai essai;
    QVERIFY(essai.lancer(QUrl::fromLocalFile(home.path("version.txt")).toString(), home.path("Delete_Me.txt")));
    QVERIFY(essai.ok());
    QCOMPARE(TestHome::readFile(home.path("victime.txt")), QByteArray("précieux"));
    QVERIFY(!QFileInfo(home.path("Delete_Me.txt")).isSymLink());
    QCOMPARE(TestHome::readFile(home.path("Delete_Me.txt")), QByteArray("Version=9.1\r\n"));
}

void tst_Telechargement::byNameThroughTheResolver()
{
    // The name is looked up by the program's resolver, the server reached by
    // address, and the request still names the host.
    TestHome home;
    ServeurLocal serveur([](const QByteArray&) { return reponseHttp("200 OK", "Version=9.1\r\n"); });
    QStringList demandes;
    setResolveurNoms([&demandes](const QString& hote) {
        demandes << hote;
        return QList<QHostAddress>{QHostAddress(QHostAddress::LocalHost)};
    });
    Essai essai;
    QVERIFY(essai.lancer(QStringLiteral("http://version.wavix.test:%1/physique/wavix/version_wavix.txt").arg(serveur.port()),
                         home.path("Delete_Me.txt")));
    QVERIFY(essai.ok());
    QCOMPARE(essai.contenu(), QByteArray("Version=9.1\r\n"));
    QCOMPARE(demandes, QStringList{"version.wavix.test"});
    QCOMPARE(serveur.requetes.size(), 1);
    QVERIFY(serveur.requetes[0].startsWith("GET /physique/wavix/version_wavix.txt HTTP/1.1\r\n"));
    QVERIFY2(serveur.requetes[0].contains("\r\nHost: version.wavix.test:" + QByteArray::number(serveur.port()) + "\r\n"),
             serveur.requetes[0].constData());

    // A name that resolves to nothing fails.
    setResolveurNoms([](const QString&) { return QList<QHostAddress>(); });
    Essai inconnu;
    QVERIFY(inconnu.lancer(QStringLiteral("http://inconnu.wavix.test:%1/v.txt").arg(serveur.port()), home.path("autre.txt")));
    QVERIFY(!inconnu.ok());
    QCOMPARE(serveur.requetes.size(), 1);
}

void tst_Telechargement::serverAnswers_data()
{
    QTest::addColumn<QByteArray>("reponse");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("contenu");
    QTest::newRow("200") << reponseHttp("200 OK", "Version=9.1") << true << QByteArray("Version=9.1");
    QTest::newRow("404") << reponseHttp("404 Not Found", "Version=9.1") << false << QByteArray();
    QTest::newRow("500") << reponseHttp("500 Internal Server Error", "") << false << QByteArray();
    QTest::newRow("huge body") << reponseHttp("200 OK", QByteArray(1 << 20, 'x')) << false << QByteArray();
    QTest::newRow("redirect on the same server")
        << QByteArray() << true << QByteArray("Version=9.2");
    QTest::newRow("redirect loop") << reponseHttp("302 Found", "", "Location: /boucle\r\n") << false << QByteArray();
    QTest::newRow("redirect to a local file")
        << reponseHttp("302 Found", "", "Location: file:///etc/hostname\r\n") << false << QByteArray();
}

void tst_Telechargement::serverAnswers()
{
    QFETCH(QByteArray, reponse);
    QFETCH(bool, ok);
    QFETCH(QByteArray, contenu);
    TestHome home;
    ServeurLocal serveur([reponse](const QByteArray& requete) {
        if (!reponse.isEmpty())
            return reponse;
        return requete.startsWith("GET /nouveau ") ? reponseHttp("200 OK", "Version=9.2")
                                                   : reponseHttp("301 Moved Permanently", "", "Location: /nouveau\r\n");
    });
    Essai essai;
    QVERIFY(essai.lancer(QStringLiteral("http://127.0.0.1:%1/version.txt").arg(serveur.port()), home.path("Delete_Me.txt")));
    QCOMPARE(essai.ok(), ok);
    QCOMPARE(essai.contenu(), contenu);
    QCOMPARE(QFileInfo::exists(home.path("Delete_Me.txt")), ok);
    QVERIFY(serveur.requetes.size() <= 4);
}

void tst_Telechargement::silentServerGivesUpInTime()
{
    // A server on this machine that takes the connection and never answers.
    TestHome home;
    QTcpServer muet;
    QVERIFY(muet.listen(QHostAddress::LocalHost));
    Essai essai(100);
    QVERIFY(essai.lancer(QStringLiteral("http://127.0.0.1:%1/physique/wavix/version_wavix.txt").arg(muet.serverPort()),
                         home.path("Delete_Me.txt")));
    QVERIFY(!essai.ok());
    QVERIFY(!QFileInfo::exists(home.path("Delete_Me.txt")));
}

void tst_Telechargement::lookupThatNeverReturns()
{
    TestHome home;
    // The lookup holds until the test lets it go, long after its download.
    auto bloque = std::make_shared<QSemaphore>();
    setResolveurNoms([bloque](const QString&) {
        bloque->acquire();
        return QList<QHostAddress>{QHostAddress(QHostAddress::LocalHost)};
    });
    {
        Essai essai(100);
        QVERIFY(essai.lancer(QStringLiteral("http://version.wavix.test/v.txt"), home.path("Delete_Me.txt")));
        QVERIFY(!essai.ok());
    }
    {
        // Abandoned while the lookup is pending: gone at once, and silent.
        auto abandonne = std::make_unique<TelechargementFichier>();
        QSignalSpy fin(abandonne.get(), &TelechargementFichier::fini);
        abandonne->TelechargerFichier(QStringLiteral("http://version.wavix.test/v.txt"), home.path("Delete_Me.txt"));
        QCoreApplication::processEvents();
        QVERIFY(abandonne->enCours());
        abandonne.reset();
    }
    bloque->release(2);
    QCoreApplication::processEvents();
    QVERIFY(!QFileInfo::exists(home.path("Delete_Me.txt")));
}

QTEST_MAIN(tst_Telechargement)
#include "tst_telechargement.moc"
