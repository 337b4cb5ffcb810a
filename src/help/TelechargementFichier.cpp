#include "help/TelechargementFichier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

#include <mutex>
#include <thread>

#include <netdb.h>
#include <sys/socket.h>

namespace {

const char kSite[] = "https://wavix.brelmar.fr";
// A server that keeps sending the client elsewhere is given up.
constexpr int kRedirectionsMax = 3;

QString& adresseRemplacee()
{
    static QString adresse;
    return adresse;
}

QList<QHostAddress> resoudreParLeSysteme(const QString& hote)
{
    QList<QHostAddress> adresses;
    addrinfo indications{};
    indications.ai_family = AF_UNSPEC;
    indications.ai_socktype = SOCK_STREAM;
    addrinfo* resultat = nullptr;
    if (getaddrinfo(QUrl::toAce(hote).constData(), nullptr, &indications, &resultat) != 0)
        return adresses;
    for (const addrinfo* a = resultat; a; a = a->ai_next) {
        const QHostAddress adresse(a->ai_addr);
        if (!adresse.isNull() && !adresses.contains(adresse))
            adresses.append(adresse);
    }
    freeaddrinfo(resultat);
    return adresses;
}

ResolveurNoms& resolveurCourant()
{
    static ResolveurNoms resolveur;
    return resolveur;
}

} // namespace

// A name lookup under way. Its thread hands the addresses back only while
// the download still wants them; the lock keeps the download alive meanwhile.
struct TelechargementFichier::Recherche {
    std::mutex verrou;
    TelechargementFichier* demandeur = nullptr; // null once abandoned
};

QString AdresseSiteEditeur()
{
    return QString::fromLatin1(kSite);
}

QString AdresseFichierVersion()
{
    if (!adresseRemplacee().isEmpty())
        return adresseRemplacee();
    return AdresseSiteEditeur() + QStringLiteral("/physique/wavix/version_wavix.txt");
}

void setAdresseFichierVersion(const QString& adresse)
{
    adresseRemplacee() = adresse;
}

void setResolveurNoms(ResolveurNoms resolveur)
{
    resolveurCourant() = std::move(resolveur);
}

bool EcrireCopieLocale(const QString& fichierLocal, const QByteArray& contenu)
{
    const QFileInfo existant(fichierLocal);
    if ((existant.isSymLink() || (existant.exists() && !existant.isFile())) && !QFile::remove(fichierLocal))
        return false;
    QDir().mkpath(existant.absolutePath());
    QSaveFile sortie(fichierLocal);
    if (!sortie.open(QIODevice::WriteOnly))
        return false;
    sortie.write(contenu);
    return sortie.commit();
}

TelechargementFichier::TelechargementFichier(QObject* parent) : QObject(parent)
{
    limite_.setSingleShot(true);
    connect(&limite_, &QTimer::timeout, this, [this] { terminer(false); });
}

TelechargementFichier::~TelechargementFichier()
{
    if (recherche_) {
        std::lock_guard<std::mutex> verrou(recherche_->verrou);
        recherche_->demandeur = nullptr;
    }
    if (reponse_) {
        reponse_->disconnect(this);
        reponse_->abort();
    }
}

void TelechargementFichier::TelechargerFichier(const QString& adresse, const QString& fichierLocal)
{
    if (enCours_)
        terminer(false);
    enCours_ = true;
    fichierLocal_ = fichierLocal;
    redirections_ = 0;
    limite_.start(delaiMs_);
    // Started from the event loop, so that fini() never comes from within this call.
    QMetaObject::invokeMethod(this, [this, url = QUrl(adresse)] { atteindre(url); }, Qt::QueuedConnection);
}

