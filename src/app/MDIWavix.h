#pragma once

#include <QHash>
#include <QMainWindow>

#include <memory>

#include <sys/types.h>

class HTMLHelp;
class QAction;
class TelechargementFichier;
class QMdiArea;

// The main window: it starts and ends the program, holds every other window
// and the state the whole program shares.
class MDIWavix : public QMainWindow {
    Q_OBJECT
public:
    MDIWavix();
    ~MDIWavix() override;

    static MDIWavix* instance();

    QString DossierSysteme;
    QString DossierWindows;
    bool Reseau = false;
    // The results file of this run; in the classroom, the one the last run
    // made in the drop box (empty before the first).
    QString FichierResultat;
    // In the classroom: the drop box and the teacher's account, found at
    // start-up; the drop box is empty elsewhere.
    QString DepotClasse;
    uid_t ProfesseurClasse = 0;
    // The help object, created on first use.
    HTMLHelp& AideHTML();
    // Shows the bench's state: the caption and the commands each mode
    // allows, the instruments' menu ticks.
    void montrerMode();
    void montrerInstruments();

    QMdiArea* mdiArea() const { return mdiArea_; }
    int BackColor() const { return backColor_; }
    void setBackColor(int rgb);

    QAction* Mnu_End = nullptr;
    QAction* Mnu_Libre = nullptr;
    QAction* Mnu_Pilote = nullptr;
    QAction* Mnu_Create = nullptr;
    QAction* Mnu_Modif = nullptr;
    QAction* Mnu_Kill = nullptr;
    QAction* Mnu_View = nullptr;
    QAction* Mnu_Clean = nullptr;
    QAction* Mnu_Volt = nullptr;
    QAction* Mnu_Chrono = nullptr;
    QAction* Mnu_Calc = nullptr;
    QAction* Mnu_Reglages = nullptr;
    QAction* Mnu_ViewFullScreen = nullptr;
    QAction* Mnu_Harmo = nullptr;
    // Any menu item by its name ("Mnu_Pref(1)" for an item of an array).
    QAction* menu(const QString& nom) const { return menus_.value(nom); }
    const QHash<QString, QAction*>& menus() const { return menus_; }

    // The menu commands.
    void Mnu_Libre_Click();
    // Back to free mode: the run closed, the bench unlocked and cleared. The
    // automatic sensitivities come back when "Reglage auto" allows them (after
    // a mark, only when it is "1").
    void retourModeLibre(bool reglageSiUn);
    void Mnu_Pilote_Click();
    void Mnu_Create_Click();
    void Mnu_Modif_Click();
    void Mnu_Kill_Click();
    void Mnu_View_Click();
    void Mnu_Clean_Click();
    // Asks, then prints the traces on the printer chosen for the run.
    void Mnu_Print_Click();
    // The printer set-up dialog: a printer, or printing to a PDF file.
    void Mnu_ConfigPrint_Click();
    // Copies the scope screen to the clipboard: 0 as shown, 1 in grey levels.
    void Mnu_ClipBoard_Click(int index);
    void Mnu_Volt_Click();
    void Mnu_Chrono_Click();
    void Mnu_Calc_Click();
    void Mnu_Harmo_Click();
    void Mnu_ViewFullScreen_Click();
    void Mnu_Pref_Click(int index);
    void Mnu_Reglages_Click();
    void Mnu_Help_Contents_Click();
    void Mnu_Help_Index_Click();
    void Mnu_About_Click();
    void Mnu_Tip_Click();
    void Mnu_NewTip_Click();
    void Mnu_PassWord_Click();
    void Mnu_Web_Click();

    // Runs the start-up. False when it failed: the error was shown and the
    // program must end at once.
    bool MDIForm_Load();
    // "Quitter": asks, saves the scope's settings and ends the program.
    void Mnu_End_Click();
    // The desktop session is ending: closing asks nothing, even during a run.
    void finDeSession() { finDeSession_ = true; }

    // The warning for a work area narrower than 1023 pixels; empty when it is wide enough.
    static QString messageResolution(int largeur, int hauteur);

    // The folder the program runs from (network use is decided on it).
    void setDossierProgramme(const QString& dossier) { dossierProgramme_ = dossier; }

    // The per-user copy of the downloaded version file.
    static QString CopieFichierVersion();
    // The version check has come to its end (whatever it found).
    bool versionVerifiee() const { return versionVerifiee_; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void creerMenus();
    // The window brought back from maximised lies inside the work area.
    void ajusterAuBureau();
    // The teacher's commands run only once the password was given.
    bool porteProfesseur();
    // The results file the view and empty commands act on; empty when the
    // user cancelled the choice.
    QString fichierResultatsChoisi();
    void verifierResolution();
    // The version check starts once the main window was first painted and
    // runs in the background; its news waits for start-up's own windows.
    void verifierVersion();
    void versionRecue(bool ok, const QByteArray& contenu);
    void annoncerVersion();
    bool preparerResultats(const QString& utilisateur);
    // Opens the results file of a run that starts from the menu.
    bool ouvrirResultats();
    // The classroom's results: every file of the drop box on the teacher's
    // account, the account's own elsewhere; emptied by the teacher alone.
    void montrerResultatsClasse();
    void viderResultatsClasse();
    // "Quitter"'s question, then what it keeps before the end; false when
    // the user answered No.
    bool confirmerQuitter();
    void MDIForm_QueryUnload();
    void mdiForm_Unload();

    QMdiArea* mdiArea_ = nullptr;
    int backColor_ = 0xFFFFFF;
    QString dossierProgramme_;
    bool fermeture_ = false;
    bool quitterConfirme_ = false;      // the question was answered Yes
    bool finDeSession_ = false;
    bool demarre_ = false;              // start-up ran to its end
    bool verificationDemandee_ = false; // to start at the first paint
    TelechargementFichier* verification_ = nullptr;
    bool versionVerifiee_ = false;
    QString versionAnnoncee_;           // a newer version not announced yet
    QHash<QString, QAction*> menus_;
};
