#include "app/MotDePasse.h"

#include "services/EtatProgramme.h"
#include "platform/Dialogs.h"
#include "platform/FormDesign.h"
#include "platform/PasswordHash.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include <algorithm>

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

const char kInfo[] = "Info : par défaut, le mot de passe est vide (pas de mot de passe). Il suffit donc de cliquer "
                     "sur le bouton Valider pour accéder. Pour modifier le mot de passe, aller dans le menu Aide > "
                     "\"Changer le mot de passe\".";

} // namespace

bool MotDePasseVide()
{
    return reglages().value(kCle).toString().isEmpty();
}

bool MotDePasseCorrect(const QString& saisie)
{
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
        ModeProfesseur = true;
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

void frmPassWord::cmdOK_Click()
{
    if (!MotDePasseCorrect(txtPassWord[0]->text())) {
        MsgBox(QStringLiteral("L'ancien mot de passe saisi est faux.\r\nVeuillez le ressaisir."), vb::Information,
               QStringLiteral("Wavix - Mot de passe"));
        return;
    }
    // Typed twice, so that a slip of the finger never locks the teacher out.
    if (txtPassWord[1]->text() != txtPassWord[2]->text()) {
        MsgBox(QStringLiteral("Les deux saisies du nouveau mot de passe ne sont pas identiques.\r\nVeuillez les ressaisir."),
               vb::Information, QStringLiteral("Wavix - Mot de passe"));
        return;
    }
    if (!EnregistrerMotDePasse(txtPassWord[1]->text())) {
        MsgBox(QStringLiteral("Le nouveau mot de passe n'a pas pu être enregistré : l'ancien reste valable."),
               vb::Critical, QStringLiteral("Wavix - Mot de passe"));
        return;
    }
    MsgBox(QStringLiteral("Le nouveau mot de passe a bien été enregistré."), vb::Information,
           QStringLiteral("Wavix - Mot de passe"));
    ModeProfesseur = false;
}
