#include "evaluation/frmCorbeille.h"

#include "app/EtatProgramme.h"
#include "help/AideF1.h"
#include "platform/Dialogs.h"
#include "platform/FormDesign.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>

namespace {

const FormDesign kDesign{
    "Supprimer un fichier",
    7800,
    4320,
    {
        {ControlKind::Label, "Label3", -1, 240, 240, 2880, 1500,
         "Cliquez dans la liste ci-contre sur tous les fichiers Wavix  que vous voulez supprimer."},
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
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* trait = control<QLabel>(this, "Line1");
    trait->setFrameShape(QFrame::HLine);
    trait->setFrameShadow(QFrame::Sunken);
    flbQVT = control<QListWidget>(this, "flbQVT");
    flbQVT->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* annuler = control<QPushButton>(this, "cmdCancel");
    setCancelButton(annuler);
    connect(control<QPushButton>(this, "cmdKill"), &QPushButton::clicked, this, &frmCorbeille::cmdKill_Click);
    connect(annuler, &QPushButton::clicked, this, &frmCorbeille::cmdCancel_Click);
    InstallerAideF1(this, kRubriqueAide);
}

void frmCorbeille::Form_Load()
{
    // The teacher's exercise files are where the editor saves them.
    dossier_ = DossierDonnees;
    lireDossier();
}

void frmCorbeille::lireDossier()
{
    flbQVT->clear();
    if (dossier_.isEmpty())
        return;
    const QStringList fichiers = QDir(dossier_).entryList({QStringLiteral("*.qvt")}, QDir::Files | QDir::Hidden,
                                                         QDir::Name | QDir::IgnoreCase);
    flbQVT->addItems(fichiers);
}

void frmCorbeille::cmdKill_Click()
{
    if (!flbQVT->currentItem()) {
        MsgBox(QStringLiteral("Aucun fichier n'est sélectionné"));
        flbQVT->setFocus();
        return;
    }
    // Qt's trash falls back on the current folder when the user's data
    // folder is missing: make it first, so the files go where the desktop
    // can restore them from.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QStringList echecs;
    for (int i = 0; i < flbQVT->count(); ++i) {
        const QListWidgetItem* item = flbQVT->item(i);
        if (!item->isSelected())
            continue;
        QFile fichier(dossier_ + item->text());
        if (!fichier.moveToTrash())
            echecs << item->text();
    }
    if (echecs.isEmpty()) {
        Unload();
        return;
    }
    MsgBox((echecs.size() == 1 ? QStringLiteral("Ce fichier n'a pas pu être jeté dans la corbeille :\r\n")
                               : QStringLiteral("Ces fichiers n'ont pas pu être jetés dans la corbeille :\r\n"))
               + echecs.join(QStringLiteral("\r\n")),
           vb::Exclamation);
    // What is left in the folder, after what did go.
    lireDossier();
}

void frmCorbeille::cmdCancel_Click()
{
    Unload();
}
