#include "evaluation/Data.h"

#include "platform/TextFiles.h"
#include "scope/CourbeWavix.h"
#include "scope/Signaux.h"
#include "services/ModeleBanc.h"

#include <QFileInfo>

#include <array>
#include <cmath>
#include <tuple>

bool EstLigneDonnees(const QString& ligne)
{
    return !ligne.isEmpty() && !ligne.startsWith(QLatin1Char('\''));
}

void PointEnVirgule(QString& texte)
{
    const qsizetype point = texte.indexOf(QLatin1Char('.'));
    if (point >= 0)
        texte[point] = QLatin1Char(',');
}

std::array<QString, 6> DecouperChamps(const QString& ligne)
{
    std::array<QString, 6> champs;
    qsizetype precedente = 0; // one past the previous "/", as a 1-based position
    for (int i = 0; i < 6; ++i) {
        const qsizetype p = ligne.indexOf(QLatin1Char('/'), precedente); // 0-based
        if (p >= 0) {
            champs[size_t(i)] = ligne.mid(precedente, p - precedente).trimmed();
            precedente = p + 1;
        } else {
            champs[size_t(i)] = ligne.mid(precedente).trimmed();
            precedente = 0;
        }
    }
    return champs;
}

QString MotType(const QString& champ)
{
    QString mot = champ.toLower();
    bool debut = true;
    for (QChar& c : mot) {
        if (debut && c.isLetter())
            c = c.toUpper();
        debut = c.isSpace();
    }
    return mot;
}

bool EstTypeContinu(const QString& champ)
{
    const QString type = champ.trimmed();
    return type.isEmpty() || FormeDuMot(MotType(type)) == FormeOnde::Continu;
}

bool LireNombreVirgule(const QString& texte, double& valeur)
{
    QString t = texte.trimmed();
    if (t.isEmpty())
        return false;
    int virgules = 0, chiffres = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128)
            ++chiffres;
        else if (c == QLatin1Char(','))
            ++virgules;
        else if (!(i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'))))
            return false;
    }
    if (chiffres == 0 || virgules > 1)
        return false;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    valeur = t.toDouble(&ok);
    return ok && std::isfinite(valeur);
}

namespace {

bool lireVoie(const std::array<QString, 6>& champs, int voie, QString& signal, double& umax, double& freq,
              QString& erreur)
{
    const QString canal = voie == 0 ? QStringLiteral("CH1") : QStringLiteral("CH2");
    QString type = champs[size_t(3 * voie)];
    QString tension = champs[size_t(3 * voie + 1)];
    QString frequence = champs[size_t(3 * voie + 2)];
    PointEnVirgule(tension);
    PointEnVirgule(frequence);
    if (type.isEmpty())
        type = QStringLiteral("Cc");
    if (tension.isEmpty())
        tension = QStringLiteral("0");
    if (frequence.isEmpty())
        frequence = QStringLiteral("0");
    signal = MotType(type);
    const FormeOnde forme = FormeDuMot(signal);
    if (forme == FormeOnde::Aucune) {
        erreur = QStringLiteral("le type de signal de la voie %1 (« %2 ») est inconnu.").arg(canal, type);
        return false;
    }
    // The harmonic generator's word names no answer of the answer window.
    if (forme == FormeOnde::Harmo) {
        erreur = QStringLiteral("le type de signal de la voie %1 (« %2 ») ne peut pas être évalué.").arg(canal, type);
        return false;
    }
    const QString texteFrequence = champs[size_t(3 * voie + 2)];
    const QString texteTension = champs[size_t(3 * voie + 1)];
    if (!LireNombreVirgule(frequence, freq)) {
        erreur = QStringLiteral("la fréquence de la voie %1 (« %2 ») n'est pas un nombre.").arg(canal, texteFrequence);
        return false;
    }
    if (!LireNombreVirgule(tension, umax)) {
        erreur = QStringLiteral("la tension de la voie %1 (« %2 ») n'est pas un nombre.").arg(canal, texteTension);
        return false;
    }
    // What a school bench can show; a negative voltage is a reversed DC level.
    if (freq < 0) {
        erreur = QStringLiteral("la fréquence de la voie %1 (« %2 ») est négative.").arg(canal, texteFrequence);
        return false;
    }
    if (freq > kFrequenceMaxExo) {
        erreur = QStringLiteral("la fréquence de la voie %1 (« %2 ») dépasse 10 MHz.").arg(canal, texteFrequence);
        return false;
    }
    if (std::abs(umax) > kTensionMaxExo) {
        erreur = QStringLiteral("la tension de la voie %1 (« %2 ») dépasse 1000 V.").arg(canal, texteTension);
        return false;
    }
    if (forme == FormeOnde::Dyn) {
        // The alternator turns: its wave has a frequency.
        if (freq == 0) {
            erreur = QStringLiteral("la fréquence de l'alternateur de la voie %1 ne peut pas être nulle.").arg(canal);
            return false;
        }
        // The file gives the alternator wave's peak; the channel holds its
        // fundamental's amplitude.
        umax /= CreteDyn();
    }
    return true;
}

} // namespace

