// Every window a user can open must be usable: on the screen, its texts
// readable, its keys those of any dialog.
#include "BancScope.h"
#include "services/ModeleBanc.h"
#include "ProgrammeLance.h"

#include "services/EtatProgramme.h"
#include "services/FichierINI.h"
#include "app/MotDePasse.h"
#include "services/PositionFenetre.h"
#include "bench/Calculatrice.h"
#include "bench/FenetresBanc.h"
#include "bench/frmGBF.h"
#include "app/frmOption.h"
#include "evaluation/frmCorbeille.h"
#include "evaluation/frmCreateFile.h"
#include "evaluation/frmDepot.h"
#include "evaluation/frmExo.h"
#include "evaluation/frmName.h"
#include "evaluation/frmNote.h"
#include "help/frmAbout.h"
#include "help/frmTip.h"
#include "platform/FormDesign.h"
#include "platform/ProfileFile.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SystemServices.h"
#include "help/TelechargementFichier.h"
#include "scope/CourbeWavix.h"
#include "scope/frmWavix.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QStyleOptionTitleBar>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QUrl>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The program started, with what these tests ask of its main window.
struct Programme : ProgrammeLance {
    using ProgrammeLance::ProgrammeLance;
    // The main window as a user may leave it: maximised, or a smaller window.
    void fenetrePrincipale(const QSize& taille)
    {
        if (taille.isEmpty()) {
            mdi->showMaximized();
        } else {
            mdi->showNormal();
            mdi->setGeometry(QRect(QPoint(0, 0), taille));
        }
        QCoreApplication::processEvents();
    }
};

const QScreen* ecran()
{
    return QGuiApplication::primaryScreen();
}

// The visible part of the MDI area, in the coordinates of the child windows.
QRect zoneEnfants(const MDIWavix* mdi)
{
    const QWidget* vue = mdi->mdiArea()->viewport();
    return QRect(QPoint(0, 0), vue->size())
        & ecran()->availableGeometry().translated(-vue->mapToGlobal(QPoint(0, 0)));
}

QRect cadre(const VbForm* f)
{
    return QRect(f->frame()->pos(), f->frame()->frameGeometry().size());
}

// What no other window may cover on the scope, in the coordinates of the
// child windows: its title bar, its screen, its knobs, buttons, switches and
// sockets with their plugs.
QList<std::pair<QString, QRect>> faceUtileScope()
{
    const VbForm* scope = Forms().find("frmWavix");
    const QPoint origine = scope->frame()->pos() + scope->mapTo(scope->frame(), QPoint(0, 0));
    QList<std::pair<QString, QRect>> zones{
        {"title bar", QRect(scope->frame()->pos(), QSize(cadre(scope).width(), origine.y() - scope->frame()->y()))}};
    static const QRegularExpression commande("^(picEcran|Potentio|cmd|chk|imgBorne|shpBorne|imgFiche|shpConnect)");
    for (const QWidget* c : scope->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (commande.match(c->objectName()).hasMatch() && (c->isVisibleTo(scope) || c->objectName().startsWith("imgFiche")))
            zones.append({c->objectName(), c->geometry().translated(origine)});
    return zones;
}

// The lowest edge of the scope's sockets.
int basDesBornes()
{
    int bas = 0;
    for (const auto& [nom, place] : faceUtileScope())
        if (nom.startsWith("imgBorne"))
            bas = std::max(bas, place.bottom());
    return bas;
}

// Where the bench's windows lie over each other or out of view: the scope's
// useful face covered, two other windows over each other, a window leaving
// the work area. Windows in `libres` are only held to the work area.
QStringList chevauchements(const MDIWavix* mdi, const QStringList& libres = {})
{
    QStringList fautes;
    const QRect zone = zoneEnfants(mdi);
    QList<const VbForm*> fenetres;
    for (const QString& nom : Forms().loadedNames())
        if (const VbForm* f = Forms().find(nom); f->isMdiChild() && f->frame()->isVisible())
            fenetres << f;
    const auto nomme = [](const VbForm* f) { return f->formName() + QStringLiteral(" at ") + QStringLiteral("%1,%2 %3x%4").arg(cadre(f).x()).arg(cadre(f).y()).arg(cadre(f).width()).arg(cadre(f).height()); };
    for (const VbForm* f : fenetres) {
        if (!zone.contains(cadre(f)))
            fautes << nomme(f) + " leaves the work area";
        if (f->formName() == "frmWavix" || libres.contains(f->formName()))
            continue;
        for (const auto& [nom, place] : faceUtileScope())
            if (cadre(f).intersects(place))
                fautes << nomme(f) + " covers the scope's " + nom;
        for (const VbForm* g : fenetres)
            if (g != f && g->formName() != "frmWavix" && !libres.contains(g->formName())
                && f->formName() < g->formName() && cadre(f).intersects(cadre(g)))
                fautes << nomme(f) + " and " + nomme(g) + " overlap";
    }
    return fautes;
}

// ---- Captions ----

// What a caption needs and where it is drawn, in its control's coordinates.
struct Legende {
    QString texte;
    QRect zone;      // where the text may be drawn
    QSize besoin;    // what it needs
    Qt::Alignment alignement = Qt::AlignLeft | Qt::AlignVCenter;
};

// What a text on one or more lines shows: its width without the trailing
// blanks, and on one line its height but a pixel above and below (a line box
// taller than the glyphs is not text cut off).
QSize encre(const QFontMetrics& fm, const QString& texte, int drapeaux)
{
    static const QRegularExpression finDeLigne("\\s+$");
    QStringList lignes = QString(texte).remove(QLatin1Char('&')).split(QLatin1Char('\n'));
    int largeur = 0;
    for (QString& l : lignes)
        largeur = std::max(largeur, fm.horizontalAdvance(l.remove(finDeLigne)));
    const int hauteur = lignes.size() == 1 ? fm.height() - 2 : fm.size(drapeaux, texte).height();
    return {largeur, hauteur};
}

std::optional<Legende> legende(QWidget* w)
{
    const QFontMetrics fm(w->font());
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->text().isEmpty() || Qt::mightBeRichText(l->text()))
            return std::nullopt;
        Legende g{l->text(), l->contentsRect(), {}, l->alignment()};
        if (l->wordWrap()) {
            int mot = 0;
            for (const QString& m : l->text().split(QRegularExpression("[\\s\\x{200B}]+"), Qt::SkipEmptyParts))
                mot = std::max(mot, fm.horizontalAdvance(m));
            // Its longest word on a line, and all its lines.
            const int lignes = l->heightForWidth(l->width()) - (l->height() - g.zone.height());
            g.besoin = QSize(mot, lignes < 2 * fm.lineSpacing() ? encre(fm, l->text(), 0).height() : lignes);
        } else {
            g.besoin = encre(fm, l->text(), 0);
        }
        return g;
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        if (b->text().isEmpty() || !b->icon().isNull() || !qobject_cast<QPushButton*>(b) && !qobject_cast<QCheckBox*>(b)
            && !qobject_cast<QRadioButton*>(b))
            return std::nullopt;
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        const QStyle::SubElement contenu = qobject_cast<QPushButton*>(b) ? QStyle::SE_PushButtonContents
            : qobject_cast<QCheckBox*>(b)                                 ? QStyle::SE_CheckBoxContents
                                                                         : QStyle::SE_RadioButtonContents;
        const Qt::Alignment centre = qobject_cast<QPushButton*>(b) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
        return Legende{b->text(), b->style()->subElementRect(contenu, &opt, b), encre(fm, b->text(), Qt::TextShowMnemonic),
                       centre};
    }
    if (auto* g = qobject_cast<QGroupBox*>(w)) {
        if (g->title().isEmpty())
            return std::nullopt;
        // Where the style itself puts the title, cut to the box.
        QStyleOptionGroupBox opt;
        opt.initFrom(g);
        opt.text = g->title();
        opt.textAlignment = g->alignment();
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        opt.lineWidth = 1;
        const QRect place =
            g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g).intersected(g->rect());
        return Legende{g->title(), place, encre(fm, g->title(), Qt::TextShowMnemonic), Qt::AlignLeft | Qt::AlignTop};
    }
    return std::nullopt;
}

