#include "evaluation/frmExo.h"

#include "services/EtatProgramme.h"
#include "services/ModeleBanc.h"
#include "services/PositionFenetre.h"
#include "evaluation/Data.h"
#include "evaluation/Evaluation.h"
#include "evaluation/Notation.h"
#include "evaluation/Resultats.h"
#include "platform/Dialogs.h"
#include "platform/FormDesign.h"
#include "platform/ImageBox.h"
#include "scope/CourbeWavix.h"
#include "scope/frmWavix.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const char kBulleSignal[] = "Choisir dans la liste déroulante le type de signal";
const char kBulleTension[] = "Entrer ici la valeur de la tension en volt";
const char kBulleFrequence[] = "Entrer ici la valeur de la fréquence en hertz";
const char kLumiereEteinte[] = ":/evaluation/light_off.svg";
const char kLumiereAllumee[] = ":/evaluation/light_on.svg";

// Each channel's frame holds the same controls at the same places.
std::vector<ControlDesign> voie(int v)
{
    const int x = v == 0 ? 60 : 3900;
    const int y = 540;
    const int r = 4 * v; // first correction label of the channel
    std::vector<ControlDesign> c = {
        {ControlKind::Frame, "fraVoie", v, x, y, 3735, 2355, v == 0 ? "Voie CH1" : "Voie CH2"},
        {ControlKind::OptionButton, v == 0 ? "optACDCa" : "optACDCb", 0, x + 120, y + 300, 1860, 255, "Tension continue"},
        {ControlKind::OptionButton, v == 0 ? "optACDCa" : "optACDCb", 1, x + 120, y + 660, 1980, 255, "Tension alternative"},
        {ControlKind::ComboBox, "cmbSignal", v, x + 660, y + 960, 1515, 315, "", kBulleSignal},
        // The boxes leave their labels the room of the whole text.
        {ControlKind::Label, "lblUmax", v, x + 120, y + 1500, 2010, 195, "Tension maximale (en V) : "},
        {ControlKind::TextBox, "txtUmax", v, x + 2145, y + 1380, 675, 375, "0", kBulleTension},
        {ControlKind::Label, "lblFreq", v, x + 120, y + 1980, 2010, 195, "Fréquence (en Hz) : "},
        {ControlKind::TextBox, "txtFreq", v, x + 2145, y + 1860, 675, 375, "0", kBulleFrequence},
        {ControlKind::Label, "lblReponse", r, x + 1860, y + 480, 1800, 195},
        {ControlKind::Label, "lblReponse", r + 1, x + 2220, y + 1020, 1440, 195},
        {ControlKind::Label, "lblReponse", r + 2, x + 2865, y + 1440, 855, 195},
        {ControlKind::Label, "lblReponse", r + 3, x + 2865, y + 1920, 855, 195},
    };
    return c;
}

FormDesign design()
{
    FormDesign d{"", 7725, 4035,
                 {
                     {ControlKind::Label, "Label1", -1, 780, 120, 6165, 300, "Saisissez les caractéristiques des wavixgrammes :"},
                     {ControlKind::Button, "cmdNext", -1, 120, 3120, 1395, 735, "Validation des\r\nréglages",
                      "Valider une fois toutes les valeurs saisies"},
                     {ControlKind::Button, "cmdNextWavix", -1, 1680, 3120, 1395, 735, "Wavixgrammes\r\nsuivants",
                      "Pour afficher les wavixgrammes suivants"},
                     {ControlKind::Image, "imgLight", -1, 3240, 3180, 480, 480, kLumiereEteinte},
                     {ControlKind::Label, "lblInfoScore", -1, 3900, 3300, 945, 300, "Score : "},
                     {ControlKind::Label, "lblScore", -1, 4800, 3360, 2800, 240, "0", "1 point par bonne réponse"},
                 }};
    for (int v = 0; v < 2; ++v)
        for (const ControlDesign& c : voie(v))
            d.controls.push_back(c);
    return d;
}

QFont police(double taille, bool gras)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(taille);
    f.setBold(gras);
    return f;
}

} // namespace

