#include "evaluation/frmName.h"

#include "services/EtatProgramme.h"
#include "platform/Dialogs.h"
#include "platform/FormDesign.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

const FormDesign kDesign{
    "Qui êtes-vous ?",
    4200,
    2940,
    {
        {ControlKind::AutoSizeLabel, "lblTitre", -1, 450, 150, 0, 0, "Identification de l'élève"},
        {ControlKind::Label, "lblName", -1, 450, 600, 2040, 390, "Votre nom : "},
        {ControlKind::TextBox, "txtIdent", 1, 1875, 600, 1815, 315, "", "Entrez ici votre nom."},
        {ControlKind::Label, "Label1", -1, 450, 975, 1965, 390, "Votre prénom : "},
        {ControlKind::TextBox, "txtIdent", 2, 1875, 975, 1815, 315, "", "Entrez ici votre prénom."},
        {ControlKind::Label, "lblClasse", -1, 450, 1350, 1440, 390, "Votre classe : "},
        {ControlKind::TextBox, "txtIdent", 3, 1875, 1350, 990, 315, "", "Entrez ici votre classe."},
        {ControlKind::Button, "cmdOK", -1, 300, 2220, 1095, 405, "&OK", "Cliquer ici pour commencer."},
        {ControlKind::Button, "cmdAnnul", -1, 1545, 2220, 1095, 405, "&Annuler"},
        {ControlKind::Button, "cmdEnd", -1, 2790, 2220, 1095, 405, "&Quitter"},
    },
};

} // namespace

frmName::frmName() : VbForm(QString::fromLatin1(kNom), false)
{
    buildForm(this, kDesign);
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, QColor(255, 255, 128));
    setPalette(fond);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(9.75);
    for (const char* nom : {"lblName", "Label1", "lblClasse"})
        control<QLabel>(this, nom)->setFont(arial);
    auto* ligne = new QFrame(this);
    ligne->setObjectName(QStringLiteral("Line1"));
    ligne->setFrameShape(QFrame::HLine);
    ligne->setFrameShadow(QFrame::Sunken);
    ligne->setGeometry(twipsToPixels(300), twipsToPixels(1890), twipsToPixels(3600), 3);
    for (int i = 1; i <= 3; ++i) {
        txtIdent[size_t(i)] = control<QLineEdit>(this, "txtIdent", i);
        txtIdent[size_t(i)]->installEventFilter(this);
    }
    auto* ok = control<QPushButton>(this, "cmdOK");
    auto* annuler = control<QPushButton>(this, "cmdAnnul");
    setDefaultButton(ok);
    setCancelButton(annuler);
    connect(ok, &QPushButton::clicked, this, &frmName::cmdOK_Click);
    connect(annuler, &QPushButton::clicked, this, &frmName::cmdAnnul_Click);
    connect(control<QPushButton>(this, "cmdEnd"), &QPushButton::clicked, this, &frmName::cmdEnd_Click);
}

void frmName::cmdOK_Click()
{
    txtIdent[1]->setToolTip(QStringLiteral("Entrer ici votre nom"));
    txtIdent[2]->setToolTip(QStringLiteral("Entrer ici votre prénom"));
    txtIdent[3]->setToolTip(QStringLiteral("Entrer ici votre classe"));
    control<QPushButton>(this, "cmdOK")->setToolTip(
        QStringLiteral("Pour ouvrir un fichier, une fois les nom, prénom et classe saisis"));
    control<QPushButton>(this, "cmdAnnul")->setToolTip(QStringLiteral("Pour revenir au mode libre"));
    control<QPushButton>(this, "cmdEnd")->setToolTip(QStringLiteral("Pour fermer le logiciel Wavix"));

    const QString questions[4] = {QString(), QStringLiteral("Quel est votre nom ?"),
                                  QStringLiteral("Quel est votre prénom ?"), QStringLiteral("Quelle est votre classe ?")};
    for (int i = 1; i <= 3; ++i) {
        if (txtIdent[size_t(i)]->text().isEmpty()) {
            MsgBox(questions[i], vb::Critical, QStringLiteral("Saisie incomplète"));
            txtIdent[size_t(i)]->setFocus();
            return;
        }
    }
    Hide();
}

void frmName::cmdAnnul_Click()
{
    Hide();
    for (int i = 1; i <= 3; ++i)
        txtIdent[size_t(i)]->clear();
}

void frmName::cmdEnd_Click()
{
    dialogs().beep();
    if (MsgBox(QStringLiteral("Voulez-vous quitter ce programme ?"), vb::SetForeground | vb::Question | vb::YesNo,
               QStringLiteral("Wavix"))
        != vb::Yes)
        return;
    FermerFichiers();
    Hide();
    TerminerProgramme()();
}

void frmName::Form_QueryUnload(bool& cancel, UnloadMode mode)
{
    // The close box gives up like "Annuler"; the identity window stays loaded.
    if (mode == UnloadMode::CloseBox) {
        cancel = true;
        cmdAnnul_Click();
    }
}

bool frmName::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        if (auto* boite = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, boite, &QLineEdit::selectAll);
    return VbForm::eventFilter(watched, event);
}

void frmName::showEvent(QShowEvent* event)
{
    VbForm::showEvent(event);
    txtIdent[1]->setFocus();
    txtIdent[1]->selectAll();
}
