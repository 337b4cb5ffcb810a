#include "app/MotDePasse.h"

#include "services/Dossiers.h"
#include "services/EtatProgramme.h"
#include "platform/Dialogs.h"
#include "platform/FormDesign.h"
#include "platform/PasswordHash.h"
#include "platform/SystemServices.h"
#include "platform/TextFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include <algorithm>

#include <sys/stat.h>

namespace {

QSettings reglages()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brelmar"), QStringLiteral("wavix"));
}

const QString kCle = QStringLiteral("Settings/Password");

// The lower-cased text, as every form of the stored password compares it.
QByteArray texteCompare(const QString& texte)
{
    return texte.toLower().toUtf8();
}

// "sha256$<salt>$<hash>", as passwords were kept before Argon2id.
bool ancienneEmpreinteCorrecte(const QStringList& parties, const QString& saisie)
{
    const QByteArray sel = QByteArray::fromHex(parties[1].toLatin1());
    return QCryptographicHash::hash(sel + texteCompare(saisie), QCryptographicHash::Sha256).toHex()
        == parties[2].toLatin1();
}

// The classroom's password file as the program finds it.
struct MotDePasseClasse {
    enum Etat { Pret, Vide, Illisible, Endommage, SansDossier } etat = SansDossier;
    QByteArray empreinte;
    QString fichier;
    uid_t professeur = 0;
};

constexpr qint64 kTailleMaxMotDePasse = 4096;

MotDePasseClasse lireMotDePasseClasse(const SalleDeClasse& salle)
{
    MotDePasseClasse m;
    m.fichier = salle.motDePasse;
    m.professeur = salle.professeur;
    if (m.fichier.isEmpty())
        return m;
    // The teacher's folder, where nobody else may put a file, in settings
    // folders that nobody can swap.
    const QString dossier = QFileInfo(m.fichier).path();
    const QString racine = QFileInfo(QFileInfo(QFileInfo(dossier).path()).path()).path();
    struct stat info {};
    if (VerifierDossierPartage(racine).etat != EtatDossierPartage::Pret
        || lstat(QFile::encodeName(dossier).constData(), &info) != 0 || !S_ISDIR(info.st_mode)
        || (info.st_mode & (S_IWGRP | S_IWOTH)) || fileOwner(dossier) != salle.professeur)
        return m;
    QByteArray octets;
    const FileStatus etat = readFileBytes(m.fichier, octets, kTailleMaxMotDePasse);
    m.empreinte = octets.trimmed();
    if (etat == FileStatus::Missing)
        m.etat = MotDePasseClasse::Vide;
    else if (etat != FileStatus::Ok || fileOwner(m.fichier) != salle.professeur)
        m.etat = MotDePasseClasse::Illisible;
    else if (m.empreinte.isEmpty())
        m.etat = MotDePasseClasse::Vide;
    else
        m.etat = isPasswordHash(m.empreinte) ? MotDePasseClasse::Pret : MotDePasseClasse::Endommage;
    return m;
}