// A window's face: the drawings a caption must not lie under, and the
// outlined groups it must lie either in or out of (window coordinates).
struct Face {
    QList<QRect> obstacles;
    QList<QRect> groupes;
};

// Whether a control paints anything over the place (parent coordinates):
// a round knob in its square leaves the corners clear.
bool peintSur(QWidget* f, const QRect& place)
{
    const QRect dessous = f->geometry().intersected(place).translated(-f->pos());
    if (dessous.isEmpty())
        return false;
    QImage image(f->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    f->render(&image, {}, {}, QWidget::DrawChildren);
    for (int y = dessous.top(); y <= dessous.bottom(); ++y)
        for (int x = dessous.left(); x <= dessous.right(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

// Every caption of the window: it fits its control, lies inside every
// parent up to the window, and no control stacked above covers it, nor
// the face's drawings.
QStringList legendesCachees(QWidget* fenetre, const Face& face = {})
{
    QStringList fautes;
    for (QWidget* w : fenetre->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(fenetre) || w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
            continue;
        const std::optional<Legende> g = legende(w);
        if (!g)
            continue;
        const QString nom = w->objectName() + " \"" + g->texte.simplified() + "\"";
        if (g->besoin.width() > g->zone.width() || g->besoin.height() > g->zone.height()) {
            fautes << QStringLiteral("%1 needs %2 x %3, has %4 x %5")
                          .arg(nom)
                          .arg(g->besoin.width())
                          .arg(g->besoin.height())
                          .arg(g->zone.width())
                          .arg(g->zone.height());
            continue;
        }
        const QRect texte = QStyle::alignedRect(Qt::LeftToRight, g->alignement, g->besoin, g->zone);
        for (QWidget* p = w; p != fenetre; p = p->parentWidget()) {
            const QRect dansParent = QRect(w->mapTo(p->parentWidget(), texte.topLeft()), texte.size());
            if (!p->parentWidget()->rect().contains(dansParent))
                fautes << nom + " is cut by the edge of " + p->parentWidget()->objectName();
            // Siblings stacked above it.
            const QObjectList freres = p->parentWidget()->children();
            for (qsizetype i = freres.indexOf(p) + 1; i < freres.size(); ++i) {
                auto* f = qobject_cast<QWidget*>(freres[i]);
                if (f && f->isVisibleTo(fenetre) && !f->isWindow() && peintSur(f, dansParent))
                    fautes << nom + " is covered by " + f->objectName();
            }
        }
        const QRect dansFenetre(w->mapTo(fenetre, texte.topLeft()), texte.size());
        for (const QRect& o : face.obstacles)
            if (o.intersects(dansFenetre))
                fautes << nom + " is under the face's drawing";
        // A caption set on a group's top or bottom edge is a title; one across
        // its side is cut by the line.
        for (const QRect& g : face.groupes)
            if (g.intersects(dansFenetre)
                && (dansFenetre.left() < g.left() || dansFenetre.right() > g.right()))
                fautes << nom + " lies across the edge of a group";
    }
    return fautes;
}

// The scope's face: the screen's bezel and the outlined groups of controls.
Face faceScope(const QWidget* fenetre)
{
    QSvgRenderer svg(QStringLiteral(":/scope/panel.svg"));
    const double sx = fenetre->width() / svg.viewBoxF().width();
    const double sy = fenetre->height() / svg.viewBoxF().height();
    const auto rect = [&](const char* id) {
        const QRectF b = svg.transformForElement(id).mapRect(svg.boundsOnElement(id));
        return QRectF(b.x() * sx, b.y() * sy, b.width() * sx, b.height() * sy).toAlignedRect();
    };
    return {{rect("bezel")}, {rect("group1"), rect("group2"), rect("group3"), rect("group4")}};
}

} // namespace

class tst_Fenetres : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionsAreReadable_data();
    void captionsAreReadable();
    void plugsLeaveTheLegendsReadable_data();
    void plugsLeaveTheLegendsReadable();
    void passwordWindowHeights();
    void placedInsideTheWorkArea_data();
    void placedInsideTheWorkArea();
    void damagedSavedPositions_data();
    void damagedSavedPositions();
    void dialogKeys_data();
    void dialogKeys();
    void windowsThatStayHaveNoCloseBox_data();
    void windowsThatStayHaveNoCloseBox();
    void dialogsHaveNoMinimiseOrMaximise();
    void everyCommandIsEnabled_data();
    void everyCommandIsEnabled();
    void tipWindowNamesTheDataFolder();
    void tipsAreTheLinesWithText_data();
    void tipsAreTheLinesWithText();
    void defaultLayout_data();
    void defaultLayout();
    void answerWindowPlace();
    void normalMainWindowFits();
};

void tst_Fenetres::captionsAreReadable_data()
{
    QTest::addColumn<QString>("fenetre");
    for (const char* f :
         {"frmWavix", "frmToolBox", "frmGBFA", "frmGBFB", "frmAlimA", "frmPileA", "frmEDFA", "frmDynA",
          "frmHarmoniqueA", "frmHarmoniqueA page 1", "frmExo", "frmNote", "frmName", "frmDepot", "frmTip", "frmPass",
          "frmPass sans mot de passe", "frmPassWord", "frmChrono", "frmVolt", "frmMulti_RMS", "frmOption",
          "frmOption page 1", "frmOption page 2", "frmCreateFile", "frmCorbeille", "frmAbout"})
        QTest::newRow(f) << QString::fromLatin1(f);
}

void tst_Fenetres::captionsAreReadable()
{
    QFETCH(QString, fenetre);
    Programme p;
    Modele().reglerScore(11, Banc().scoreMaxExo);
    Modele().reglerScore(Banc().scoreExo, 15);
    if (fenetre.startsWith("frmPass") && !fenetre.contains("sans"))
        EnregistrerMotDePasse("Secret");
    QWidget* w = nullptr;
    // A tabbed window is read one page at a time: "<window> page <n>".
    int page = 0;
    if (fenetre.contains(" page ")) {
        page = fenetre.section(' ', -1).toInt();
        fenetre = fenetre.section(' ', 0, 0);
    }
    // The sources, by their element of the toolbox.
    const QMap<QString, int> sources{{"frmGBFA", 1}, {"frmGBFB", 10}, {"frmAlimA", 2},  {"frmPileA", 4},
                                     {"frmEDFA", 12}, {"frmDynA", 14},  {"frmHarmoniqueA", 16}};
    if (sources.contains(fenetre)) {
        Forms().get<frmToolBox>()->choisir(sources[fenetre]);
        w = Forms().find(fenetre);
    } else if (fenetre == "frmChrono" || fenetre == "frmVolt" || fenetre == "frmMulti_RMS") {
        w = OuvrirInstrument(fenetre);
    } else if (fenetre == "frmExo") {
        w = Forms().get<frmExo>();
    } else if (fenetre == "frmNote") {
        w = Forms().get<frmNote>();
    } else if (fenetre == "frmName") {
        w = Forms().get<frmName>();
    } else if (fenetre == "frmDepot") {
        w = Forms().get<frmDepot>();
    } else if (fenetre == "frmOption") {
        w = Forms().get<frmOption>();
        w->show(); // kept loaded and hidden until asked for
    } else if (fenetre == "frmCreateFile") {
        w = Forms().get<frmCreateFile>();
    } else if (fenetre == "frmCorbeille") {
        w = Forms().get<frmCorbeille>();
    } else if (fenetre == "frmAbout") {
        w = Forms().get<frmAbout>();
    } else if (fenetre == "frmTip") {
        w = Forms().get<frmTip>(); // no tips file: the long explanation
    } else if (fenetre.startsWith("frmPassWord")) {
        w = Forms().get<frmPassWord>();
    } else if (fenetre.startsWith("frmPass")) {
        w = Forms().get<frmPass>();
    } else {
        w = Forms().find(fenetre);
    }
    QVERIFY(w);
    if (auto* onglets = w->findChild<QTabWidget*>()) {
        QVERIFY(page < onglets->count());
        onglets->setCurrentIndex(page);
    }
    const QStringList fautes = legendesCachees(w, fenetre == "frmWavix" ? faceScope(w) : Face{});
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join("\n")));
}

