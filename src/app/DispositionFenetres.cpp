#include "app/DispositionFenetres.h"

#include "app/MDIWavix.h"
#include "bench/frmToolBox.h"
#include "platform/Forms.h"
#include "platform/PanelBarGraph.h"
#include "platform/PictureBox.h"
#include "platform/Potentio_Creme.h"
#include "platform/SevenSegmentLabel.h"
#include "platform/Shape.h"
#include "platform/VbConversions.h"
#include "scope/frmWavix.h"
#include "services/EtatBanc.h"
#include "services/PositionFenetre.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QResizeEvent> // and the window state change
#include <QScreen>
#include <QStyle>

#include <limits>
#include <set>
#include <tuple>

using namespace placement;

namespace {

// The default layout, in twips inside the main window.
constexpr double kScopeGauche = 720;
constexpr double kScopeHaut = 0;
constexpr double kHautVoieB = 4935;
constexpr double kLargeurColonne = 4125; // the stopwatch is centred in it

QPoint pixels(double gaucheTwips, double hautTwips)
{
    return {twipsToPixels(gaucheTwips), twipsToPixels(hautTwips)};
}

// What a user works with on an instrument, shown or not (a display lights
// up when the instrument is on, a plug appears in its socket, a key shows
// with its option): knobs, sliders and selectors, keys, lamps, sockets with
// their plugs, and displays.
bool commandeUtile(const QWidget* w)
{
    const QString nom = w->objectName();
    if (nom.isEmpty() || nom.startsWith(QLatin1String("qt_")) || w->isWindow())
        return false;
    if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractSlider*>(w)
        || qobject_cast<const Potentio_Creme*>(w) || qobject_cast<const SevenSegmentLabel*>(w)
        || qobject_cast<const QProgressBar*>(w) || qobject_cast<const PanelBarGraph*>(w))
        return true;
    if (const auto* forme = qobject_cast<const Shape*>(w); forme && forme->kind() == Shape::Lamp)
        return true;
    static const QStringList images = {QStringLiteral("imgBorne"), QStringLiteral("imgFiche"),
                                       QStringLiteral("imgSelecteur"), QStringLiteral("imgOn")};
    for (const QString& debut : images)
        if (nom.startsWith(debut))
            return true;
    // A meter's or the stopwatch's screen ("picEcranVolt", "shpEcran",
    // "lblEcran"); the scope's drawing surfaces count as its screen.
    return nom.contains(QLatin1String("Ecran")) && !qobject_cast<const PictureBox*>(w);
}

// One window of the bench as the layout sees it; its parts are given from
// its frame's top left corner.
struct Fenetre {
    VbForm* forme = nullptr;
    QSize taille;
    QPoint coin;          // where it is (MDI area pixels)
    QPoint voulu;         // where the layout would have it
    bool mobile = false;  // placed by the layout, else left where it is
    int rang = -1;        // in the stacking: placed windows above the others
    QRect titre;          // its title bar (empty: none)
    QRect ecran;          // the scope's screen, never to be covered
    QList<QRect> commandes;
    QList<QRect> prises;  // what counts as lying over it
};

Fenetre decrire(VbForm* f, bool mobile)
{
    Fenetre w;
    w.forme = f;
    const QRect cadre = cadrePixels(f);
    w.taille = cadre.size();
    w.coin = cadre.topLeft();
    w.mobile = mobile;
    const QPoint client = f->mapTo(f->frame(), QPoint(0, 0));
    if (client.y() > 0)
        w.titre = QRect(0, 0, w.taille.width(), client.y());
    for (const QWidget* c : f->findChildren<QWidget*>()) {
        const QRect place(c->mapTo(f, QPoint(0, 0)) + client, c->size());
        if (qobject_cast<const PictureBox*>(c) && c->isVisibleTo(f))
            w.ecran = w.ecran.isNull() ? place : w.ecran.united(place);
        else if (commandeUtile(c))
            w.commandes << place;
    }
    if (f->formName() == QLatin1String(kNomFenetreScope)) {
        // The margins of its face may be overlapped, not its title nor its
        // legends.
        if (!w.titre.isEmpty())
            w.prises << w.titre;
        for (const QWidget* c : f->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("qt_")))
                w.prises << QRect(c->mapTo(f, QPoint(0, 0)) + client, c->size());
    } else {
        w.prises << QRect(QPoint(0, 0), w.taille);
    }
    return w;
}

// What a layout costs, the worst first: title bars under another window,
// the scope's screen covered, controls covered, windows lying over others,
// and last how far the windows are from their places.
struct Cout {
    long titres = 0;
    long ecran = 0;
    long commandes = 0;
    long recouvrement = 0;
    long distance = 0;