QString messageMotDePasseClasse(const MotDePasseClasse& m)
{
    const QString professeur = accountName(m.professeur);
    const QString changer = QStringLiteral("par le menu Aide > « Changer le mot de passe »");
    const QString ferme = QStringLiteral("Les commandes du professeur restent fermées d'ici là.");
    switch (m.etat) {
    case MotDePasseClasse::Pret: return QString();
    case MotDePasseClasse::Vide:
        return QStringLiteral("Le mot de passe de la classe n'est pas encore choisi :\r\n") + m.fichier
            + QStringLiteral("\r\n\r\nLe professeur le choisit sur son compte (") + professeur + QStringLiteral("), ")
            + changer + QStringLiteral(". ") + ferme;
    case MotDePasseClasse::Illisible:
    case MotDePasseClasse::Endommage:
        return QStringLiteral("Le fichier du mot de passe de la classe ")
            + (m.etat == MotDePasseClasse::Illisible ? QStringLiteral("ne peut pas être lu")
                                                     : QStringLiteral("est endommagé"))
            + QStringLiteral(" :\r\n") + m.fichier
            + QStringLiteral("\r\n\r\nL'administrateur de l'ordinateur le remet à zéro avec la commande :\r\n")
            + CommandePreparation(professeur, QStringLiteral("--oublier-mot-de-passe"))
            + QStringLiteral("\r\npuis le professeur en choisit un nouveau sur son compte, ") + changer
            + QStringLiteral(". ") + ferme;
    case MotDePasseClasse::SansDossier: break;
    }
    return QStringLiteral("Le dossier du mot de passe de la classe n'est pas prêt :\r\n")
        + (m.fichier.isEmpty() ? QStringLiteral("(WAVIX_COMMON_APPDATA ne nomme aucun dossier)")
                               : QFileInfo(m.fichier).path())
        + QStringLiteral("\r\n\r\nL'administrateur de l'ordinateur le prépare avec la commande :\r\n")
        + CommandePreparation(professeur) + QStringLiteral("\r\n") + ferme;
}

const char kInfo[] = "Info : par défaut, le mot de passe est vide (pas de mot de passe). Il suffit donc de cliquer "
                     "sur le bouton Valider pour accéder. Pour modifier le mot de passe, aller dans le menu Aide > "
                     "\"Changer le mot de passe\".";

} // namespace

bool MotDePasseVide()
{
    // The classroom's password is never "none".
    if (SalleDeClasseActuelle())
        return false;
    return reglages().value(kCle).toString().isEmpty();
}

QString MotDePasseFerme()
{
    const std::optional<SalleDeClasse> salle = SalleDeClasseActuelle();
    return salle ? messageMotDePasseClasse(lireMotDePasseClasse(*salle)) : QString();
}

bool MotDePasseCorrect(const QString& saisie)
{
    if (const std::optional<SalleDeClasse> salle = SalleDeClasseActuelle()) {
        const MotDePasseClasse m = lireMotDePasseClasse(*salle);
        return m.etat == MotDePasseClasse::Pret && checkPassword(m.empreinte, texteCompare(saisie)) == PasswordCheck::Match;
    }
    const QString garde = reglages().value(kCle).toString();
    if (garde.isEmpty())
        return saisie.isEmpty();
    const QByteArray octets = garde.toUtf8();
    if (isPasswordHash(octets))
        return checkPassword(octets, texteCompare(saisie)) == PasswordCheck::Match;
    // An older value: "sha256$<salt>$<hash>", or the password itself, set
    // by hand or kept from an older install, compared as typed in lower
    // case so that it never locks the teacher out. Its first right entry
    // stores it again as Argon2id.
    const QStringList parties = garde.split(QLatin1Char('$'));
    const bool correct = parties.size() == 3 && parties[0] == QLatin1String("sha256")
        ? ancienneEmpreinteCorrecte(parties, saisie)
        : saisie.toLower() == garde.toLower();
    if (correct)
        EnregistrerMotDePasse(saisie);
    return correct;
}

bool EnregistrerMotDePasse(const QString& nouveau)
{
    if (const std::optional<SalleDeClasse> salle = SalleDeClasseActuelle()) {
        // Replaced whole by a file renamed over it, in the teacher's folder:
        // nobody else may write there.
        const std::optional<QByteArray> empreinte =
            nouveau.isEmpty() ? std::nullopt : hashPassword(texteCompare(nouveau));
        return empreinte && !salle->motDePasse.isEmpty()
            && replaceFileBytes(salle->motDePasse, *empreinte + "\n", kModeFichierPrive) == FileStatus::Ok;
    }
    QSettings s = reglages();
    const QVariant ancien = s.value(kCle);
    if (nouveau.isEmpty()) {
        s.setValue(kCle, QString());
    } else {
        const std::optional<QByteArray> empreinte = hashPassword(texteCompare(nouveau));
        if (!empreinte)
            return false;
        s.setValue(kCle, QString::fromLatin1(*empreinte));
    }
    s.sync();
    if (s.status() == QSettings::NoError)
        return true;
    // The program's copy of the settings goes back to what the disk holds.
    if (ancien.isValid())
        s.setValue(kCle, ancien);
    else
        s.remove(kCle);
    return false;
}