frmExo::frmExo() : VbForm(QString::fromLatin1(kNom))
{
    // Closing it would strand the run without its mark: the run ends it.
    setClosable(false);
    usePanelFont();
    buildForm(this, design());
    for (int v = 0; v < 2; ++v) {
        const char* groupe = v == 0 ? "optACDCa" : "optACDCb";
        optContinu[size_t(v)] = control<QRadioButton>(this, groupe, 0);
        optAlternatif[size_t(v)] = control<QRadioButton>(this, groupe, 1);
        auto* choix = new QButtonGroup(this);
        choix->addButton(optContinu[size_t(v)]);
        choix->addButton(optAlternatif[size_t(v)]);
        optContinu[size_t(v)]->setChecked(true);
        cmbSignal[size_t(v)] = control<QComboBox>(this, "cmbSignal", v);
        cmbSignal[size_t(v)]->addItems({QStringLiteral("Sinusoïdale"), QStringLiteral("Carrée"),
                                        QStringLiteral("Triangulaire"), QStringLiteral("Alternateur vélo")});
        txtUmax[size_t(v)] = control<QLineEdit>(this, "txtUmax", v);
        txtFreq[size_t(v)] = control<QLineEdit>(this, "txtFreq", v);
        for (QLineEdit* boite : {txtUmax[size_t(v)], txtFreq[size_t(v)]})
            boite->installEventFilter(this);
        for (QRadioButton* b : {optContinu[size_t(v)], optAlternatif[size_t(v)]})
            connect(b, &QRadioButton::toggled, this, [this, v](bool coche) {
                if (coche)
                    optACDC_Click(v);
            });
        control<QWidget>(this, "fraVoie", v)->lower();
        control<QLabel>(this, "lblUmax", v)->setWordWrap(false);
        control<QLabel>(this, "lblFreq", v)->setWordWrap(false);
    }
    for (int i = 0; i < 8; ++i) {
        lblReponse[size_t(i)] = control<QLabel>(this, "lblReponse", i);
        lblReponse[size_t(i)]->setFont(police(8.25, true));
        lblReponse[size_t(i)]->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
        lblReponse[size_t(i)]->setWordWrap(false);
        lblReponse[size_t(i)]->hide();
    }
    control<QLabel>(this, "Label1")->setFont(police(12, true));
    control<QLabel>(this, "lblInfoScore")->setFont(police(12, true));
    cmdNext = control<QPushButton>(this, "cmdNext");
    cmdNextWavix = control<QPushButton>(this, "cmdNextWavix");
    imgLight = control<ImageBox>(this, "imgLight");
    lblScore = control<QLabel>(this, "lblScore");
    lblScore->setFont(police(9.75, true));
    connect(cmdNext, &QPushButton::clicked, this, &frmExo::cmdNext_Click);
    connect(cmdNextWavix, &QPushButton::clicked, this, &frmExo::cmdNextWavix_Click);
}

void frmExo::Form_Load()
{
    // Where the student last left it; at first below the scope, which
    // leaves the scope's front panel free.
    if (const VbForm* scope = Forms().find(QStringLiteral("frmWavix")))
        RestaurerPosition(this, QStringLiteral("Exo"), scope->Left(), scope->Top() + scope->Height());
    imgLight->setPicture(QString::fromLatin1(kLumiereEteinte));
    auto* info = control<QLabel>(this, "lblInfoScore");
    info->adjustSize();
    lblScore->move(lblScore->x(), info->y() + info->height() - lblScore->height());
    for (int v = 0; v < 2; ++v) {
        cmbSignal[size_t(v)]->setCurrentIndex(0);
        cmbSignal[size_t(v)]->setEnabled(false);
        txtUmax[size_t(v)]->setEnabled(true);
        txtUmax[size_t(v)]->setText(QStringLiteral("0"));
        txtFreq[size_t(v)]->setText(QStringLiteral("0"));
        txtFreq[size_t(v)]->setEnabled(false);
    }
    lblScore->setText(QStringLiteral("0"));
}

void frmExo::Form_Unload(bool&)
{
    EnregistrerPosition(this, QStringLiteral("Exo"));
}

QList<QLineEdit*> frmExo::boites() const
{
    return {txtUmax[0], txtFreq[0], txtUmax[1], txtFreq[1]};
}

void frmExo::preparer(const QString& legende)
{
    imgLight->setPicture(QString::fromLatin1(kLumiereEteinte));
    cmdNext->setEnabled(true);
    cmdNextWavix->setEnabled(false);
    saisieActivee(true);
    for (QLabel* l : lblReponse)
        l->hide();
    for (QLineEdit* boite : boites())
        boite->setText(QStringLiteral("0"));
    setWindowTitle(legende);
}

void frmExo::saisieActivee(bool active)
{
    for (int v = 0; v < 2; ++v) {
        optContinu[size_t(v)]->setEnabled(active);
        optAlternatif[size_t(v)]->setEnabled(active);
        const bool alternatif = active && optAlternatif[size_t(v)]->isChecked();
        cmbSignal[size_t(v)]->setEnabled(alternatif);
        txtFreq[size_t(v)]->setEnabled(alternatif);
        txtUmax[size_t(v)]->setEnabled(active);
    }
}

void frmExo::optACDC_Click(int voie)
{
    const bool alternatif = optAlternatif[size_t(voie)]->isChecked();
    cmbSignal[size_t(voie)]->setEnabled(alternatif);
    txtFreq[size_t(voie)]->setEnabled(alternatif);
}

