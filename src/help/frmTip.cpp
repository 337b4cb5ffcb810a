#include "help/frmTip.h"

#include "services/EtatProgramme.h"
#include "services/FichierINI.h"
#include "help/AideF1.h"
#include "platform/FormDesign.h"
#include "platform/SystemServices.h"
#include "platform/TextFiles.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kRubriqueAide = 1500;

const FormDesign kDesign{
    "Astuce du jour",
    6600,
    3450,
    {
        {ControlKind::Label, "Picture1", -1, 120, 120, 4575, 2655},
        {ControlKind::Label, "Label1", -1, 240, 240, 4335, 390, "Le saviez-vous..."},
        {ControlKind::Label, "lblTipText", -1, 240, 720, 4335, 1935},
        {ControlKind::Button, "cmdOK", -1, 4860, 120, 1620, 375, "OK"},
        {ControlKind::Button, "cmdNextTip", -1, 4860, 600, 1620, 375, "Astuce &suivante"},
        {ControlKind::CheckBox, "chkShowTipsAtStartup", -1, 120, 2940, 4575, 315,
         "Ne plus afficher les astuces au démarrage"},
    },
};

const char kFichierAstuces[] = "TipOfDayWavix.txt";

// A long folder path may break after each separator to fit the label.
QString cheminCoupable(QString chemin)
{
    return chemin.replace(QDir::separator(), QString(QDir::separator()) + QChar(0x200B));
}

} // namespace

frmTip::frmTip() : VbForm(QString::fromLatin1(kNom), false)
{
    buildForm(this, kDesign);
    auto* panneau = control<QLabel>(this, "Picture1");
    panneau->setAutoFillBackground(true);
    panneau->setStyleSheet(QStringLiteral("background: #fffbe6; border: 1px solid #a09a80;"));
    panneau->lower();
    auto* titre = control<QLabel>(this, "Label1");
    QFont gras = titre->font();
    gras.setBold(true);
    gras.setPointSizeF(gras.pointSizeF() * 1.2);
    titre->setFont(gras);
    auto* texte = control<QLabel>(this, "lblTipText");
    texte->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    // A tip is text as the file holds it, whoever wrote the file: never
    // markup, pictures or links.
    texte->setTextFormat(Qt::PlainText);
    auto* ok = control<QPushButton>(this, "cmdOK");
    setDefaultButton(ok);
    setCancelButton(ok);
    connect(ok, &QPushButton::clicked, this, &frmTip::cmdOK_Click);
    connect(control<QPushButton>(this, "cmdNextTip"), &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
    InstallerAideF1(this, kRubriqueAide);
}

void frmTip::Form_Load()
{
    QString valeur = LireINI(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), QString());
    if (valeur.isEmpty())
        valeur = QStringLiteral("1");
    control<QCheckBox>(this, "chkShowTipsAtStartup")->setChecked(valeur == QLatin1String("0"));
    NextRandomTip();
    const QString nom = QString::fromLatin1(kFichierAstuces);
    FileStatus etat = FileStatus::Ok;
    const bool lues = LoadTips(Session().DossierDonnees + nom, &etat);
    if (lues && tips_.isEmpty())
        control<QLabel>(this, "lblTipText")
            ->setText(QStringLiteral("Le fichier ") + nom + QStringLiteral(" ne contient encore aucune astuce.\n\n")
                      + QStringLiteral("Le professeur les y ajoute, une par ligne, par le menu Aide, "
                                       "« Rajouter une astuce »."));
    else if (!lues && (etat == FileStatus::NotRegular || etat == FileStatus::TooLarge))
        control<QLabel>(this, "lblTipText")
            ->setText(QStringLiteral("Le fichier ") + nom + QLatin1Char(' ') + frenchReason(etat, kTailleMaxAstuces)
                      + QStringLiteral(" : les astuces ne sont pas lues."));
    else if (etat != FileStatus::Ok)
        control<QLabel>(this, "lblTipText")
            ->setText(QStringLiteral("Le fichier ") + nom + QStringLiteral(" n'a pas été trouvé. ") + QStringLiteral("\n\n")
                      + QStringLiteral("Créez un fichier texte nommé ") + nom
                      + QStringLiteral(" avec un éditeur de texte, une astuce par ligne. ")
                      + QStringLiteral("Puis placez-le dans le dossier ")
                      + cheminCoupable(QDir::toNativeSeparators(QDir::cleanPath(Session().DossierDonnees))) + QStringLiteral("."));
}

bool frmTip::LoadTips(const QString& chemin, FileStatus* etat)
{
    QString texte;
    const FileStatus lu = chemin.isEmpty() ? FileStatus::Missing : readTextFile(chemin, texte, kTailleMaxAstuces);
    if (etat)
        *etat = lu;
    if (lu != FileStatus::Ok)
        return false;
    // A blank line is no tip.
    for (const QString& ligne : splitLines(texte))
        if (!ligne.trimmed().isEmpty())
            tips_ << ligne;
    NextRandomTip();
    return true;
}

void frmTip::NextRandomTip()
{
    if (!tips_.isEmpty())
        currentTip_ = int(std::min(qsizetype(randomUnit() * double(tips_.size())), tips_.size() - 1)) + 1;
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (tips_.isEmpty())
        return;
    control<QLabel>(this, "lblTipText")->setText(tips_.at(currentTip_ - 1));
}

void frmTip::Form_Unload(bool&)
{
    const bool coche = control<QCheckBox>(this, "chkShowTipsAtStartup")->isChecked();
    EcrireINI(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"),
              coche ? QStringLiteral("0") : QStringLiteral("1"));
}