void tst_Fenetres::plugsLeaveTheLegendsReadable_data()
{
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<int>("borne"); // the signal lead's terminal: 0 V, 1 mA, 2 10A; the other lead is on COM (3)
    for (const char* f : {"frmVolt", "frmMulti_RMS"})
        for (const auto& [nom, borne] : {std::pair{"V", 0}, std::pair{"mA", 1}, std::pair{"10A", 2}})
            QTest::addRow("%s %s", f, nom) << QString::fromLatin1(f) << borne;
}

void tst_Fenetres::plugsLeaveTheLegendsReadable()
{
    // With both leads plugged in, as a user plugs them (a click on each
    // terminal), each plug lies over its socket and no terminal's legend lies
    // under a plug: "V Ω", "COM", "mA" and "10A" stay readable.
    QFETCH(QString, fenetre);
    QFETCH(int, borne);
    Programme p;
    VbForm* w = OuvrirInstrument(fenetre);
    QVERIFY(w);
    for (int i : {borne, 3})
        QTest::mouseClick(control<QWidget>(w, "imgBorne", i), Qt::LeftButton);
    QStringList fautes;
    for (int i = 0; i < 4; ++i) {
        const QWidget* fiche = control<QWidget>(w, "imgFiche", i);
        const bool branchee = i == borne || i == 3;
        QCOMPARE(fiche->isVisibleTo(w), branchee);
        if (!branchee)
            continue;
        if (!fiche->geometry().contains(control<QWidget>(w, "imgSocle", i)->geometry()))
            fautes << fiche->objectName() + " leaves its socket uncovered";
        for (int j = 0; j < 4; ++j) {
            const QWidget* legende = control<QWidget>(w, "lblBorne", j);
            if (fiche->geometry().intersects(legende->geometry()))
                fautes << fiche->objectName() + " lies over " + legende->objectName();
        }
    }
    fautes << legendesCachees(w);
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join("\n")));
}