    auto cle() const { return std::tie(titres, ecran, commandes, recouvrement, distance); }
    bool operator<(const Cout& o) const { return cle() < o.cle(); }
    // What it covers, whatever the distance.
    Cout recouvre() const
    {
        Cout c = *this;
        c.distance = 0;
        return c;
    }
};

// What the upper window, at its corner, covers of the lower one at its own.
void couvrir(const Fenetre& haut, QPoint coinHaut, const Fenetre& bas, QPoint coinBas, Cout& cout)
{
    const QRect boite(coinHaut, haut.taille);
    if (!boite.intersects(QRect(coinBas, bas.taille)))
        return;
    const QRect dessous = boite.translated(-coinBas); // in the lower window's frame
    if (dessous.intersects(bas.titre))
        ++cout.titres;
    cout.ecran += aire(dessous & bas.ecran);
    for (const QRect& c : bas.commandes)
        cout.commandes += dessous.intersects(c) ? 1 : 0;
    for (const QRect& p : bas.prises)
        cout.recouvrement += aire(dessous & p);
}

long distance2(QPoint a, QPoint b)
{
    const long dx = a.x() - b.x();
    const long dy = a.y() - b.y();
    return dx * dx + dy * dy;
}

class Disposition {
public:
    Disposition(QList<Fenetre> fenetres, QRect zone) : fenetres_(std::move(fenetres)), zone_(zone) {}

    // The windows placed one by one in this order, each above those before,
    // then each moved again while that lowers the cost; the cost of the result.
    Cout disposer(const QList<int>& ordre)
    {
        for (Fenetre& w : fenetres_)
            w.rang = -1;
        for (int i : ordre) {
            fenetres_[i].rang = int(ordre.indexOf(i));
            fenetres_[i].coin = meilleurCoin(i).first;
        }
        for (int passe = 0; passe < 4; ++passe) {
            bool change = false;
            for (int i : ordre) {
                const auto [coin, cout] = meilleurCoin(i);
                if (cout < coutA(i, fenetres_[i].coin)) {
                    fenetres_[i].coin = coin;
                    change = true;
                }
            }
            if (!change)
                break;
        }
        ordonnerJumelles(ordre);
        return total();
    }

    const QList<Fenetre>& fenetres() const { return fenetres_; }
    int rang(const VbForm* f) const
    {
        for (const Fenetre& w : fenetres_)
            if (w.forme == f)
                return w.rang;
        return -1;
    }

private:
    bool placee(const Fenetre& w) const { return !w.mobile || w.rang >= 0; }

    // What window i costs at that corner against the windows already placed,
    // with the plafond beyond which counting stops.
    Cout coutA(int i, QPoint coin, const Cout* plafond = nullptr) const
    {
        const Fenetre& w = fenetres_[i];
        Cout cout;
        cout.distance = distance2(coin, w.voulu);
        for (qsizetype j = 0; j < fenetres_.size(); ++j) {
            const Fenetre& o = fenetres_[j];
            if (j == i || !placee(o))
                continue;
            if (w.rang > o.rang)
                couvrir(w, coin, o, o.coin, cout);
            else
                couvrir(o, o.coin, w, coin, cout);
            if (plafond && *plafond < cout)
                return cout;
        }
        return cout;
    }

    // The corners worth trying: against the edges of the zone and of every
    // part of the other windows, kept inside the zone.
    std::pair<QPoint, Cout> meilleurCoin(int i) const
    {
        const Fenetre& w = fenetres_[i];
        const int largeur = w.taille.width();
        const int hauteur = w.taille.height();
        std::set<int> xs{w.voulu.x(), zone_.left(), zone_.right() + 1 - largeur};
        std::set<int> ys{w.voulu.y(), zone_.top(), zone_.bottom() + 1 - hauteur};
        const auto bords = [&](const QRect& r) {
            xs.insert(r.left() - largeur);
            xs.insert(r.right() + 1);
            ys.insert(r.top() - hauteur);
            ys.insert(r.bottom() + 1);
        };
        for (qsizetype j = 0; j < fenetres_.size(); ++j) {
            const Fenetre& o = fenetres_[j];
            if (j == i || !placee(o))
                continue;
            bords(QRect(o.coin, o.taille));
            for (const QList<QRect>& parts : {o.commandes, o.prises, QList<QRect>{o.titre, o.ecran}})
                for (const QRect& p : parts)
                    if (!p.isEmpty())
                        bords(p.translated(o.coin));
        }
        const auto dansZone = [](int v, int debut, int fin, int etendue) {
            return etendue > fin - debut + 1 ? debut : std::clamp(v, debut, fin + 1 - etendue);
        };
        std::set<int> xsZone, ysZone;
        for (int x : xs)
            xsZone.insert(dansZone(x, zone_.left(), zone_.right(), largeur));
        for (int y : ys)
            ysZone.insert(dansZone(y, zone_.top(), zone_.bottom(), hauteur));
        std::pair<QPoint, Cout> meilleur{w.voulu, {}};
        meilleur.second.titres = std::numeric_limits<long>::max();
        for (int y : ysZone)
            for (int x : xsZone) {
                const QPoint coin(x, y);
                const Cout cout = coutA(i, coin, &meilleur.second);
                if (cout < meilleur.second)
                    meilleur = {coin, cout};
            }
        return meilleur;
    }