bool frmExo::eventFilter(QObject* watched, QEvent* event)
{
    auto* boite = qobject_cast<QLineEdit*>(watched);
    if (!boite)
        return VbForm::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Only digits and commas; a point is a comma.
        auto* touche = static_cast<QKeyEvent*>(event);
        const QString texte = touche->text();
        if (texte.isEmpty() || touche->matches(QKeySequence::Copy) || touche->matches(QKeySequence::SelectAll))
            return false; // moves the cursor, selects: no character
        // Moving to the next box and deleting are no typed characters either.
        if (touche->key() == Qt::Key_Tab || touche->key() == Qt::Key_Backtab || touche->key() == Qt::Key_Delete)
            return false;
        const QChar c = texte.at(0);
        if (c == QLatin1Char('\b') || c == QLatin1Char(',') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return false;
        if (c == QLatin1Char('.')) {
            boite->insert(QStringLiteral(","));
            return true;
        }
        if (c == QLatin1Char('-'))
            MsgBox(QStringLiteral("Les valeurs négatives ne sont pas autorisées."), vb::Critical | vb::SystemModal,
                   QStringLiteral("Wavix"));
        else
            MsgBox(messageChiffre(boite), vb::Critical | vb::SystemModal, QStringLiteral("Wavix"));
        return true;
    }
    case QEvent::FocusIn:
        QTimer::singleShot(0, boite, &QLineEdit::selectAll);
        break;
    case QEvent::FocusOut:
        if (boite->text().isEmpty())
            boite->setText(QStringLiteral("0"));
        break;
    default: break;
    }
    return VbForm::eventFilter(watched, event);
}

QString frmExo::messageChiffre(const QLineEdit* boite) const
{
    // Which box wants the number: the student sees four alike.
    QString champ;
    for (int v = 0; v < 2; ++v) {
        if (boite == txtUmax[size_t(v)])
            champ = QStringLiteral("tension, voie CH%1").arg(v + 1);
        else if (boite == txtFreq[size_t(v)])
            champ = QStringLiteral("fréquence, voie CH%1").arg(v + 1);
    }
    const QString message = QStringLiteral("Veuillez saisir un chiffre.");
    return champ.isEmpty() ? message : message + QStringLiteral(" (") + champ + QLatin1Char(')');
}

void frmExo::cmdNext_Click()
{
    // Every answer must read as a number before anything is scored.
    std::array<ReponseVoie, 2> reponses;
    for (int v = 0; v < 2; ++v) {
        ReponseVoie& r = reponses[size_t(v)];
        r.alternatif = optAlternatif[size_t(v)]->isChecked();
        r.forme = cmbSignal[size_t(v)]->currentIndex();
        QList<QPair<QLineEdit*, double*>> champs = {{txtUmax[size_t(v)], &r.tension}};
        if (r.alternatif)
            champs.append({txtFreq[size_t(v)], &r.frequence});
        for (auto& [boite, valeur] : champs) {
            if (boite->text().isEmpty())
                boite->setText(QStringLiteral("0"));
            if (!LireNombreVirgule(boite->text(), *valeur) || *valeur < 0) {
                MsgBox(messageChiffre(boite), vb::Critical | vb::SystemModal, QStringLiteral("Wavix"));
                boite->setFocus();
                return;
            }
        }
    }

    cmdNext->setEnabled(false);
    cmdNextWavix->setEnabled(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    saisieActivee(false);
    for (QRadioButton* b : {optContinu[0], optAlternatif[0], optContinu[1], optAlternatif[1]})
        b->setEnabled(false);
    for (QComboBox* c : cmbSignal)
        c->setEnabled(false);

    const int scoreAvant = Banc().scoreExo;
    const int maxAvant = Banc().scoreMaxExo;
    QStringList lignes;
    ModeleBanc::Lot lot(Modele());
    for (int v = 0; v < 2; ++v) {
        const EtatVoie& etat = Banc().voies[size_t(v)];
        const NoteVoie n = NoterVoie(v, reponses[size_t(v)], AttenduVoie{etat.SignalExo, etat.UmaxExo, etat.FreqExo});
        Modele().modifierVoie(v, [&n](EtatVoie& e) {
            e.FormeSignal = n.formeSignal;
            e.Amplitude = n.amplitude;
            e.Frequence = n.frequence;
        });
        Modele().ajouterPoints(n.points, n.pointsMax);
        for (int k = 0; k < 4; ++k) {
            QLabel* l = lblReponse[size_t(4 * v + k)];
            l->setText(n.corrections[size_t(k)]);
            l->setVisible(!n.corrections[size_t(k)].isEmpty());
        }
        lignes << n.ligne;
    }
    lignes << LigneScore(Banc().scoreExo) << LigneFinImage();
    if (!EcrireResultats(lignes) && FichierResultatOuvert().failed()) {
        // Reported: the run ends here, nothing more goes to the file.
        QApplication::restoreOverrideCursor();
        Modele().demanderFinDeRun(false);
        return;
    }
    lblScore->setText(NombreResultat(Banc().scoreExo, QStringLiteral("#0")) + QStringLiteral(" points sur ")
                      + NombreResultat(Banc().scoreMaxExo, QStringLiteral("#0")) + QStringLiteral(" points"));
    if (Banc().scoreExo - scoreAvant == Banc().scoreMaxExo - maxAvant)
        imgLight->setPicture(QString::fromLatin1(kLumiereAllumee));
    QApplication::restoreOverrideCursor();
}

void frmExo::cmdNextWavix_Click()
{
    LigneExoSuivante();
}
