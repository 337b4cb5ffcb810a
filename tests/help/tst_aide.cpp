#include "ProgrammeLance.h"
#include "TestHome.h"

#include "services/EtatProgramme.h"
#include "app/MDIWavix.h"
#include "services/Version.h"
#include "bench/FenetresBanc.h"
#include "bench/frmMulti_RMS.h"
#include "bench/frmToolBox.h"
#include "bench/frmVolt.h"
#include "help/FenetreAide.h"
#include "help/HTMLHelp.h"
#include "help/PagesAide.h"
#include "help/frmAbout.h"
#include "help/frmTip.h"
#include "platform/FormDesign.h"
#include "platform/ProfileFile.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SystemServices.h"
#include "scope/CourbeWavix.h"
#include "scope/frmWavix.h"

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QSet>
#include <QTabWidget>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

namespace {

// The program started and its main window shown.
struct Programme : ProgrammeLance {
    Programme() { mdi->show(); }
    FenetreAide* aide() const { return mdi->AideHTML().fenetre(); }
};

QString lirePage(const QString& fichier)
{
    QFile f(QString::fromLatin1(kDossierPagesAide) + fichier);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// Every topic number the program's code names: the windows' constants and
// the direct calls.
QList<int> rubriquesDuCode()
{
    const QRegularExpression motifs[] = {
        QRegularExpression(R"(kRubriqueAide\s*=\s*(\d+))"),
        QRegularExpression(R"(InstallerAideF1\([^,()]+,\s*(\d+)\))"),
        QRegularExpression(R"(AfficherRubriqueAide\((\d+)\))"),
    };
    QList<int> numeros;
    QDirIterator it(QStringLiteral(WAVIX_TESTS_DIR "/../src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString texte = QString::fromUtf8(f.readAll());
        for (const QRegularExpression& motif : motifs)
            for (auto m = motif.globalMatch(texte); m.hasNext();)
                if (const int n = m.next().captured(1).toInt(); !numeros.contains(n))
                    numeros << n;
    }
    std::sort(numeros.begin(), numeros.end());
    return numeros;
}

// Opens a window of the program by its name and gives it the focus.
VbForm* ouvrir(const QString& nom)
{
    VbForm* f = nullptr;
    if (nom == QLatin1String(frmWavix::kNom))
        f = Forms().get<frmWavix>();
    else if (nom == QLatin1String(frmToolBox::kNom))
        f = Forms().get<frmToolBox>();
    else if (nom == QLatin1String(frmTip::kNom))
        f = Forms().get<frmTip>();
    else if (nom == QLatin1String(frmAbout::kNom))
        f = Forms().get<frmAbout>();
    else if (nom == QLatin1String(frmVolt::kNom))
        f = Forms().get<frmVolt>();
    else if (nom == QLatin1String(frmMulti_RMS::kNom))
        f = Forms().get<frmMulti_RMS>();
    else
        f = OuvrirFenetreSource(nom, nom.endsWith('B') ? 1 : 0);
    if (f) {
        f->Show();
        QApplication::setActiveWindow(f->window());
        f->setFocus();
    }
    return f;
}

} // namespace

class tst_Aide : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTopicHasAPage_data();
    void everyTopicHasAPage();
    void f1OpensTheWindowsPage_data();
    void f1OpensTheWindowsPage();
    void unknownTopicShowsTheFirstPage();
    void contentsAndIndexListEveryPage();
    void linksLeadToPages();
    void backAndForward();
    void helpMenuAndQuitting();
    void helpWindowFitsTheScreen();
    void aboutBoxTexts();
    void systemInformation();
};

void tst_Aide::everyTopicHasAPage_data()
{
    QTest::addColumn<int>("rubrique");
    QList<int> numeros = rubriquesDuCode();
    // The numbers of the windows still to come, named here once.
    for (int n : {1000, 1500, 3000, 3100, 3200, 3300, 3400, 3500, 3600, 3800})
        if (!numeros.contains(n))
            numeros << n;
    QVERIFY(numeros.size() >= 10);
    for (int n : numeros)
        QTest::newRow(qPrintable(QString::number(n))) << n;
}

void tst_Aide::everyTopicHasAPage()
{
    QFETCH(int, rubrique);
    const PageAide& page = PageDeRubrique(rubrique);
    QVERIFY(page.rubriques.contains(rubrique));
    const QString texte = lirePage(page.fichier);
    QVERIFY2(!texte.isEmpty(), qPrintable(page.fichier));
    QVERIFY(texte.contains("<h1>"));
}

// The topic of each window's F1, and the page the help shows for it.
struct RubriqueFenetre {
    const char* nom;
    int rubrique;
    const char* page;
    const char* commande; // the menu command that opens a modal dialog
};
const RubriqueFenetre kRubriques[] = {
    {"frmCorbeille", 1000, "corbeille.html", "Mnu_Kill"},
    {"frmAbout", 1500, "apropos.html", "Mnu_About"},
    {"frmTip", 1500, "apropos.html", "Mnu_Tip"},
    {"frmAlimA", 3000, "alimentation.html", nullptr},
    {"frmAlimB", 3000, "alimentation.html", nullptr},
    {"frmPileA", 3100, "pile.html", nullptr},
    {"frmPileB", 3100, "pile.html", nullptr},
    {"frmGBFA", 3200, "gbf.html", nullptr},
    {"frmGBFB", 3200, "gbf.html", nullptr},
    {"frmWavix", 3300, "oscilloscope.html", nullptr},
    {"frmToolBox", 3400, "boite-outils.html", nullptr},
    {"frmEDFA", 3500, "secteur.html", nullptr},
    {"frmEDFB", 3500, "secteur.html", nullptr},
    {"frmVolt", 3600, "multimetre.html", nullptr},
    {"frmMulti_RMS", 3600, "multimetre.html", nullptr},
    {"frmDynA", 3800, "alternateur.html", nullptr},
    {"frmDynB", 3800, "alternateur.html", nullptr},
    {"frmOption", 3800, "alternateur.html", "Mnu_Pref(0)"},
};

// What the help window shows: the page, its title in the caption and the
// page highlighted in the contents.
void verifierAide(FenetreAide* aide, int rubrique, const QString& page)
{
    QVERIFY(aide);
    QVERIFY(aide->isVisible());
    QCOMPARE(MDIWavix::instance()->AideHTML().HHTopicID, rubrique);
    QCOMPARE(aide->pageAffichee(), page);
    QVERIFY(aide->txtPage->toPlainText().size() > 200);
    const QString titre = aide->txtPage->document()->metaInformation(QTextDocument::DocumentTitle);
    QListWidgetItem* choisie = aide->lstSommaire->currentItem();
    QVERIFY(choisie && choisie->isSelected());
    QCOMPARE(choisie->data(Qt::UserRole).toString(), page);
    QCOMPARE(aide->windowTitle(), "Aide de Wavix - " + choisie->text());
    QVERIFY2(lirePage(page).contains("<h1>" + choisie->text() + "</h1>"), qPrintable(page));
}

// A click in the help window as the window system brings it: a window that
// a modal dialog blocks does not get it.
void cliquerDansAide(FenetreAide* aide, QWidget* cible, const QPoint& point)
{
    QTest::mouseClick(aide->windowHandle(), Qt::LeftButton, Qt::NoModifier, cible->mapTo(aide, point));
}

void tst_Aide::f1OpensTheWindowsPage_data()
{
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<int>("rubrique");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("commande");
    QTest::addColumn<int>("modificateurs");
    for (const RubriqueFenetre& l : kRubriques)
        QTest::newRow(l.nom) << QString(l.nom) << l.rubrique << QString(l.page) << QString(l.commande)
                             << int(Qt::NoModifier);
    QTest::newRow("frmWavix, shift") << "frmWavix" << 3300 << "oscilloscope.html" << QString()
                                     << int(Qt::ShiftModifier);
    QTest::newRow("frmGBFB, ctrl+alt") << "frmGBFB" << 3200 << "gbf.html" << QString()
                                       << int(Qt::ControlModifier | Qt::AltModifier);
    QTest::newRow("frmOption, shift") << "frmOption" << 3800 << "alternateur.html" << "Mnu_Pref(0)"
                                      << int(Qt::ShiftModifier);
}

void tst_Aide::f1OpensTheWindowsPage()
{
    QFETCH(QString, fenetre);
    QFETCH(int, rubrique);
    QFETCH(QString, page);
    QFETCH(QString, commande);
    QFETCH(int, modificateurs);
    Programme p;
    if (commande.isEmpty()) {
        VbForm* f = ouvrir(fenetre);
        QVERIFY(f);
        QVERIFY(!p.aide());
        QTest::keyClick(f, Qt::Key_F1, Qt::KeyboardModifiers(modificateurs));
        verifierAide(p.aide(), rubrique, page);
        // Another key opens nothing else; F1 again keeps the one window.
        FenetreAide* aide = p.aide();
        QTest::keyClick(f, Qt::Key_F2);
        QTest::keyClick(f, Qt::Key_F1);
        QCOMPARE(p.aide(), aide);
        return;
    }

    // The dialog opened modally from its menu command, as the user does.
    Session().ModeProfesseur = true;
    bool vu = false;
    p.dialogs.answerModal([&](QWidget* w) {
        QCOMPARE(w->objectName(), fenetre);
        w->setWindowModality(Qt::ApplicationModal);
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(QApplication::activeModalWidget() == w);
        QTest::keyClick(w, Qt::Key_F1, Qt::KeyboardModifiers(modificateurs));
        FenetreAide* aide = p.aide();
        verifierAide(aide, rubrique, page);
        // Above the dialog, and reached by the pointer and the keys while it
        // stays open: a page of the contents clicked, its text scrolled.
        QVERIFY(aide->windowHandle()->transientParent() == w->windowHandle());
        QVERIFY(QTest::qWaitForWindowExposed(aide));
        QListWidgetItem* autre = aide->lstSommaire->item(aide->lstSommaire->row(aide->lstSommaire->currentItem()) == 5 ? 6 : 5);
        cliquerDansAide(aide, aide->lstSommaire->viewport(), aide->lstSommaire->visualItemRect(autre).center());
        QCOMPARE(aide->pageAffichee(), autre->data(Qt::UserRole).toString());
        QCOMPARE(aide->windowTitle(), "Aide de Wavix - " + autre->text());
        QVERIFY(autre->isSelected());
        aide->txtPage->resize(aide->txtPage->width(), 120);
        QScrollBar* defilement = aide->txtPage->verticalScrollBar();
        QVERIFY(defilement->maximum() > 0);
        cliquerDansAide(aide, aide->txtPage->viewport(), QPoint(20, 20));
        QTest::keyClick(aide->windowHandle(), Qt::Key_PageDown);
        QVERIFY(defilement->value() > 0);
        QVERIFY(w->isVisible());
        vu = true;
        w->close();
    });
    p.mdi->menu(commande)->trigger();
    QVERIFY(vu);
    QVERIFY(p.dialogs.allAnswered());
    // The dialog gone, its help stays open on its own.
    QVERIFY(p.aide());
    QVERIFY(p.aide()->isVisible());
    QVERIFY(!p.aide()->parentWidget());
}

void tst_Aide::unknownTopicShowsTheFirstPage()
{
    Programme p;
    p.mdi->AideHTML().HHTopicID = 4242;
    p.mdi->AideHTML().HHDisplayTopicID();
    QCOMPARE(p.aide()->pageAffichee(), PagesAide().first().fichier);
}

void tst_Aide::contentsAndIndexListEveryPage()
{
    Programme p;
    p.mdi->menu("Mnu_Help_Contents")->trigger();
    FenetreAide* aide = p.aide();
    QVERIFY(aide && aide->isVisible());
    QCOMPARE(aide->tabAide->currentIndex(), 0);
    QCOMPARE(aide->lstSommaire->count(), PagesAide().size());
    // Every title shows whole in the contents column.
    const QFontMetrics fm(aide->lstSommaire->font());
    for (int i = 0; i < aide->lstSommaire->count(); ++i)
        QVERIFY2(fm.horizontalAdvance(aide->lstSommaire->item(i)->text()) + 8 <= aide->lstSommaire->viewport()->width(),
                 qPrintable(aide->lstSommaire->item(i)->text()));
    QSet<QString> indexees;
    for (int i = 0; i < aide->lstIndex->count(); ++i)
        indexees << aide->lstIndex->item(i)->data(Qt::UserRole).toString();
    for (int i = 0; i < PagesAide().size(); ++i) {
        const QString fichier = PagesAide().at(i).fichier;
        QVERIFY2(indexees.contains(fichier), qPrintable(fichier));
        QListWidgetItem* element = aide->lstSommaire->item(i);
        QCOMPARE(element->text(), PagesAide().at(i).titre);
        Q_EMIT aide->lstSommaire->itemClicked(element);
        QCOMPARE(aide->pageAffichee(), fichier);
        // Each page's heading is its title in the contents.
        QVERIFY2(lirePage(fichier).contains("<h1>" + PagesAide().at(i).titre + "</h1>"), qPrintable(fichier));
    }

    // The index: typing goes to the first entry, Enter opens its page.
    p.mdi->menu("Mnu_Help_Index")->trigger();
    QCOMPARE(p.aide(), aide);
    QCOMPARE(aide->tabAide->currentIndex(), 1);
    QTest::keyClicks(aide->txtIndex, "gbf");
    QVERIFY(aide->lstIndex->currentItem());
    QCOMPARE(aide->lstIndex->currentItem()->text(), QString("GBF"));
    QTest::keyClick(aide->txtIndex, Qt::Key_Return);
    QCOMPARE(aide->pageAffichee(), QString("gbf.html"));
}

void tst_Aide::linksLeadToPages()
{
    // Every link of every page leads to a page of the help; the contents
    // page reaches them all.
    const QRegularExpression lien(R"(href="([^"#]*)(#[^"]*)?")");
    QSet<QString> depuisAccueil;
    for (const PageAide& page : PagesAide()) {
        const QString texte = lirePage(page.fichier);
        for (auto m = lien.globalMatch(texte); m.hasNext();) {
            const QString cible = m.next().captured(1);
            if (cible.isEmpty() || cible == "aide.css")
                continue;
            QVERIFY2(PageDeFichier(cible), qPrintable(page.fichier + " -> " + cible));
            if (page.fichier == PagesAide().first().fichier)
                depuisAccueil << cible;
        }
    }
    for (const PageAide& page : PagesAide().mid(1))
        QVERIFY2(depuisAccueil.contains(page.fichier), qPrintable(page.fichier));
}

void tst_Aide::backAndForward()
{
    Programme p;
    p.mdi->AideHTML().HHTopicID = 3300;
    p.mdi->AideHTML().HHDisplayTopicID();
    FenetreAide* aide = p.aide();
    QVERIFY(!aide->cmdPrecedent->isEnabled());
    // A link followed in the page, as a click on it does.
    aide->txtPage->setSource(QUrl("gbf.html"));
    QCOMPARE(aide->pageAffichee(), QString("gbf.html"));
    QVERIFY(aide->cmdPrecedent->isEnabled());
    aide->cmdPrecedent->click();
    QCOMPARE(aide->pageAffichee(), QString("oscilloscope.html"));
    QVERIFY(aide->cmdSuivant->isEnabled());
    aide->cmdSuivant->click();
    QCOMPARE(aide->pageAffichee(), QString("gbf.html"));
    QVERIFY(aide->windowTitle().endsWith(PageDeFichier("gbf.html")->titre));
}

void tst_Aide::helpMenuAndQuitting()
{
    Programme p;
    for (const char* nom : {"Mnu_Help_Contents", "Mnu_Help_Index", "Mnu_About"})
        QVERIFY2(p.mdi->menu(nom)->isEnabled(), nom);
    p.mdi->AideHTML().HHClose(); // nothing open: nothing happens
    p.mdi->menu("Mnu_Help_Index")->trigger();
    QPointer<FenetreAide> aide = p.aide();
    QVERIFY(aide);
    // The user may close it; the next request opens a new one.
    aide->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!aide);
    p.mdi->menu("Mnu_Help_Contents")->trigger();
    aide = p.aide();
    QVERIFY(aide && aide->isVisible());
    QVERIFY(p.mdi->close());
    QVERIFY(!aide);
}

