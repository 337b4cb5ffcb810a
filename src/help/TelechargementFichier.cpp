#include "help/TelechargementFichier.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace {

const char kSite[] = "https://wavix.brelmar.fr";

QString& adresseRemplacee()
{
    static QString adresse;
    return adresse;
}

} // namespace

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

bool TelechargerFichier(const QString& adresse, const QString& fichierLocal)
{
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(adresse)};
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(kDelaiTelechargementMs);

    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    limite.start(kDelaiTelechargementMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    bool ok = reply->error() == QNetworkReply::NoError;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 0 && (status < 200 || status >= 300))
        ok = false;
    const QByteArray contenu = ok ? reply->readAll() : QByteArray();
    reply->deleteLater();
    if (!ok)
        return false;

    QSaveFile sortie(fichierLocal);
    if (!sortie.open(QIODevice::WriteOnly))
        return false;
    sortie.write(contenu);
    return sortie.commit();
}