frmPass::frmPass() : VbForm(QString::fromLatin1(kNom), false)
{
    buildForm(this, FormDesign{"Mot de passe", 4800, 2310,
                               {
                                   {ControlKind::AutoSizeLabel, "lblPassWord", -1, 240, 240, 0, 0, "Saisir le mot de passe :"},
                                   {ControlKind::TextBox, "txtPassWord", -1, 240, 600, 4320, 315},
                                   {ControlKind::Button, "cmdOK", -1, 960, 1320, 1215, 405, "Valider"},
                                   {ControlKind::Button, "cmdQuit", -1, 2640, 1320, 1215, 405, "Annuler"},
                                   {ControlKind::Label, "lblInfo", -1, 240, 1860, 4320, 960, kInfo},
                               }});
    txtPassWord = control<QLineEdit>(this, "txtPassWord");
    txtPassWord->setEchoMode(QLineEdit::Password);
    auto* ok = control<QPushButton>(this, "cmdOK");
    auto* annuler = control<QPushButton>(this, "cmdQuit");
    setDefaultButton(ok);
    setCancelButton(annuler);
    connect(ok, &QPushButton::clicked, this, &frmPass::cmdOK_Click);
    connect(annuler, &QPushButton::clicked, this, &frmPass::cmdQuit_Click);
}

void frmPass::Form_Load()
{
    // Without a password the window is taller and shows how to set one. The
    // heights 2955 and 2310 are the outer ones: the title bar and the borders
    // of a fixed dialog take 375 of them.
    constexpr int kCadre = 375;
    auto* info = control<QLabel>(this, "lblInfo");
    const bool vide = MotDePasseVide();
    info->setVisible(vide);
    double hauteur = (vide ? 2955 : 2310) - kCadre;
    if (vide) {
        // The whole text, whatever the font.
        info->resize(info->width(), std::max(info->height(), info->heightForWidth(info->width())));
        hauteur = std::max(hauteur, twipsTop(info) + twipsHeight(info) + 120);
    }
    setFixedSize(width(), twipsToPixels(hauteur));
}

void frmPass::cmdOK_Click()
{
    if (MotDePasseCorrect(txtPassWord->text())) {
        Session().ModeProfesseur = true;
        Unload();
        return;
    }
    MsgBox(QStringLiteral("Le mot de passe saisi est faux.\r\nVeuillez le ressaisir."), vb::Information,
           QStringLiteral("Wavix - Mot de passe"));
}

frmPassWord::frmPassWord() : VbForm(QString::fromLatin1(kNom), false)
{
    buildForm(this, FormDesign{"Changer le mot de passe", 4800, 2580,
                               {
                                   {ControlKind::AutoSizeLabel, "lblPassWord", 0, 240, 300, 0, 0, "Ancien mot de passe :"},
                                   {ControlKind::TextBox, "txtPassWord", 0, 2640, 240, 1920, 315},
                                   {ControlKind::AutoSizeLabel, "lblPassWord", 1, 240, 780, 0, 0, "Nouveau mot de passe :"},
                                   {ControlKind::TextBox, "txtPassWord", 1, 2640, 720, 1920, 315},
                                   {ControlKind::AutoSizeLabel, "lblPassWord", 2, 240, 1260, 0, 0, "Confirmer le nouveau :"},
                                   {ControlKind::TextBox, "txtPassWord", 2, 2640, 1200, 1920, 315},
                                   {ControlKind::Button, "cmdOK", -1, 960, 1920, 1215, 405, "Valider"},
                                   {ControlKind::Button, "Command1", -1, 2640, 1920, 1215, 405, "Quitter"},
                                   {ControlKind::Label, "lblInfo", -1, 240, 2520, 4320, 600, "", "", false},
                               }});
    for (int i = 0; i < 3; ++i) {
        txtPassWord[i] = control<QLineEdit>(this, "txtPassWord", i);
        txtPassWord[i]->setEchoMode(QLineEdit::Password);
    }
    auto* ok = control<QPushButton>(this, "cmdOK");
    auto* quitter = control<QPushButton>(this, "Command1");
    setDefaultButton(ok);
    setCancelButton(quitter);
    connect(ok, &QPushButton::clicked, this, &frmPassWord::cmdOK_Click);
    connect(quitter, &QPushButton::clicked, this, &frmPassWord::Command1_Click);
}