    // Twin windows (a CH1 and a CH2 source of one kind) read in the order of
    // their channels, CH1 left of or above CH2, when trading places costs
    // nothing more.
    void ordonnerJumelles(const QList<int>& ordre)
    {
        const auto avant = [this](const Fenetre& a, const Fenetre& b) {
            const QRect ra(a.coin, a.taille);
            const QRect rb(b.coin, b.taille);
            const bool rangee = ra.top() <= rb.bottom() && rb.top() <= ra.bottom();
            const bool colonne = ra.left() <= rb.right() && rb.left() <= ra.right();
            return (rangee && ra.right() < rb.left()) || (colonne && ra.bottom() < rb.top());
        };
        QList<int> mobiles = ordre;
        std::sort(mobiles.begin(), mobiles.end());
        for (qsizetype a = 0; a < mobiles.size(); ++a)
            for (qsizetype b = a + 1; b < mobiles.size(); ++b) {
                Fenetre& premiere = fenetres_[mobiles[a]];
                Fenetre& seconde = fenetres_[mobiles[b]];
                if (premiere.taille != seconde.taille || !avant(seconde, premiere))
                    continue;
                const Cout ancien = total().recouvre();
                std::swap(premiere.coin, seconde.coin);
                std::swap(premiere.rang, seconde.rang);
                if (ancien < total().recouvre()) {
                    std::swap(premiere.coin, seconde.coin);
                    std::swap(premiere.rang, seconde.rang);
                }
            }
    }

    Cout total() const
    {
        Cout somme;
        for (qsizetype i = 0; i < fenetres_.size(); ++i) {
            const Fenetre& w = fenetres_[i];
            if (!w.mobile)
                continue;
            somme.distance += distance2(w.coin, w.voulu);
            for (const Fenetre& o : fenetres_)
                if (&o != &w && o.rang < w.rang)
                    couvrir(w, w.coin, o, o.coin, somme);
        }
        return somme;
    }

    QList<Fenetre> fenetres_;
    QRect zone_;
};

// Watches the main window's state and, once it is back from maximised, its
// area's size.
class RetourEnVue : public QObject {
public:
    RetourEnVue(QMainWindow* principale, QMdiArea* zone) : QObject(zone), principale_(principale), zone_(zone)
    {
        principale->installEventFilter(this);
        zone->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        constexpr Qt::WindowStates agrandie = Qt::WindowMaximized | Qt::WindowFullScreen;
        if (objet == principale_ && evenement->type() == QEvent::WindowStateChange) {
            const auto* change = static_cast<QWindowStateChangeEvent*>(evenement);
            retour_ = (change->oldState() & agrandie) && !(principale_->windowState() & (agrandie | Qt::WindowMinimized));
            if (retour_)
                ramener();
        } else if (objet == zone_ && evenement->type() == QEvent::Resize && retour_) {
            ramener();
        }
        return false;
    }

private:
    // Each child window that lies partly out of the area comes in, as far as
    // it fits: a window taller (wider) than the area keeps the scroll bar it
    // needs, and the others leave that bar its room.
    void ramener() const
    {
        const QScreen* ecran = principale_->screen();
        if (!ecran || !zone_->viewport()->isVisible())
            return;
        const QList<QMdiSubWindow*> fenetres = zone_->subWindowList();
        QSize taille = zone_->contentsRect().size();
        const int barre = zone_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, zone_);
        for (int essai = 0; essai < 2; ++essai) {
            bool haute = false, large = false;
            for (const QMdiSubWindow* s : fenetres)
                if (s->isVisible()) {
                    haute = haute || s->height() > taille.height();
                    large = large || s->width() > taille.width();
                }
            taille = zone_->contentsRect().size() - QSize(haute ? barre : 0, large ? barre : 0);
        }
        // The area as it shows, on the screen's work area.
        const QRect vue = QRect(QPoint(0, 0), taille)
            & ecran->availableGeometry().translated(-zone_->viewport()->mapToGlobal(QPoint(0, 0)));
        if (vue.isEmpty())
            return;
        for (QMdiSubWindow* s : fenetres) {
            const QRect cadre = s->geometry();
            if (s->isVisible() && !vue.contains(cadre))
                s->move(placeInside(cadre, vue));
        }
    }

    QMainWindow* principale_;
    QMdiArea* zone_;
    bool retour_ = false;
};

} // namespace