bool LireLigneExo(const QString& ligne, ImageExo& image, QString& erreur)
{
    const std::array<QString, 6> champs = DecouperChamps(ligne);
    return lireVoie(champs, 0, image.signalA, image.umaxA, image.freqA, erreur)
        && lireVoie(champs, 1, image.signalB, image.umaxB, image.freqB, erreur);
}

bool LireLignesExo(const QString& chemin, QStringList& lignes, QString& message)
{
    const QString titre = QFileInfo(chemin).fileName();
    QString texte;
    const FileStatus etat = readTextFile(chemin, texte, kTailleMaxExercice);
    if (etat == FileStatus::NotRegular || etat == FileStatus::TooLarge) {
        message = QStringLiteral("Le fichier d'exercices « %1 » %2 : il n'est pas lu.")
                      .arg(titre, frenchReason(etat, kTailleMaxExercice));
        return false;
    }
    if (etat != FileStatus::Ok) {
        message = QStringLiteral("Le fichier d'exercices « %1 » ne peut pas être lu.").arg(titre);
        return false;
    }
    lignes = splitLines(texte);
    return true;
}

bool ChargerFichierExo(const QString& chemin, FichierExo& fichier, QString& message)
{
    fichier = FichierExo();
    fichier.titre = QFileInfo(chemin).fileName();
    QStringList lignes;
    if (!LireLignesExo(chemin, lignes, message))
        return false;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (!EstLigneDonnees(lignes[i]))
            continue;
        ImageExo image;
        QString erreur;
        if (!LireLigneExo(lignes[i], image, erreur)) {
            message = QStringLiteral("Le fichier d'exercices « %1 » est endommagé.\r\nLigne %2 : %3")
                          .arg(fichier.titre, QString::number(i + 1), erreur);
            fichier.images.clear();
            return false;
        }
        if (fichier.images.size() >= 32767) {
            message = QStringLiteral("Le fichier d'exercices « %1 » a plus de 32767 wavixgrammes.").arg(fichier.titre);
            fichier.images.clear();
            return false;
        }
        fichier.images << image;
        fichier.lignes << int(i + 1);
    }
    return true;
}

void ChargerImageExo(const ImageExo& image)
{
    const std::array<std::tuple<QString, double, double>, 2> attendus = {
        std::tuple{image.signalA, image.freqA, image.umaxA}, std::tuple{image.signalB, image.freqB, image.umaxB}};
    int voie = 0;
    Modele().modifierVoie(kDeuxVoies, [&](EtatVoie& v) {
        std::tie(v.SignalExo, v.FreqExo, v.UmaxExo) = attendus[size_t(voie++)];
    });
}