void tst_Fenetres::passwordWindowHeights()
{
    // With a password the information is wholly out of sight; without, all of it shows.
    Programme p;
    EnregistrerMotDePasse("Secret");
    auto* avec = Forms().get<frmPass>();
    auto* info = control<QLabel>(avec, "lblInfo");
    const QRect visible = avec->rect();
    QVERIFY(!info->isVisibleTo(avec) || !visible.intersects(info->geometry()));
    QVERIFY(visible.contains(control<QPushButton>(avec, "cmdOK")->geometry()));
    const int hauteurAvec = avec->height();
    Forms().unload("frmPass");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EnregistrerMotDePasse("");
    auto* sans = Forms().get<frmPass>();
    info = control<QLabel>(sans, "lblInfo");
    QVERIFY(info->isVisibleTo(sans));
    QVERIFY(sans->rect().contains(info->geometry()));
    QVERIFY(sans->height() > hauteurAvec);
}

void tst_Fenetres::placedInsideTheWorkArea_data()
{
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<QSize>("principale"); // empty: maximised
    for (const char* f : {"frmExo", "frmNote", "frmGBFA", "frmGBFB"}) {
        QTest::addRow("%s, small window", f) << QString::fromLatin1(f) << QSize(800, 600);
        QTest::addRow("%s, maximised", f) << QString::fromLatin1(f) << QSize();
    }
}

void tst_Fenetres::placedInsideTheWorkArea()
{
    // Placed as designed, then moved inside the visible work area when that
    // place lies outside it. The suite also runs this on a 1024 x 768 and a
    // 1920 x 1080 screen.
    QFETCH(QString, fenetre);
    QFETCH(QSize, principale);
    Programme p;
    p.fenetrePrincipale(principale);
    const VbForm* scope = Forms().get<frmWavix>();
    const VbForm* boite = Forms().get<frmToolBox>();
    const double droiteScope = scope->Left() + scope->Width();
    QPointF prevu; // twips
    QRect zone = zoneEnfants(p.mdi.get());
    VbForm* f = nullptr;
    if (fenetre == "frmExo") {
        // Below the scope, which leaves its front panel free.
        f = Forms().get<frmExo>();
        prevu = QPointF(scope->Left(), scope->Top() + scope->Height());
    } else if (fenetre == "frmNote") {
        const VbForm* reponses = Forms().get<frmExo>();
        Modele().reglerScore(3, Banc().scoreMaxExo);
        Modele().reglerScore(Banc().scoreExo, 5);
        const QPoint ici = p.mdi->mdiArea()->viewport()->mapToGlobal(QPoint(
            twipsToPixels(scope->Width() + boite->Width()), twipsToPixels(reponses->Height() + 700)));
        f = Forms().get<frmNote>();
        prevu = QPointF(pixelsToTwips(ici.x()), pixelsToTwips(ici.y()));
        zone = ecran()->availableGeometry();
    } else {
        const int voie = fenetre.endsWith('B');
        Forms().get<frmToolBox>()->choisir(voie ? 10 : 1);
        f = Forms().find(fenetre);
        prevu = QPointF(droiteScope, voie ? 4935 : 0);
    }
    QVERIFY(f);
    QVERIFY(!zone.isEmpty());
    if (f->isMdiChild())
        f->Show(); // its full size
    QRect voulu(QPoint(twipsToPixels(prevu.x()), twipsToPixels(prevu.y())), cadre(f).size());
    if (!f->isMdiChild())
        voulu.setHeight(voulu.height() + f->style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QRect place = cadre(f);
    if (zone.contains(voulu)) {
        QCOMPARE(place.topLeft(), voulu.topLeft());
        return;
    }
    // Moved into view; a window larger than the area shows its top left
    // corner. A child window leaves the scope's controls clear where it can.
    if (voulu.width() > zone.width())
        QCOMPARE(place.left(), zone.left());
    if (f->isMdiChild() && principale.isEmpty()) {
        const QStringList fautes = chevauchements(p.mdi.get());
        QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join("\n")));
    }
    QVERIFY2(zone.contains(QRect(place.topLeft(), QSize(std::min(voulu.width(), zone.width()), std::min(voulu.height(), zone.height())))),
             qPrintable(QStringLiteral("%1 at %2,%3 outside %4,%5 %6x%7")
                            .arg(fenetre)
                            .arg(place.x())
                            .arg(place.y())
                            .arg(zone.x())
                            .arg(zone.y())
                            .arg(zone.width())
                            .arg(zone.height())));
}

void tst_Fenetres::damagedSavedPositions_data()
{
    QTest::addColumn<QString>("valeur");
    QTest::newRow("1e12") << "1e12";
    QTest::newRow("-5000000") << "-5000000";
    QTest::newRow("nan") << "nan";
    QTest::newRow("12abc") << "12abc";
    QTest::newRow("inf") << "inf";
}