void tst_Aide::helpWindowFitsTheScreen()
{
    // Opened from the menu, the help window with its frame lies within the
    // work area, whatever the screen (the suite also runs this on a
    // 1024 x 768 and a 1920 x 1080 one), and its page has most of the width.
    Programme p;
    p.mdi->menu("Mnu_Help_Contents")->trigger();
    QPointer<FenetreAide> aide = p.aide();
    QVERIFY(aide && aide->isVisible());
    const QRect zone = aide->screen()->availableGeometry();
    const int titre = aide->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QRect cadre = aide->geometry().adjusted(-4, -titre - 4, 4, 4);
    QVERIFY2(zone.contains(cadre), qPrintable(QString("%1,%2 %3x%4 in %5x%6").arg(cadre.x()).arg(cadre.y())
                                                   .arg(cadre.width()).arg(cadre.height()).arg(zone.width()).arg(zone.height())));
    // The contents column is no wider than a third of the window and shows
    // no horizontal scroll bar: the page has the room.
    QVERIFY2(3 * aide->tabAide->width() <= aide->width() + 6 && aide->txtPage->width() >= 500,
             qPrintable(QString("page %1, contents %2").arg(aide->txtPage->width()).arg(aide->tabAide->width())));
    QVERIFY(!aide->lstSommaire->horizontalScrollBar()->isVisible());
    // Every title of the contents reads whole, wrapped where it is long.
    for (int i = 0; i < aide->lstSommaire->count(); ++i) {
        const QRect r = aide->lstSommaire->visualItemRect(aide->lstSommaire->item(i));
        QVERIFY2(r.width() <= aide->lstSommaire->viewport()->width(), qPrintable(aide->lstSommaire->item(i)->text()));
    }

    // Escape, typed in the page, closes it.
    aide->activateWindow();
    aide->txtPage->setFocus();
    QTest::sendKeyEvent(QTest::Click, aide->txtPage, Qt::Key_Escape, QString(QChar(27)), Qt::NoModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!aide);
}

