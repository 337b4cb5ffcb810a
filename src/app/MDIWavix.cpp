#include "app/MDIWavix.h"

#include "app/AssociationExercice.h"
#include "app/Cablage.h"
#include "services/Dossiers.h"
#include "services/EtatProgramme.h"
#include "services/FichierINI.h"
#include "platform/InfoBulles.h"
#include "platform/Ressources.h"
#include "services/ModeleBanc.h"
#include "services/Version.h"
#include "app/frmOption.h"
#include "bench/Calculatrice.h"
#include "bench/FenetresBanc.h"
#include "bench/frmToolBox.h"
#include "evaluation/ModeLibre.h"
#include "evaluation/frmDepot.h"
#include "help/AideF1.h"
#include "help/HTMLHelp.h"
#include "help/TelechargementFichier.h"
#include "help/frmTip.h"
#include "platform/VbColor.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/SystemServices.h"
#include "platform/TextCodec.h"
#include "platform/VbConversions.h"
#include "platform/ZoneTravail.h"
#include "services/PanneauScope.h"
#include "scope/frmWavix.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>
#include <QStandardPaths>
#include <QTimer>

namespace {

MDIWavix* current = nullptr;

const QString kCrLf = QStringLiteral("\r\n");

// A run-time failure of a start-up step, reported by the one handler.
struct ErreurExecution {
    int numero;
    QString description;
};

constexpr int kCheminIntrouvable = 76;
constexpr int kErreurAccesFichier = 75;


} // namespace

MDIWavix::MDIWavix()
{
    InitialiserRessources();
    current = this;
    PermettreAide(true);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/wavix.svg")));
    setObjectName(QStringLiteral("MDIWavix"));
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    // Windows placed beyond a small screen stay reachable.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    Forms().setMdiArea(mdiArea_);
    dossierProgramme_ = QCoreApplication::applicationDirPath();
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { finDeSession(); });
    creerMenus();
    CablerProgramme(*this);
    resize(1024, 740);
}

MDIWavix::~MDIWavix()
{
    if (current == this) {
        current = nullptr;
        PermettreAide(false);
        DefinirZoneTravail(0, 0);
    }
    Forms().setMdiArea(nullptr);
}

MDIWavix* MDIWavix::instance()
{
    return current;
}

void MDIWavix::montrerMode()
{
    const bool libre = Banc().modeLibre;
    setWindowTitle(LegendeProgramme(libre));
    Mnu_Libre->setEnabled(!libre);
    for (QAction* item : {Mnu_Pilote, Mnu_Create, Mnu_Modif, Mnu_Kill, Mnu_Clean, Mnu_View, Mnu_Volt})
        item->setEnabled(libre);
    // The bench's sources are not for an evaluated run.
    Mnu_Harmo->setEnabled(libre && SourceDisponible(QStringLiteral("frmHarmoniqueA")));
}

void MDIWavix::montrerInstruments()
{
    const EtatBanc& banc = Banc();
    Mnu_Volt->setChecked(banc.multimetreAffiche);
    Mnu_Chrono->setChecked(banc.chronoAffiche);
    Mnu_Calc->setChecked(banc.calculatriceOuverte);
}

HTMLHelp& MDIWavix::AideHTML()
{
    return *AideProgramme();
}

void MDIWavix::setBackColor(int rgb)
{
    backColor_ = rgb;
    mdiArea_->setBackground(vbColor(rgb));
    Modele().reglerCouleurFond(rgb);
}