void tst_Fenetres::damagedSavedPositions()
{
    // The window opens at its default place and quitting writes that place back.
    QFETCH(QString, valeur);
    Programme p({{"Interface", "PosX Wavix", valeur},
                 {"Interface", "PosY Wavix", valeur},
                 {"Interface", "PosX GBFA", valeur},
                 {"Interface", "PosY GBFA", valeur}});
    const VbForm* boite = Forms().get<frmToolBox>();
    const VbForm* scope = Forms().get<frmWavix>();
    QCOMPARE(scope->Left(), pixelsToTwips(twipsToPixels(boite->Width())));
    QCOMPARE(scope->Top(), 0.0);
    Forms().get<frmToolBox>()->choisir(1);
    const VbForm* gbf = Forms().find("frmGBFA");
    QVERIFY(gbf);
    QVERIFY(zoneEnfants(p.mdi.get()).contains(QRect(cadre(gbf).topLeft(), QSize(1, 1))));
    const double xGbf = gbf->Left();
    const double yGbf = gbf->Top();
    Forms().unloadAll();
    for (const char* cle : {"PosX Wavix", "PosY Wavix", "PosX GBFA", "PosY GBFA"}) {
        bool nombre = false;
        const double v = LireINI("Interface", cle, "").toDouble(&nombre);
        QVERIFY2(nombre && std::abs(v) < 100000, cle);
    }
    QCOMPARE(LireNombreINI("Interface", "PosX GBFA", -1), xGbf);
    QCOMPARE(LireNombreINI("Interface", "PosY GBFA", -1), yGbf);
}

void tst_Fenetres::dialogKeys_data()
{
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<int>("touche");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("bouton"); // pressed; empty: the window closes without one
    const QString entree = "\r";
    const QString echap = QString(QChar(27));
    QTest::newRow("frmPass Enter") << "frmPass" << int(Qt::Key_Return) << entree << "cmdOK";
    QTest::newRow("frmPass keypad Enter") << "frmPass" << int(Qt::Key_Enter) << entree << "cmdOK";
    QTest::newRow("frmPass Escape") << "frmPass" << int(Qt::Key_Escape) << echap << "cmdQuit";
    QTest::newRow("frmPassWord Enter") << "frmPassWord" << int(Qt::Key_Return) << entree << "cmdOK";
    QTest::newRow("frmPassWord Escape") << "frmPassWord" << int(Qt::Key_Escape) << echap << "Command1";
    QTest::newRow("frmName Enter") << "frmName" << int(Qt::Key_Return) << entree << "cmdOK";
    QTest::newRow("frmName Escape") << "frmName" << int(Qt::Key_Escape) << echap << "cmdAnnul";
    QTest::newRow("frmDepot Enter") << "frmDepot" << int(Qt::Key_Return) << entree << "cmdOK";
    QTest::newRow("frmDepot Escape") << "frmDepot" << int(Qt::Key_Escape) << echap << "";
    QTest::newRow("frmTip Enter") << "frmTip" << int(Qt::Key_Return) << entree << "cmdOK";
    QTest::newRow("frmTip Escape") << "frmTip" << int(Qt::Key_Escape) << echap << "cmdOK";
    QTest::newRow("frmCreateFile Escape") << "frmCreateFile" << int(Qt::Key_Escape) << echap << "cmdEnd";
}

void tst_Fenetres::dialogKeys()
{
    // The key goes where the user types: the text box that has the focus
    // (the tip window has none: its check box).
    QFETCH(QString, fenetre);
    QFETCH(int, touche);
    QFETCH(QString, texte);
    QFETCH(QString, bouton);
    Programme p;
    VbForm* f = fenetre == "frmPass"       ? static_cast<VbForm*>(Forms().get<frmPass>())
        : fenetre == "frmPassWord"         ? static_cast<VbForm*>(Forms().get<frmPassWord>())
        : fenetre == "frmName"             ? static_cast<VbForm*>(Forms().get<frmName>())
        : fenetre == "frmDepot"            ? static_cast<VbForm*>(Forms().get<frmDepot>())
        : fenetre == "frmCreateFile"       ? static_cast<VbForm*>(Forms().get<frmCreateFile>())
                                           : static_cast<VbForm*>(Forms().get<frmTip>());
    f->show();
    QWidget* cible = f->findChild<QLineEdit*>();
    if (!cible)
        cible = f->findChild<QCheckBox*>();
    QVERIFY(cible);
    cible->setFocus();
    std::unique_ptr<QSignalSpy> clic;
    if (!bouton.isEmpty())
        clic = std::make_unique<QSignalSpy>(control<QPushButton>(f, bouton.toLatin1().constData()), &QAbstractButton::clicked);
    QSignalSpy ferme(f, &VbForm::unloaded);
    p.dialogs.answerMessage(vb::OK); // the window's own message, when its check fails
    QTest::sendKeyEvent(QTest::Click, cible, Qt::Key(touche), texte, Qt::NoModifier);
    if (clic)
        QCOMPARE(clic->count(), 1);
    else
        QCOMPARE(ferme.count(), 1);
    // A key that goes on typing in the box does not reach the window.
    if (auto* boite = qobject_cast<QLineEdit*>(cible)) {
        const qsizetype avant = clic ? clic->count() : 0;
        QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_A, QStringLiteral("a"), Qt::NoModifier);
        QCOMPARE(clic ? clic->count() : 0, avant);
    }
}

void tst_Fenetres::windowsThatStayHaveNoCloseBox_data()
{
    QTest::addColumn<QString>("fenetre");
    // The answer window during a run; the scope and the toolbox for the program's life.
    for (const char* f : {"frmExo", "frmWavix", "frmToolBox"})
        QTest::newRow(f) << QString::fromLatin1(f);
}