void tst_Aide::aboutBoxTexts()
{
    Programme p;
    p.dialogs.answerModal([](QWidget* w) {
        QCOMPARE(w->objectName(), QString("frmAbout"));
        QCOMPARE(w->windowTitle(), QString("À propos de Wavix"));
        QCOMPARE(control<QLabel>(w, "lblTitle")->text(), QString("Wavix"));
        QCOMPARE(control<QLabel>(w, "lblVersion")->text(),
                 QString("Version %1.%2.%3").arg(kVersionMajeure).arg(kVersionMineure).arg(kVersionRevision));
        QCOMPARE(control<QLabel>(w, "lblDescription")->text(),
                 QString("Description de l'application : cette application permet de s'entraîner à l'utilisation "
                         "d'un wavixscope bicourbe couplé à un ou deux générateurs."));
        QVERIFY(!control<QLabel>(w, "lblDisclaimer")->text().isEmpty());
        QCOMPARE(control<QPushButton>(w, "cmdSysInfo")->text(), QString("&Infos système..."));
        control<QPushButton>(w, "cmdOK")->click();
    });
    p.mdi->menu("Mnu_About")->trigger();
    QVERIFY(p.dialogs.allAnswered());
    QCOMPARE(p.dialogs.shown().size(), 1);
    QVERIFY(!Forms().isLoaded("frmAbout"));
    QVERIFY(Forms().get<frmWavix>()->isVisible());
}

void tst_Aide::systemInformation()
{
    Programme p;
    const QStringList connus = ProgrammesInfosSysteme();
    auto* about = Forms().get<frmAbout>();
    about->Show();
    ProgrammesInfosSysteme() = {"wavix-aucun-programme-1", "wavix-aucun-programme-2"};
    p.dialogs.answerMessage(vb::OK);
    control<QPushButton>(about, "cmdSysInfo")->click();
    QCOMPARE(p.dialogs.shown().size(), 1);
    QCOMPARE(p.dialogs.shown().first().text, QString("Les informations système ne sont pas disponibles actuellement"));
    QCOMPARE(p.dialogs.shown().first().title, QString("Wavix"));
    QCOMPARE(p.dialogs.shown().first().style, int(vb::OKOnly));
    QVERIFY(Forms().isLoaded("frmAbout"));
    // The first installed one of the list is the one found.
    ProgrammesInfosSysteme() = {"wavix-aucun-programme", "sh", "true"};
    QCOMPARE(QFileInfo(firstInstalledProgram(ProgrammesInfosSysteme())).fileName(), QString("sh"));
    ProgrammesInfosSysteme() = connus;
}

QTEST_MAIN(tst_Aide)
#include "tst_aide.moc"