bool MDIWavix::MDIForm_Load()
{
    int etape = 0;
    try {
        etape = 1;
        Session().ModeProfesseur = false;
        verifierResolution();

        etape = 2;
        setWindowTitle(LegendeProgramme(true));
        Modele().passerEnModeLibre(true);
        Session().SousDossierProgramme = QStringLiteral("Brelmar/Wavix");

        etape = 20;
        Session().DossierDonnees = RacineDeTravail(kDossierDocumentsCommuns);
        etape = 21;
        Session().DossierDonnees = addTrailingSlash(Session().DossierDonnees);
        etape = 22;
        Session().DossierDonnees = (Session().DossierDonnees + Session().SousDossierProgramme).trimmed() + QLatin1Char('/');
        etape = 23;
        if (!QFileInfo(Session().DossierDonnees).isDir()) {
            etape = 24;
            if (!CreerDossier(Session().DossierDonnees))
                throw ErreurExecution{kCheminIntrouvable, MessageDossierImpossible(Session().DossierDonnees)};
        }

        etape = 3;
        verificationDemandee_ = true;
        mdiArea_->viewport()->installEventFilter(this);

        etape = 4;
        // Programs the commands start are found on the search path.
        DossierSysteme = QStringLiteral("/usr/bin/");
        etape = 5;
        DossierWindows = QStringLiteral("/usr/bin/");

        etape = 6;
        // Exercise files open in the text editor from the desktop.
        CreateFileAssociation(TypeFichierExercice());
        Session().PerfFrequency = perfCounterFrequency();

        etape = 7;
        QString utilisateur = NomUtilisateur();

        etape = 8;
        Session().DossierDonneesCommunes = RacineDeTravail(kDossierDonneesCommunes);
        Session().DossierDocumentsCommuns = RacineDeTravail(kDossierDocumentsCommuns);

        etape = 11;
        Session().DossierDonneesCommunes = addTrailingSlash(Session().DossierDonneesCommunes);
        // The user's own settings folder is ours to create; if that fails
        // every setting keeps its default and the first write says so.
        CreerDossier(Session().DossierDonneesCommunes + Session().SousDossierProgramme);
        const QString nomReglages = QStringLiteral("/ConfQVT_") + utilisateur + QStringLiteral(".ini");
        Session().CheminINI = Session().DossierDonneesCommunes + Session().SousDossierProgramme + nomReglages;
        // A classmate's file under this user's name is not his settings.
        if (SousRacinePartagee(Session().CheminINI) && !ReglagesDuCompte(Session().CheminINI)) {
            const QString personnel = addTrailingSlash(DossierPersonnel(kDossierDonneesCommunes)) + Session().SousDossierProgramme;
            CreerDossier(personnel);
            MsgBox(MessageReglagesPlantes(Session().CheminINI, personnel + nomReglages), vb::Exclamation,
                   QStringLiteral("Wavix - Réglages"));
            Session().CheminINI = personnel + nomReglages;
        }

        etape = 12;
        if (!preparerResultats(utilisateur))
            return false;

        etape = 13;
        const QString bulles = LireINI(QStringLiteral("Options"), QStringLiteral("ShowToolTip"), QString());
        InstallMultiLineToolTips();
        SetToolTipMaxWidth(200);
        SetToolTipsHidden(!(bulles.isEmpty() || bulles == QLatin1String("1")));
        setBackColor(LireCouleurINI(QStringLiteral("Options"), QStringLiteral("Couleur fond"), 0xFFFFFF));

        etape = 14;
        Forms().get<frmOption>();

        etape = 15;
        // The automatic sensitivities are for the classes whose teacher allows them.
        Mnu_Reglages->setEnabled(LirePreferenceINI(QStringLiteral("Options"), QStringLiteral("Reglage auto"), 0, 0, 2)
                                 != 0);
        MesurerZoneTravail();

        etape = 16;
        ActiverModeLibre(true);
        // The child windows appear inside the main window: it shows first.
        if (!isVisible())
            showMaximized();
        Forms().get<frmWavix>()->Show();
        Forms().get<frmToolBox>()->Show();

        etape = 17;
        const QString astuces = LireINI(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), QString());
        if (astuces.isEmpty() || astuces == QLatin1String("1")) {
            EcrireINI(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), QStringLiteral("1"));
            Forms().get<frmTip>()->Show(true);
        } else {
            EcrireINI(QStringLiteral("Options"), QStringLiteral("Show Tips at Startup"), QStringLiteral("0"));
        }
        Forms().get<frmWavix>()->setFocus();
        demarre_ = true;
        if (!versionAnnoncee_.isEmpty())
            QTimer::singleShot(0, this, &MDIWavix::annoncerVersion);
        return true;
    } catch (const ErreurExecution& erreur) {
        // A folder that cannot be made is named with what to do.
        QString message = erreur.numero == kCheminIntrouvable
            ? erreur.description
            : QStringLiteral("Erreur dans le module MDIWavix à la ligne ") + Str(etape) + QStringLiteral(".") + kCrLf
                + kCrLf + QStringLiteral("Erreur n°") + Str(erreur.numero) + QStringLiteral(" : ") + erreur.description;
        message += kCrLf + kCrLf + QStringLiteral("L'application va se fermer.");
        MsgBox(message, vb::Critical, QStringLiteral("Wavix - Erreur"));
        return false;
    }
}