void tst_Fenetres::windowsThatStayHaveNoCloseBox()
{
    QFETCH(QString, fenetre);
    Programme p;
    VbForm* w = fenetre == "frmExo" ? Forms().get<frmExo>() : Forms().find(fenetre);
    QVERIFY(w);
    w->Show();
    auto* sous = qobject_cast<QMdiSubWindow*>(w->frame());
    QVERIFY(sous);
    // The area draws a close button for the system menu as well.
    QCOMPARE(sous->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint), Qt::WindowFlags());
    QStyleOptionTitleBar barre;
    barre.initFrom(sous);
    barre.titleBarFlags = sous->windowFlags();
    barre.rect = QRect(0, 0, sous->width(), sous->style()->pixelMetric(QStyle::PM_TitleBarHeight, &barre, sous));
    QVERIFY(sous->style()->subControlRect(QStyle::CC_TitleBar, &barre, QStyle::SC_TitleBarCloseButton, sous).isEmpty());
    QVERIFY(!sous->close());
    QVERIFY(Forms().isLoaded(fenetre));
}

void tst_Fenetres::dialogsHaveNoMinimiseOrMaximise()
{
    // A dialog is a title, a system menu and a close box: the window
    // manager offers neither minimise nor maximise (it would, for a window
    // that does not say which buttons it wants).
    Programme p;
    const QList<VbForm*> dialogues{Forms().get<frmPass>(),    Forms().get<frmPassWord>(), Forms().get<frmName>(),
                                   Forms().get<frmDepot>(),   Forms().get<frmTip>(),      Forms().get<frmAbout>(),
                                   Forms().get<frmCorbeille>(), Forms().get<frmCreateFile>(), Forms().get<frmOption>()};
    for (VbForm* f : dialogues) {
        const Qt::WindowFlags drapeaux = f->windowFlags();
        QVERIFY2(f->isWindow() && (drapeaux & Qt::CustomizeWindowHint)
                     && !(drapeaux & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)),
                 qPrintable(QString("%1: %2").arg(f->objectName()).arg(int(drapeaux), 0, 16)));
    }
}

void tst_Fenetres::everyCommandIsEnabled_data()
{
    QTest::addColumn<bool>("libre");
    QTest::newRow("free mode") << true;
    QTest::newRow("evaluated mode") << false;
}

void tst_Fenetres::everyCommandIsEnabled()
{
    // Every command of the menus does something when chosen, and none is
    // disabled but those the mode holds back.
    QFETCH(bool, libre);
    Programme p({{"Options", "Reglage auto", "1"}});
    if (!libre) {
        QVERIFY(TestHome::writeFile(Session().DossierDonnees + "tp.qvt", "CC/2//sinus/1/500\r\n"));
        p.dialogs.answerModal([](QWidget* w) {
            auto* f = static_cast<frmName*>(w);
            f->txtIdent[1]->setText("Durand");
            f->txtIdent[2]->setText("Léa");
            f->txtIdent[3]->setText("1S2");
            f->findChild<QPushButton*>("cmdOK")->click();
        });
        p.dialogs.answerFile(Session().DossierDonnees + "tp.qvt");
        p.mdi->menu("Mnu_Pilote")->trigger();
        QVERIFY(!Banc().modeLibre);
    }
    Session().ModeProfesseur = true; // the gate itself is tried in tst_menu
    // Held back in free mode, in evaluated mode.
    const QStringList libreSeulement{"Mnu_Pilote", "Mnu_Create", "Mnu_Modif", "Mnu_Kill",
                                     "Mnu_View",   "Mnu_Clean",  "Mnu_Volt",  "Mnu_Harmo"};
    const QStringList retenues = libre ? QStringList{"Mnu_Libre"} : libreSeulement;

    // What a command can do that a user sees.
    int editeurs = 0, pages = 0;
    setTextEditorOpener([&](const QString&) { ++editeurs; return true; });
    setWebPageOpener([&](const QString&) { ++pages; return true; });
    const QStringList calculatrices = CalculatricesConnues();
    CalculatricesConnues() = {"wavix-calculatrice-absente"};
    QSignalSpy copies(QGuiApplication::clipboard(), &QClipboard::dataChanged);
    auto etat = [&] {
        QStringList e{QString::number(p.dialogs.shown().size()), QString::number(editeurs), QString::number(pages),
                      QString::number(copies.size()), QString::number(Banc().modeLibre),
                      QString::number(Scope().PositionHorizontale)};
        e << Forms().loadedNames();
        for (const QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) {
                e << "visible " + w->objectName();
                // The page a window shows (the help's contents or index).
                for (const QTabWidget* onglets : w->findChildren<QTabWidget*>())
                    e << w->objectName() + " page " + QString::number(onglets->currentIndex());
            }
        for (const QString& nom : Forms().loadedNames())
            if (const VbForm* f = Forms().find(nom); f && f->isVisible())
                e << nom + QString(" %1,%2").arg(f->frame()->x()).arg(f->frame()->y());
        return e;
    };

    QStringList commandes, noms = p.mdi->menus().keys();
    noms.sort(); // in the same order at every run
    for (const QString& nom : std::as_const(noms)) {
        const QAction* a = p.mdi->menus().value(nom);
        if (a->menu()) {
            QVERIFY2(a->isEnabled(), qPrintable(nom)); // a menu is always open to look into
            continue;
        }
        QVERIFY2(a->isEnabled() == !retenues.contains(nom), qPrintable(nom + (a->isEnabled() ? " enabled" : " disabled")));
        if (a->isEnabled())
            commandes << nom;
    }
    // The commands that leave the mode or the program, last.
    for (const char* dernier : {"Mnu_Libre", "Mnu_End"})
        if (commandes.removeAll(dernier))
            commandes << dernier;
    QVERIFY(commandes.size() > 20);
    for (const QString& nom : std::as_const(commandes)) {
        // What these two put back must first be elsewhere.
        if (nom == "Mnu_PosWin")
            Forms().find("frmWavix")->frame()->move(Forms().find("frmWavix")->frame()->pos() + QPoint(37, 23));
        if (nom == "Mnu_Reglages")
            Scope().PositionHorizontale = 100;
        const QStringList avant = etat();
        p.mdi->menu(nom)->trigger();
        QCoreApplication::processEvents();
        QVERIFY2(etat() != avant, qPrintable(nom + " does nothing"));
    }
    CalculatricesConnues() = calculatrices;
}

