#include "evaluation/frmDepot.h"

#include "services/Dossiers.h"
#include "services/EtatProgramme.h"
#include "platform/Dialogs.h"
#include "platform/FormDesign.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const FormDesign kDesign{
    "Wavix - Réseau",
    0,
    0,
    {
        {ControlKind::AutoSizeLabel, "lblInfo", -1, 240, 240},
        {ControlKind::AutoSizeLabel, "lblTexte", -1, 240, 0, 0, 0, "Nom du dossier : "},
        {ControlKind::TextBox, "txtDepot", -1, 0, 0, 2400, 315},
        {ControlKind::Button, "cmdOK", -1, 0, 0, 1215, 375, "OK"},
    },
};

const char kInfo[] = "Pour une utilisation en réseau, vous avez créé\r\n"
                     "au préalable un répertoire sans droit pour les élèves.\r\n"
                     "\r\n"
                     "Par défaut, ce répertoire a pour nom 'Dépôt'\r\n"
                     "Si vous souhaitez le changer, saisissez le nouveau nom\r\n"
                     "dans la zone de texte ci-dessous.";

} // namespace

frmDepot::frmDepot() : VbForm(QString::fromLatin1(kNom), false)
{
    buildForm(this, kDesign);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    auto* ok = control<QPushButton>(this, "cmdOK");
    setDefaultButton(ok);
    // No cancel button: Escape closes the window, which hands the name over
    // without the emptiness test.
    setCancelAction([this] { close(); });
    connect(ok, &QPushButton::clicked, this, &frmDepot::cmdOK_Click);
}

void frmDepot::Form_Load()
{
    auto* info = control<QLabel>(this, "lblInfo");
    auto* texte = control<QLabel>(this, "lblTexte");
    auto* depot = control<QLineEdit>(this, "txtDepot");
    auto* ok = control<QPushButton>(this, "cmdOK");

    info->setText(QString::fromUtf8(kInfo).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    info->adjustSize();
    placeTwips(info, 240, twipsTop(info));
    placeTwips(texte, twipsLeft(texte), twipsTop(info) + twipsHeight(info) + 400);
    placeTwips(depot, twipsLeft(texte) + twipsWidth(texte) + 100,
               twipsTop(texte) + twipsHeight(texte) / 2 - twipsHeight(depot) / 2);
    const double largeur = qMax(twipsLeft(info) + twipsWidth(info), twipsLeft(depot) + twipsWidth(depot)) + 240;
    placeTwips(ok, (largeur - twipsWidth(ok)) / 2, twipsTop(depot) + twipsHeight(depot) + 400);
    setFixedSize(twipsToPixels(largeur), twipsToPixels(twipsTop(ok) + twipsHeight(ok) + 800));

    depot->setText(QStringLiteral("Dépôt"));
}

void frmDepot::cmdOK_Click()
{
    auto* depot = control<QLineEdit>(this, "txtDepot");
    // One folder name under the base folder: results never go elsewhere.
    if (!NomDepotValide(depot->text())) {
        MsgBox(QStringLiteral("Veuillez saisir un nom valide"), vb::Critical, QStringLiteral("Wavix - Erreur"));
        depot->setFocus();
        return;
    }
    Unload();
}

void frmDepot::Form_Unload(bool&)
{
    Session().DossierDepot = control<QLineEdit>(this, "txtDepot")->text();
}
