#include "evaluation/frmCorbeille.h"

#include "services/EtatProgramme.h"
#include "help/AideF1.h"
#include "platform/Dialogs.h"
#include "platform/FormDesign.h"
#include "platform/Trash.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

const FormDesign kDesign{
    "Supprimer un fichier",
    7800,
    4320,
    {
        {ControlKind::Label, "Label3", -1, 240, 240, 2880, 1500,
         "Cliquez dans la liste ci-contre sur tous les fichiers Wavix que vous voulez supprimer."},
        {ControlKind::ListBox, "flbQVT", -1, 3360, 240, 4200, 2400},
        {ControlKind::Button, "cmdKill", -1, 240, 1920, 1335, 420, "Supprimer"},
        {ControlKind::Button, "cmdCancel", -1, 1785, 1920, 1335, 420, "Annuler"},
        {ControlKind::Label, "Line1", -1, 240, 2880, 7320, 30},
        {ControlKind::Label, "Label1", -1, 240, 3060, 7320, 1020,
         "Nota : Les fichiers supprimés seront jetés dans la corbeille. Il sera donc toujours possible "
         "d'aller les récupérer à partir du gestionnaire de fichiers."},
    },
};

constexpr int kRubriqueAide = 1000;

} // namespace

frmCorbeille::frmCorbeille() : VbForm(QString::fromLatin1(kNom), false)
{
    buildForm(this, kDesign);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* trait = control<QLabel>(this, "Line1");
    trait->setFrameShape(QFrame::HLine);
    trait->setFrameShadow(QFrame::Sunken);
    flbQVT = control<QListWidget>(this, "flbQVT");
    flbQVT->setSelectionMode(QAbstractItemView::MultiSelection);
    connect(flbQVT, &QListWidget::itemSelectionChanged, this, [this] { choixFait_ = true; });
    auto* annuler = control<QPushButton>(this, "cmdCancel");
    setCancelButton(annuler);
    connect(control<QPushButton>(this, "cmdKill"), &QPushButton::clicked, this, &frmCorbeille::cmdKill_Click);
    connect(annuler, &QPushButton::clicked, this, &frmCorbeille::cmdCancel_Click);
    InstallerAideF1(this, kRubriqueAide);
}

void frmCorbeille::Form_Load()
{
    // The teacher's exercise files are where the editor saves them.
    dossier_ = Session().DossierDonnees;
    lireDossier();
}

void frmCorbeille::lireDossier()
{
    flbQVT->clear();
    choixFait_ = false;
    if (dossier_.isEmpty())
        return;
    const QStringList fichiers = QDir(dossier_).entryList({QStringLiteral("*.qvt")}, QDir::Files | QDir::Hidden,
                                                         QDir::Name | QDir::IgnoreCase);
    flbQVT->addItems(fichiers);
}

QString frmCorbeille::raisonRefus(const TrashResult& refus)
{
    switch (refus.status) {
    case TrashResult::Missing: return QStringLiteral("il n'est plus dans le dossier");
    case TrashResult::Foreign:
        return QStringLiteral("la corbeille ") + refus.trashFolder
            + QStringLiteral(" n'appartient pas à votre compte ou reste ouverte aux autres comptes");
    case TrashResult::NotAFolder:
        return QStringLiteral("un fichier qui n'est pas un dossier occupe la place de la corbeille ")
            + refus.trashFolder + QStringLiteral(" : déplacez-le ou renommez-le");
    case TrashResult::Unavailable:
        return QStringLiteral("la corbeille du bureau ne peut pas être utilisée pour ce fichier")
            + (refus.trashFolder.isEmpty() ? QString() : QStringLiteral(" (") + refus.trashFolder + QLatin1Char(')'));
    default: return QStringLiteral("il n'a pas pu être déplacé");
    }
}

void frmCorbeille::cmdKill_Click()
{
    // A file must have been clicked and be chosen still: the list's first
    // file, made current when the list takes the focus, is no choice, and a
    // second click on a file takes it back.
    if (!choixFait_ || flbQVT->selectedItems().isEmpty()) {
        MsgBox(QStringLiteral("Aucun fichier n'est sélectionné"));
        flbQVT->setFocus();
        return;
    }
    bool refus = false;
    for (int i = 0; i < flbQVT->count(); ++i) {
        const QListWidgetItem* item = flbQVT->item(i);
        if (!item->isSelected())
            continue;
        const QString nom = item->text();
        if (MsgBox(QStringLiteral("Voulez-vous vraiment jeter le fichier « ") + nom
                       + QStringLiteral(" » dans la corbeille ?"),
                   vb::Question | vb::YesNo, QStringLiteral("Supprimer le fichier"))
            != vb::Yes)
            continue;
        const TrashResult jete = moveToOwnTrash(dossier_ + nom);
        if (jete.status == TrashResult::Ok)
            continue;
        refus = true;
        MsgBox(QStringLiteral("Le fichier « ") + nom + QStringLiteral(" » n'a pas été jeté dans la corbeille : ")
                   + raisonRefus(jete) + QStringLiteral(".\r\nIl reste dans le dossier ") + dossier_,
               vb::Exclamation);
    }
    if (!refus) {
        Unload();
        return;
    }
    // What is left in the folder, after what did go.
    lireDossier();
}

void frmCorbeille::cmdCancel_Click()
{
    Unload();
}
