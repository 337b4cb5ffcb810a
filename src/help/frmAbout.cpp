#include "help/frmAbout.h"

#include "services/Version.h"
#include "help/AideF1.h"
#include "platform/Dialogs.h"
#include "platform/FormDesign.h"
#include "platform/SystemServices.h"
#include "scope/frmWavix.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>

namespace {

constexpr int kRubriqueAide = 1500;
const char kTitreApplication[] = "Wavix";

const FormDesign kDesign{
    "",
    7080,
    4800,
    {
        {ControlKind::Image, "Image1", -1, 240, 240, 720, 720, ":/app/wavix.svg"},
        {ControlKind::Label, "lblTitle", -1, 1200, 240, 5640, 480},
        {ControlKind::Label, "lblVersion", -1, 1200, 780, 5640, 300},
        {ControlKind::Label, "lblDescription", -1, 1200, 1140, 5640, 720,
         "Description de l'application : cette application permet de s'entraîner à l'utilisation d'un wavixscope "
         "bicourbe couplé à un ou deux générateurs."},
        {ControlKind::Label, "lblAutor", -1, 1200, 1920, 5640, 300, "Conception et programmation : l'équipe Wavix"},
        {ControlKind::Label, "lblContributeurs", -1, 1200, 2220, 5640, 480,
         "Avec les idées et les essais des professeurs de physique et de leurs élèves."},
        {ControlKind::Label, "Line1", -1, 240, 2820, 6600, 15},
        {ControlKind::Label, "lblDisclaimer", -1, 240, 2940, 4800, 1620},
        {ControlKind::Button, "cmdOK", -1, 5280, 3000, 1560, 375, "OK"},
        {ControlKind::Button, "cmdSysInfo", -1, 5280, 3480, 1560, 375, "&Infos système..."},
    },
};

} // namespace

QStringList& ProgrammesInfosSysteme()
{
    static QStringList noms = {QStringLiteral("hardinfo"), QStringLiteral("gnome-system-monitor"),
                               QStringLiteral("kinfocenter")};
    return noms;
}

frmAbout::frmAbout() : VbForm(QString::fromLatin1(kNom), false)
{
    buildForm(this, kDesign);
    auto* titre = control<QLabel>(this, "lblTitle");
    QFont gras = titre->font();
    gras.setBold(true);
    gras.setPointSizeF(gras.pointSizeF() * 1.6);
    titre->setFont(gras);
    for (const char* nom : {"lblDescription", "lblContributeurs", "lblDisclaimer"}) {
        auto* texte = control<QLabel>(this, nom);
        texte->setWordWrap(true);
        texte->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    }
    auto* ligne = control<QLabel>(this, "Line1");
    ligne->setFrameShape(QFrame::HLine);
    ligne->setFrameShadow(QFrame::Sunken);
    auto* ok = control<QPushButton>(this, "cmdOK");
    setDefaultButton(ok);
    setCancelButton(ok);
    connect(ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(control<QPushButton>(this, "cmdSysInfo"), &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    InstallerAideF1(this, kRubriqueAide);
}

void frmAbout::Form_Load()
{
    const QString titre = QString::fromLatin1(kTitreApplication);
    setWindowTitle(QStringLiteral("À propos de ") + titre);
    control<QLabel>(this, "lblTitle")->setText(titre);
    control<QLabel>(this, "lblVersion")
        ->setText(QStringLiteral("Version %1.%2.%3").arg(kVersionMajeure).arg(kVersionMineure).arg(kVersionRevision));
    control<QLabel>(this, "lblDisclaimer")
        ->setText(QStringLiteral("Avertissement : ce logiciel est un outil d'entraînement. Il simule des appareils "
                                 "de mesure et des sources ; il ne remplace ni les appareils réels, ni les consignes "
                                 "de sécurité du laboratoire.\n"
                                 "Il est fourni tel quel, sans garantie d'aucune sorte. Sa copie et sa distribution "
                                 "sont libres dans les établissements d'enseignement."));
}

void frmAbout::cmdOK_Click()
{
    Unload();
    Forms().get<frmWavix>()->Show();
}

void frmAbout::StartSysInfo()
{
    const QString programme = firstInstalledProgram(ProgrammesInfosSysteme());
    if (programme.isEmpty() || !QProcess::startDetached(programme, {}))
        MsgBox(QStringLiteral("Les informations système ne sont pas disponibles actuellement"), vb::OKOnly,
               QString::fromLatin1(kTitreApplication));
}