QString MDIWavix::messageResolution(int largeur, int hauteur)
{
    if (largeur >= 1023)
        return QString();
    return QStringLiteral("Votre résolution d'écran est de ") + Str(largeur) + QStringLiteral(" par ")
        + Str(hauteur) + QStringLiteral("pixels.") + kCrLf
        + QStringLiteral("Le logiciel WAVIX est adapté pour une résolution d'écran de 1024 par 768 pixels.")
        + kCrLf + QStringLiteral("Il est conseillé de modifier ces paramètres.") + kCrLf
        + QStringLiteral(" Aller pour cela dans les réglages de l'affichage de votre bureau.");
}

void MDIWavix::verifierResolution()
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    const QString message = messageResolution(zone.width(), zone.height());
    if (!message.isEmpty())
        MsgBox(message, vb::Information, QStringLiteral("Wavix - résolution d'écran"));
}

bool MDIWavix::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && verificationDemandee_ && watched == mdiArea_->viewport()) {
        verificationDemandee_ = false;
        mdiArea_->viewport()->removeEventFilter(this);
        // Once this paint is on screen.
        QTimer::singleShot(0, this, &MDIWavix::verifierVersion);
    }
    return QMainWindow::eventFilter(watched, event);
}

QString MDIWavix::CopieFichierVersion()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QLatin1Char('/')
        + Session().SousDossierProgramme + QStringLiteral("/Delete_Me.txt");
}

void MDIWavix::verifierVersion()
{
    if (fermeture_ || verification_)
        return;
    verification_ = new TelechargementFichier(this);
    connect(verification_, &TelechargementFichier::fini, this, &MDIWavix::versionRecue);
    verification_->TelechargerFichier(AdresseFichierVersion(), CopieFichierVersion());
}

void MDIWavix::versionRecue(bool ok, const QByteArray& contenu)
{
    verification_->deleteLater();
    verification_ = nullptr;
    versionVerifiee_ = true;
    if (!ok || fermeture_)
        return;
    const QString publiee = VersionPubliee(decodeText(contenu));
    if (!EstPlusRecente(publiee, kVersionMajeure, kVersionMineure))
        return;
    versionAnnoncee_ = publiee;
    if (demarre_)
        annoncerVersion();
}

void MDIWavix::annoncerVersion()
{
    if (versionAnnoncee_.isEmpty() || fermeture_)
        return;
    const QString publiee = std::exchange(versionAnnoncee_, QString());
    MsgBox(QStringLiteral("La version ") + publiee
               + QStringLiteral(" de Wavix est téléchargeable gratuitement sur : ") + kCrLf
               + AdresseSiteEditeur(),
           vb::Information, QStringLiteral("Wavix - Nouvelle version"));
}

