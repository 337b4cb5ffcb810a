#include "evaluation/frmNote.h"

#include "services/EtatBanc.h"
#include "evaluation/Resultats.h"
#include "platform/FormDesign.h"
#include "scope/CourbeWavix.h"

#include <QLabel>
#include <QMdiArea>
#include <QPushButton>

namespace {

const FormDesign kDesign{
    "",
    6255,
    4350,
    {
        {ControlKind::Label, "lblNote", -1, 240, 300, 5775, 690},
        {ControlKind::Frame, "Frame1", -1, 240, 1200, 5775, 2895, "Voulez-vous .... "},
        {ControlKind::Label, "Label1", -1, 360, 1680, 3495, 615, "... ouvrir un nouveau fichier de données ?        "},
        {ControlKind::Button, "cmdChoice", 0, 4080, 1620, 1575, 615, "&Fichier"},
        {ControlKind::Label, "Label3", -1, 360, 2580, 3495, 255, "...utiliser librement le wavixscope ?"},
        {ControlKind::Button, "cmdChoice", 1, 4080, 2400, 1575, 615, "&Mode libre"},
        {ControlKind::Label, "Label2", -1, 1080, 3360, 2775, 375, "... quitter l'application ?"},
        {ControlKind::Button, "cmdChoice", 2, 4080, 3180, 1575, 615, "&Quitter"},
    },
};

} // namespace

frmNote::frmNote() : VbForm(QString::fromLatin1(kNom), false)
{
    buildForm(this, kDesign);
    // Above every window, and no close box asked for: a choice is required.
    // A window manager that draws one anyway, and Escape, go back to free
    // mode, the way on when the window goes otherwise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setCancelAction([this] { cmdChoice_Click(ModeLibre); });
    QFont gras(QStringLiteral("Arial"));
    gras.setPointSizeF(9.75);
    gras.setBold(true);
    for (const char* nom : {"Label1", "Label2", "Label3"})
        control<QLabel>(this, nom)->setFont(gras);
    lblNote = control<QLabel>(this, "lblNote");
    QFont grand(QStringLiteral("Arial"));
    grand.setPointSizeF(14);
    grand.setBold(true);
    lblNote->setFont(grand);
    lblNote->setAlignment(Qt::AlignCenter);
    control<QWidget>(this, "Frame1")->lower();
    for (int i = 0; i < 3; ++i)
        connect(control<QPushButton>(this, "cmdChoice", i), &QPushButton::clicked, this, [this, i] { cmdChoice_Click(i); });
}

void frmNote::Form_Load()
{
    QMdiArea* zone = Forms().mdiArea();
    setWindowTitle(QStringLiteral("Wavix - Résultat pour le fichier ") + Banc().fichierExercice);
    if (zone) {
        // Beside the bench, under the answer window.
        const VbForm* scope = Forms().find(QStringLiteral("frmWavix"));
        const VbForm* boite = Forms().find(QStringLiteral("frmToolBox"));
        const VbForm* reponses = Forms().find(QStringLiteral("frmExo"));
        const double x = (scope ? scope->Width() : 0) + (boite ? boite->Width() : 0);
        const double y = (reponses ? reponses->Height() : 0) + 700;
        const QPoint ecran = zone->viewport()->mapToGlobal(QPoint(twipsToPixels(x), twipsToPixels(y)));
        Move(pixelsToTwips(ecran.x()), pixelsToTwips(ecran.y()));
        // On a narrow screen that place cuts off the choices: they must stay in reach.
        keepVisible();
    }
    // A run with nothing scored has no mark.
    if (Banc().scoreMaxExo <= 0) {
        lblNote->setText(QStringLiteral("Il n'y avait rien à noter."));
        return;
    }
    const double note = double(int64_t(Banc().scoreExo) * 20) / Banc().scoreMaxExo;
    lblNote->setText(QStringLiteral("Votre note est de : ") + NombreResultat(note, QStringLiteral("#0.0")) + QStringLiteral("/20"));
    EcrireResultats({LigneNote(note)});
}

void frmNote::Form_QueryUnload(bool& cancel, UnloadMode mode)
{
    if (mode == UnloadMode::CloseBox) {
        cancel = true;
        cmdChoice_Click(ModeLibre);
    }
}

void frmNote::cmdChoice_Click(int index)
{
    choix_ = index;
    Hide();
}