void tst_Fenetres::tipWindowNamesTheDataFolder()
{
    Programme p;
    auto* astuce = Forms().get<frmTip>();
    const QString texte = control<QLabel>(astuce, "lblTipText")->text().remove(QChar(0x200B));
    QVERIFY2(texte.contains(QDir::toNativeSeparators(QDir::cleanPath(Session().DossierDonnees))), qPrintable(texte));
    QVERIFY(texte.startsWith("Le fichier TipOfDayWavix.txt n'a pas été trouvé. "));
    // The file put there is read.
    TestHome::writeFile(Session().DossierDonnees + "TipOfDayWavix.txt", "Une astuce\r\n");
    Forms().unload("frmTip");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(control<QLabel>(Forms().get<frmTip>(), "lblTipText")->text(), QStringLiteral("Une astuce"));
}

void tst_Fenetres::tipsAreTheLinesWithText_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<QStringList>("astuces");
    QTest::newRow("empty, as a failed editor left it") << QByteArray() << QStringList();
    QTest::newRow("blank lines only") << QByteArray("\r\n   \r\n\t\r\n") << QStringList();
    QTest::newRow("blank lines around one") << QByteArray("\r\nUne astuce\r\n\r\n") << QStringList{"Une astuce"};
}

void tst_Fenetres::tipsAreTheLinesWithText()
{
    // The tip of the day never shows an empty tip: a file without one says so.
    QFETCH(QByteArray, fichier);
    QFETCH(QStringList, astuces);
    Programme p;
    QVERIFY(TestHome::writeFile(Session().DossierDonnees + "TipOfDayWavix.txt", fichier));
    auto* astuce = Forms().get<frmTip>();
    QCOMPARE(astuce->Tips(), astuces);
    const QString texte = control<QLabel>(astuce, "lblTipText")->text();
    if (astuces.isEmpty())
        QCOMPARE(texte, QStringLiteral("Le fichier TipOfDayWavix.txt ne contient encore aucune astuce.\n\nLe professeur "
                                       "les y ajoute, une par ligne, par le menu Aide, « Rajouter une astuce »."));
    else
        QCOMPARE(texte, astuces[0]);
    astuce->cmdNextTip_Click();
    QVERIFY(!control<QLabel>(astuce, "lblTipText")->text().trimmed().isEmpty());
}

void tst_Fenetres::defaultLayout_data()
{
    QTest::addColumn<int>("voieA");        // the toolbox's option on CH1 (0: none)
    QTest::addColumn<int>("voieB");        // on CH2 (11: none)
    QTest::addColumn<QString>("multimetre"); // the multimeter opened, empty: none
    QTest::addColumn<bool>("chrono");
    QTest::addColumn<bool>("evalue");
    QTest::addColumn<QString>("sourceA");  // the windows the options open
    QTest::addColumn<QString>("sourceB");
    // The narrowest screen with room for all these windows beside the scope
    // (a true-RMS multimeter is taller than the room under the scope at
    // 1024 x 768, two harmonic generators wider than the room at 1280); on a
    // narrower one they are only held to the work area.
    QTest::addColumn<int>("ecranMin");

    QTest::newRow("scope seul") << 0 << 11 << "" << false << false << "" << "" << 1024;
    QTest::newRow("GBF et pile 9 V") << 1 << 6 << "" << false << false << "frmGBFA" << "frmPileB" << 1024;
    QTest::newRow("pile 1,5 V sur CH2") << 0 << 8 << "" << false << false << "" << "frmPileB" << 1024;
    QTest::newRow("deux alimentations") << 2 << 9 << "" << false << false << "frmAlimA" << "frmAlimB" << 1024;
    QTest::newRow("secteur et alternateur") << 12 << 15 << "" << false << false << "frmEDFA" << "frmDynB" << 1024;
    QTest::newRow("alternateur et secteur") << 14 << 13 << "" << false << false << "frmDynA" << "frmEDFB" << 1024;
    QTest::newRow("deux GBF et chronomètre") << 1 << 10 << "" << true << false << "frmGBFA" << "frmGBFB" << 1024;
    QTest::newRow("harmoniques") << 16 << 17 << "" << false << false << "frmHarmoniqueA" << "frmHarmoniqueB" << 1920;
    QTest::newRow("toutes les fenêtres") << 1 << 10 << "frmMulti_RMS" << true << false << "frmGBFA" << "frmGBFB"
                                         << 1280;
    QTest::newRow("pile 4,5 V, GBF, multimètre, chronomètre")
        << 4 << 10 << "frmMulti_RMS" << true << false << "frmPileA" << "frmGBFB" << 1280;
    QTest::newRow("multimètre collège") << 3 << 7 << "frmVolt" << false << false << "frmPileA" << "frmPileB" << 1280;
    QTest::newRow("évalué, chronomètre") << 0 << 11 << "" << true << true << "" << "" << 1024;
    QTest::newRow("évalué, GBF et chronomètre") << 1 << 11 << "" << true << true << "frmGBFA" << "" << 1280;
    QTest::newRow("évalué sans source") << 0 << 11 << "frmMulti_RMS" << false << true << "" << "" << 1280;
}

