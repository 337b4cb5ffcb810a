#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

// The maker's site, shown when a newer version is published.
QString AdresseSiteEditeur();
// The published version file: one line "key=major.minor".
QString AdresseFichierVersion();
// Points the version check elsewhere (tests and benchmarks use a local file);
// an empty address restores the published one.
void setAdresseFichierVersion(const QString& adresse);

// How long a download may take, name lookup included, before it is given up.
constexpr int kDelaiTelechargementMs = 3000;
// The version file is one short line: anything longer is not one.
constexpr qint64 kTailleMaxFichierVersion = 4096;

// Turns a host name into addresses; it may block as long as it likes. It runs
// on a thread of its own that nothing ever waits for.
using ResolveurNoms = std::function<QList<QHostAddress>(const QString& hote)>;
// Replaces the system's resolver (tests and benchmarks); nullptr restores it.
void setResolveurNoms(ResolveurNoms resolveur);

// Writes the bytes as a regular file of the user's own, its folder created
// as needed, replacing whatever link stood at that path rather than writing
// through it. True when written.
bool EcrireCopieLocale(const QString& fichierLocal, const QByteArray& contenu);

// Downloads one small file in the background, always from the server (no
// cache): no nested event loop, a bounded time and size. Deleting it
// abandons the download at once; a pending name lookup is left behind
// without being waited for.
class TelechargementFichier final : public QObject {
    Q_OBJECT
public:
    explicit TelechargementFichier(QObject* parent = nullptr);
    ~TelechargementFichier() override;

    void setDelaiMs(int ms) { delaiMs_ = ms; }
    void setTailleMax(qint64 octets) { tailleMax_ = octets; }

    // Starts fetching the address into the local file. fini() follows once,
    // on this object's thread, never from within this call.
    void TelechargerFichier(const QString& adresse, const QString& fichierLocal);
    bool enCours() const { return enCours_; }

Q_SIGNALS:
    // ok: the whole file came within the time and size limits and was
    // written to the local file; contenu holds its bytes.
    void fini(bool ok, const QByteArray& contenu);

private:
    struct Recherche;

    void atteindre(const QUrl& adresse);
    void demarrerTransfert(const QUrl& adresse, const QString& hote);
    void adressesTrouvees(const QList<QHostAddress>& adresses);
    void donneesRecues();
    void transfertTermine();
    void terminer(bool ok);

    int delaiMs_ = kDelaiTelechargementMs;
    qint64 tailleMax_ = kTailleMaxFichierVersion;
    bool enCours_ = false;
    int redirections_ = 0;
    QString fichierLocal_;
    QByteArray recu_;
    QTimer limite_;
    QNetworkAccessManager* reseau_ = nullptr;
    QPointer<QNetworkReply> reponse_;
    std::shared_ptr<Recherche> recherche_;
};