void GarderEnVueAuRetour(QMainWindow* principale, QMdiArea* zone)
{
    new RetourEnVue(principale, zone);
}

void PositionnerFenetres()
{
    VbForm* scope = Forms().get<frmWavix>();
    scope->Move(kScopeGauche, kScopeHaut);
    const double gauche = scope->Left();
    const double haut = scope->Top();
    const double hauteur = scope->Height();
    const double colonne = gauche + scope->Width();

    // The windows to place with their designed places (twips), in order.
    struct AFaire {
        VbForm* fenetre;
        QPoint voulu;
    };
    QList<AFaire> aFaire;
    const auto ajouter = [&aFaire](const QString& nom, double x, double y) {
        if (VbForm* f = Forms().find(nom))
            aFaire.append({f, pixels(x, y)});
    };
    const MDIWavix* mdi = MDIWavix::instance();
    if (const frmToolBox* boite = Forms().find<frmToolBox>()) {
        for (int option = 0; option < int(boite->optConnexion.size()); ++option) {
            const QString fenetre = FenetreOption(option);
            if (!fenetre.isEmpty() && boite->optionChoisie(option))
                ajouter(fenetre, colonne, VoieOption(option) == 0 ? 0 : kHautVoieB);
        }
    }
    if (mdi && !Banc().modeLibre)
        ajouter(QStringLiteral("frmExo"), colonne, 0);
    if (mdi && Banc().chronoAffiche) {
        if (VbForm* chrono = Forms().find(QStringLiteral("frmChrono")))
            aFaire.append({chrono, pixels(colonne + (kLargeurColonne - chrono->Width()) / 2,
                                          haut + hauteur - chrono->Height())});
    }
    if (mdi && Banc().multimetreAffiche)
        ajouter(NomMultimetre(), gauche, hauteur);

    for (const AFaire& a : aFaire)
        a.fenetre->frame()->move(a.voulu);
    const QRect zone = scope->visibleArea();
    if (!zone.isEmpty()) {
        // The windows left where they are (the scope, the toolbox, any other
        // shown), then those to place.
        QList<Fenetre> fenetres;
        QList<VbForm*> mobiles;
        for (const AFaire& a : aFaire)
            mobiles << a.fenetre;
        for (const QString& nom : Forms().loadedNames()) {
            VbForm* f = Forms().find(nom);
            if (f && f->isMdiChild() && !mobiles.contains(f) && f->frame()->isVisible())
                fenetres << decrire(f, false);
        }
        QList<int> ordre;
        for (const AFaire& a : aFaire) {
            Fenetre w = decrire(a.fenetre, true);
            w.voulu = a.voulu;
            ordre << int(fenetres.size());
            fenetres << w;
        }
        // In the designed order, and the largest windows first; each order
        // is also the stacking, the later windows above.
        QList<int> parTaille = ordre;
        std::stable_sort(parTaille.begin(), parTaille.end(), [&fenetres](int a, int b) {
            return aire(QRect(QPoint(), fenetres[a].taille)) > aire(QRect(QPoint(), fenetres[b].taille));
        });
        Disposition essai(fenetres, zone);
        const Cout prevu = essai.disposer(ordre).recouvre();
        Disposition retenue = essai;
        if (parTaille != ordre && Cout{} < prevu && essai.disposer(parTaille).recouvre() < prevu)
            retenue = essai;
        aFaire.clear();
        for (const Fenetre& w : retenue.fenetres())
            if (w.mobile)
                aFaire.append({w.forme, w.coin});
        std::sort(aFaire.begin(), aFaire.end(), [&retenue](const AFaire& a, const AFaire& b) {
            return retenue.rang(a.fenetre) < retenue.rang(b.fenetre);
        });
    }
    // What is placed comes to the front, in the stacking the layout chose;
    // the top one is the active window, which the area raises again when the
    // main window is activated.
    QMdiSubWindow* dessus = nullptr;
    for (const AFaire& a : aFaire)
        if (auto* sous = qobject_cast<QMdiSubWindow*>(a.fenetre->frame()); sous && sous->isVisible())
            dessus = sous;
    if (dessus && Forms().mdiArea())
        Forms().mdiArea()->setActiveSubWindow(dessus);
    scope->frame()->raise();
    for (const AFaire& a : aFaire) {
        a.fenetre->frame()->move(a.voulu);
        a.fenetre->frame()->raise();
        // A round window's face is painted afresh at its new place.
        a.fenetre->update();
    }
}