void tst_Fenetres::defaultLayout()
{
    // "Positionnement par défaut des fenêtres" from the bench as the program
    // opens it, the toolbox where it puts it. The suite also runs this on a
    // 1024 x 768 and a 1920 x 1080 screen.
    QFETCH(int, voieA);
    QFETCH(int, voieB);
    QFETCH(QString, multimetre);
    QFETCH(bool, chrono);
    QFETCH(bool, evalue);
    QFETCH(QString, sourceA);
    QFETCH(QString, sourceB);
    QFETCH(int, ecranMin);
    Programme p({{"Options", "Multimetre college", multimetre == "frmVolt" ? "1" : "0"}});
    p.fenetrePrincipale({});
    auto* boite = Forms().get<frmToolBox>();
    boite->choisir(voieA);
    boite->choisir(voieB);
    boite->chkMulti->setChecked(!multimetre.isEmpty());
    boite->chkClock->setChecked(chrono);
    if (evalue) {
        Modele().passerEnModeLibre(false);
        Forms().get<frmExo>()->Show();
    }
    QCoreApplication::processEvents();
    const QRect boiteAvant = cadre(boite);

    // Every other window somewhere else first; what is not placed stays there.
    QHash<QString, QRect> avant;
    QHash<QString, bool> visibles;
    int k = 0;
    for (const QString& nom : Forms().loadedNames()) {
        VbForm* f = Forms().find(nom);
        if (!f->isMdiChild())
            continue;
        if (f != boite)
            f->Move(1500 + 300 * k, 1200 + 150 * k);
        ++k;
        avant.insert(nom, cadre(f));
        visibles.insert(nom, f->frame()->isVisible());
    }

    const QByteArray reglages = TestHome::readFile(p.ini());
    QAction* commande = p.mdi->menu("Mnu_PosWin");
    QVERIFY(commande->isEnabled());
    commande->trigger();

    // The toolbox keeps its place and its designed width; the scope stands
    // right of it.
    const VbForm* scope = Forms().find("frmWavix");
    QCOMPARE(cadre(boite), boiteAvant);
    QCOMPARE(cadre(boite).topLeft(), QPoint(0, 0));
    QCOMPARE(cadre(boite).width(), twipsToPixels(690));
    QCOMPARE(scope->frame()->pos(), QPoint(twipsToPixels(720), 0));
    QVERIFY(!cadre(scope).intersects(cadre(boite)));

    // No window covers another, nor the scope's controls, and none leaves the
    // work area.
    const QRect zone = zoneEnfants(p.mdi.get());
    QStringList libres;
    if (ecran()->geometry().width() < ecranMin)
        for (const QString& nom : Forms().loadedNames())
            if (nom != "frmWavix" && nom != "frmToolBox")
                libres << nom;
    const QStringList fautes = chevauchements(p.mdi.get(), libres);
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join("\n")));

    // The column right of the scope where it fits, else below the scope.
    const int bas = basDesBornes();
    for (const QString& nom : {sourceA, sourceB, QString(evalue ? "frmExo" : ""), QString(chrono ? "frmChrono" : "")}) {
        if (nom.isEmpty())
            continue;
        const VbForm* f = Forms().find(nom);
        QVERIFY2(f, qPrintable(nom));
        if (zone.right() - cadre(scope).right() >= cadre(f).width()) {
            // At the top of the column, where no multimeter needs its room.
            if (multimetre.isEmpty() && (nom == sourceA || (nom == "frmExo" && sourceA.isEmpty())))
                QCOMPARE(f->frame()->pos(), QPoint(cadre(scope).right() + 1, 0));
        } else if (libres.isEmpty()) {
            QVERIFY2(cadre(f).top() > bas, qPrintable(nom));
        }
    }

    for (auto it = avant.cbegin(); it != avant.cend(); ++it) {
        const VbForm* f = Forms().find(it.key());
        QVERIFY2(f, qPrintable(it.key()));
        QCOMPARE(cadre(f).size(), it.value().size());
        QCOMPARE(f->frame()->isVisible(), visibles.value(it.key()));
    }
    // The layout is no setting: nothing is written until a window closes.
    QCOMPARE(TestHome::readFile(p.ini()), reglages);
}

void tst_Fenetres::answerWindowPlace()
{
    // The answer window opens below the scope, clear of its front panel, and
    // reopens where the student last left it (twips in "Interface").
    Programme p;
    p.fenetrePrincipale({});
    Modele().passerEnModeLibre(false);
    auto* reponses = Forms().get<frmExo>();
    reponses->Show();
    const VbForm* scope = Forms().find("frmWavix");
    QCOMPARE(cadre(reponses).left(), cadre(scope).left());
    QVERIFY(cadre(reponses).top() > basDesBornes());
    const QStringList fautes = chevauchements(p.mdi.get());
    QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join("\n")));

    const QPoint laissee = cadre(reponses).topLeft() + QPoint(40, -30);
    reponses->frame()->move(laissee);
    p.mdi->retourModeLibre(false);
    QVERIFY(!Forms().isLoaded("frmExo"));
    QCOMPARE(LireNombreINI("Interface", "PosX Exo", -1), pixelsToTwips(laissee.x()));
    QCOMPARE(LireNombreINI("Interface", "PosY Exo", -1), pixelsToTwips(laissee.y()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Modele().passerEnModeLibre(false);
    auto* encore = Forms().get<frmExo>();
    encore->Show();
    QCOMPARE(cadre(encore).topLeft(), laissee);
}

void tst_Fenetres::normalMainWindowFits()
{
    // Brought back from maximised, the main window lies inside the work area;
    // maximised, the toolbox shows whole.
    Programme p;
    p.fenetrePrincipale({});
    const VbForm* boite = Forms().find("frmToolBox");
    QVERIFY(zoneEnfants(p.mdi.get()).contains(cadre(boite)));
    // Even from a normal size larger than the screen.
    p.mdi->showNormal();
    p.mdi->resize(ecran()->geometry().size() + QSize(200, 200));
    p.mdi->showMaximized();
    QCoreApplication::processEvents();
    p.mdi->showNormal();
    QTRY_VERIFY2(ecran()->availableGeometry().contains(p.mdi->frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(p.mdi->frameGeometry().x()).arg(p.mdi->frameGeometry().y())
                                .arg(p.mdi->frameGeometry().width()).arg(p.mdi->frameGeometry().height())));
}

QTEST_MAIN(tst_Fenetres)
#include "tst_fenetres.moc"