namespace {

QString refusClasse(const SalleDeClasse& salle)
{
    return QStringLiteral("Seul le compte du professeur (") + accountName(salle.professeur)
        + QStringLiteral(") peut changer le mot de passe de la classe.");
}

} // namespace

void frmPassWord::Form_Load()
{
    const std::optional<SalleDeClasse> salle = SalleDeClasseActuelle();
    if (!salle || currentAccount() == salle->professeur)
        return;
    auto* info = control<QLabel>(this, "lblInfo");
    info->setText(refusClasse(*salle));
    info->setWordWrap(true);
    info->setVisible(true);
    for (QLineEdit* champ : txtPassWord)
        champ->setEnabled(false);
    control<QPushButton>(this, "cmdOK")->setEnabled(false);
    info->resize(info->width(), std::max(info->height(), info->heightForWidth(info->width())));
    setFixedSize(width(), twipsToPixels(twipsTop(info) + twipsHeight(info) + 120));
}

ChangementMotDePasse ChangerMotDePasse(const QString& ancien, const QString& nouveau, const QString& confirmation)
{
    // In the classroom, the teacher's account alone, and only from a file
    // that can be read (or none yet: then the old password is empty).
    const std::optional<SalleDeClasse> salle = SalleDeClasseActuelle();
    bool ancienJuste = false;
    if (salle) {
        if (currentAccount() != salle->professeur)
            return {false, refusClasse(*salle), vb::Exclamation};
        const MotDePasseClasse m = lireMotDePasseClasse(*salle);
        if (m.etat != MotDePasseClasse::Pret && m.etat != MotDePasseClasse::Vide)
            return {false, messageMotDePasseClasse(m), vb::Exclamation};
        ancienJuste = m.etat == MotDePasseClasse::Vide ? ancien.isEmpty() : MotDePasseCorrect(ancien);
    } else {
        ancienJuste = MotDePasseCorrect(ancien);
    }
    if (!ancienJuste)
        return {false, QStringLiteral("L'ancien mot de passe saisi est faux.\r\nVeuillez le ressaisir."), vb::Information};
    // Typed twice, so that a slip of the finger never locks the teacher out.
    if (nouveau != confirmation)
        return {false,
                QStringLiteral("Les deux saisies du nouveau mot de passe ne sont pas identiques.\r\nVeuillez les ressaisir."),
                vb::Information};
    if (salle && nouveau.isEmpty())
        return {false, QStringLiteral("Le mot de passe de la classe ne peut pas être vide."), vb::Information};
    if (!EnregistrerMotDePasse(nouveau))
        return {false,
                QStringLiteral("Le nouveau mot de passe n'a pas pu être enregistré : l'ancien reste valable.")
                    + (salle ? QStringLiteral("\r\n") + salle->motDePasse : QString()),
                vb::Critical};
    return {true, QStringLiteral("Le nouveau mot de passe a bien été enregistré."), vb::Information};
}

void frmPassWord::cmdOK_Click()
{
    const ChangementMotDePasse fait =
        ChangerMotDePasse(txtPassWord[0]->text(), txtPassWord[1]->text(), txtPassWord[2]->text());
    MsgBox(fait.message, fait.style, QStringLiteral("Wavix - Mot de passe"));
    if (fait.enregistre)
        Session().ModeProfesseur = false;
}