bool MDIWavix::preparerResultats(const QString& utilisateur)
{
    const DossierResultats dossier = GetResultsFolder(dossierProgramme_);
    Reseau = dossier.reseau;
    DepotClasse = Reseau ? QString() : dossier.depotClasse;
    ProfesseurClasse = dossier.professeur;
    if (!DepotClasse.isEmpty()) {
        FichierResultat.clear(); // each run makes its own
        return true;
    }
    if (!Reseau) {
        FichierResultat = dossier.base + QStringLiteral("/Resultat.txt");
        return true;
    }

    Session().DossierDepot = LireINI(QStringLiteral("Réseau"), QStringLiteral("Dossier Dépôt"), QString());
    auto depotExiste = [&dossier] {
        return QFileInfo(dossier.base + QLatin1Char('/') + Session().DossierDepot.trimmed()).isDir();
    };
    // A stored name that is no single folder name, or whose folder is gone,
    // is asked again, unless the user would rather quit.
    while (!NomDepotValide(Session().DossierDepot) || !depotExiste()) {
        if (NomDepotValide(Session().DossierDepot)
            && MsgBox(QStringLiteral("Le dossier de dépôt est introuvable :") + kCrLf + dossier.base
                          + QLatin1Char('/') + Session().DossierDepot.trimmed() + kCrLf
                          + QStringLiteral("Veuillez le créer ou saisir un autre nom.") + kCrLf + kCrLf
                          + QStringLiteral("Réessayer : choisir de nouveau le dossier de dépôt.") + kCrLf
                          + QStringLiteral("Annuler : quitter Wavix."),
                      vb::Exclamation | vb::RetryCancel, QStringLiteral("Wavix - Réseau"))
                   != vb::Retry)
            return false;
        Forms().get<frmDepot>()->Show(true);
        Forms().unload(QString::fromLatin1(frmDepot::kNom));
        EcrireINI(QStringLiteral("Réseau"), QStringLiteral("Dossier Dépôt"), Session().DossierDepot);
    }

    FichierResultat = FichierResultatReseau(dossier.base, Session().DossierDepot, utilisateur,
                                            QDateTime::currentDateTime());
    const QString depot = dossier.base + QLatin1Char('/') + Session().DossierDepot.trimmed();
    if (!PreparerMarqueMotDePasse(depot))
        throw ErreurExecution{kErreurAccesFichier, QStringLiteral("Erreur d'accès au chemin/fichier")};
    // A deposit folder that does not keep each account's results from the
    // others is said, never called safe.
    if (const QString message = MessageDepotReseau(depot); !message.isEmpty())
        MsgBox(message, vb::Exclamation, QStringLiteral("Wavix - Réseau"));
    return true;
}

void MDIWavix::Mnu_End_Click()
{
    if (confirmerQuitter())
        close();
}

bool MDIWavix::confirmerQuitter()
{
    dialogs().beep();
    if (MsgBox(QStringLiteral("Voulez-vous quitter ce programme ?"),
               vb::SetForeground | vb::Question | vb::YesNo, QStringLiteral("Wavix"))
        != vb::Yes)
        return false;
    quitterConfirme_ = true;
    FermerFichiers();
    if (auto* scope = Forms().find<frmWavix>()) {
        EcrireINI(QStringLiteral("Interface"), QStringLiteral("Intensity"), StrSingle(scope->potentioValue(1)));
        EcrireINI(QStringLiteral("Interface"), QStringLiteral("Focus"), StrSingle(scope->potentioValue(0)));
        EcrireINI(QStringLiteral("Interface"), QStringLiteral("PosX Wavix"), Str(scope->Left()));
        EcrireINI(QStringLiteral("Interface"), QStringLiteral("PosY Wavix"), Str(scope->Top()));
    }
    if (Banc().calculatriceOuverte)
        FermerCalculatrice();
    return true;
}

void MDIWavix::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        QTimer::singleShot(0, this, &MDIWavix::ajusterAuBureau); // once the window manager has framed it
}

void MDIWavix::ajusterAuBureau()
{
    if (!isVisible() || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        return;
    const QScreen* ecran = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect bureau = ecran->availableGeometry();
    const QRect cadre = frameGeometry();
    if (bureau.contains(cadre))
        return;
    const QSize bords = cadre.size() - size();
    resize(size().boundedTo(bureau.size() - bords));
    const QSize taille = size() + bords;
    move(placeInside(QRect(cadre.topLeft(), taille), bureau));
}

void MDIWavix::closeEvent(QCloseEvent* event)
{
    // During an evaluated run the close box (and Alt+F4) asks as "Quitter"
    // does, so that one click does not end the run; the end of the desktop
    // session asks nothing.
    if (!fermeture_ && !Banc().modeLibre && !quitterConfirme_ && !finDeSession_ && !qApp->isSavingSession()
        && !confirmerQuitter()) {
        event->ignore();
        return;
    }
    if (!fermeture_) {
        fermeture_ = true;
        // Nothing waits for the version check.
        delete verification_;
        verification_ = nullptr;
        MDIForm_QueryUnload();
        Forms().unloadAll();
        mdiForm_Unload();
    }
    event->accept();
}

void MDIWavix::MDIForm_QueryUnload()
{
    FermerAide();
}

void MDIWavix::mdiForm_Unload()
{
    if (Banc().calculatriceOuverte)
        FermerCalculatrice();
    FermerFichiers();
    RemoveMultiLineToolTips();
    SetToolTipsHidden(false);
    QCoreApplication::quit();
}