void TelechargementFichier::atteindre(const QUrl& adresse)
{
    if (!enCours_)
        return;
    const QString hote = adresse.host();
    if (hote.isEmpty() || !QHostAddress(hote).isNull()) {
        demarrerTransfert(adresse, QString());
        return;
    }
    // The name is looked up here rather than by the network access, whose
    // own lookup the program's exit would have to wait for.
    auto recherche = std::make_shared<Recherche>();
    recherche->demandeur = this;
    recherche_ = recherche;
    const ResolveurNoms resoudre = resolveurCourant() ? resolveurCourant() : ResolveurNoms(resoudreParLeSysteme);
    std::thread([recherche, resoudre, hote, adresse] {
        const QList<QHostAddress> adresses = resoudre(hote);
        std::lock_guard<std::mutex> verrou(recherche->verrou);
        TelechargementFichier* demandeur = recherche->demandeur;
        if (!demandeur)
            return;
        QMetaObject::invokeMethod(
            demandeur,
            [demandeur, recherche, adresses, adresse, hote] {
                if (demandeur->recherche_ != recherche || !demandeur->enCours_)
                    return;
                demandeur->recherche_.reset();
                if (adresses.isEmpty()) {
                    demandeur->terminer(false);
                    return;
                }
                QUrl directe(adresse);
                directe.setHost(adresses.first().toString());
                demandeur->demarrerTransfert(directe, hote);
            },
            Qt::QueuedConnection);
    }).detach();
}

void TelechargementFichier::demarrerTransfert(const QUrl& adresse, const QString& hote)
{
    if (!reseau_)
        reseau_ = new QNetworkAccessManager(this);
    QNetworkRequest request(adresse);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(delaiMs_);
    if (!hote.isEmpty()) {
        // Connected by address: the server and its certificate still see the name.
        const int port = adresse.port();
        request.setRawHeader("Host", (QUrl::toAce(hote) + (port >= 0 ? ':' + QByteArray::number(port) : QByteArray())));
        request.setPeerVerifyName(hote);
    }
    reponse_ = reseau_->get(request);
    reponse_->setProperty("hote", hote);
    connect(reponse_, &QNetworkReply::readyRead, this, &TelechargementFichier::donneesRecues);
    connect(reponse_, &QNetworkReply::finished, this, &TelechargementFichier::transfertTermine);
}

void TelechargementFichier::donneesRecues()
{
    if (!reponse_)
        return;
    // Never more than one byte past the limit is kept.
    recu_ += reponse_->read(tailleMax_ + 1 - recu_.size());
    if (recu_.size() > tailleMax_)
        terminer(false);
}

void TelechargementFichier::transfertTermine()
{
    if (!enCours_ || !reponse_)
        return;
    QNetworkReply* reponse = reponse_;
    const int status = reponse->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300 && status < 400) {
        const QUrl vers = reponse->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
        QUrl cible = reponse->url();
        const QString hote = reponse->property("hote").toString();
        if (!hote.isEmpty())
            cible.setHost(hote);
        cible = cible.resolved(vers);
        const bool moinsSur = reponse->url().scheme() == QLatin1String("https")
            && cible.scheme() != QLatin1String("https");
        if (vers.isEmpty() || moinsSur || ++redirections_ > kRedirectionsMax
            || (cible.scheme() != QLatin1String("http") && cible.scheme() != QLatin1String("https"))) {
            terminer(false);
            return;
        }
        reponse->disconnect(this);
        reponse->deleteLater();
        reponse_ = nullptr;
        recu_.clear();
        atteindre(cible);
        return;
    }
    donneesRecues();
    if (!enCours_)
        return;
    const bool ok = reponse->error() == QNetworkReply::NoError && (status == 0 || (status >= 200 && status < 300))
        && EcrireCopieLocale(fichierLocal_, recu_);
    terminer(ok);
}

void TelechargementFichier::terminer(bool ok)
{
    if (!enCours_)
        return;
    enCours_ = false;
    limite_.stop();
    if (recherche_) {
        std::lock_guard<std::mutex> verrou(recherche_->verrou);
        recherche_->demandeur = nullptr;
    }
    recherche_.reset();
    if (reponse_) {
        reponse_->disconnect(this);
        reponse_->abort();
        reponse_->deleteLater();
        reponse_ = nullptr;
    }
    const QByteArray contenu = ok ? recu_ : QByteArray();
    recu_.clear();
    Q_EMIT fini(ok, contenu);
}
