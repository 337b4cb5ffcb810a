#include "platform/InfoBulles.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QToolTip>
#include <QWidget>

#include <climits>

namespace {

constexpr int kBordure = 1 + 2; // border line plus margin, each side
constexpr int kDecalageY = 21;  // below the pointer, as Qt places its own

bool bullesMasquees = false;
int largeurMaxBulle = INT_MAX;

// Text flags of the measure and of the drawing.
constexpr int kDrapeaux = Qt::TextWordWrap | Qt::TextExpandTabs;

// Whether the box (screen coordinates) covers a visible child of the widget.
bool cacheUnEnfant(const QRect& boite, const QWidget* widget)
{
    if (!widget)
        return false;
    for (const QWidget* enfant : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (enfant->isVisible() && QRect(enfant->mapToGlobal(QPoint(0, 0)), enfant->size()).intersects(boite))
            return true;
    return false;
}

class Bulle final : public QWidget {
public:
    Bulle() : QWidget(nullptr, Qt::ToolTip | Qt::BypassGraphicsProxyWidget)
    {
        setObjectName(QStringLiteral("BulleInfo"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void montrer(const QString& brut, const QPoint& souris, QWidget* proprietaire)
    {
        const TexteBulle t = AnalyserBulle(brut);
        texte_ = t.texte;
        alignement_ = t.alignement;
        proprietaire_ = proprietaire;
        setFont(QToolTip::font());
        setPalette(QToolTip::palette());
        const QSize taille = MesurerBulle(texte_, font(), largeurMaxBulle);
        const QScreen* ecran = QGuiApplication::screenAt(souris);
        if (!ecran)
            ecran = QGuiApplication::primaryScreen();
        const QRect zone = ecran ? ecran->geometry() : QRect(0, 0, taille.width(), INT_MAX / 2);
        int y = souris.y() + kDecalageY;
        const int x = PositionBulleX(souris.x(), taille.width(), zone);
        // Above the pointer near the bottom, or where it would hide what its
        // widget shows beside the pointer (the scope's x/y readout).
        if (y + taille.height() > zone.bottom() + 1 || cacheUnEnfant(QRect(QPoint(x, y), taille), proprietaire))
            y = souris.y() - taille.height() - 4;
        setGeometry(x, y, taille.width(), taille.height());
        show();
        raise();
        update();
    }
    QWidget* proprietaire() const { return proprietaire_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::ToolTipBase));
        p.setPen(palette().color(QPalette::ToolTipText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawText(rect().adjusted(kBordure, kBordure, -kBordure, -kBordure), int(alignement_) | kDrapeaux, texte_);
    }

private:
    QString texte_;
    Qt::Alignment alignement_ = Qt::AlignLeft;
    QPointer<QWidget> proprietaire_;
};

class FiltreBulles final : public QObject {
public:
    ~FiltreBulles() override { delete bulle_.data(); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ToolTip: {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (!widget)
                break;
            if (bullesMasquees) {
                cacher();
                return true;
            }
            const QString texte = widget->toolTip();
            if (texte.isEmpty()) {
                cacher();
                break; // a widget's own tooltip handling (item views, tab bars)
            }
            if (!bulle_)
                bulle_ = new Bulle;
            bulle_->montrer(texte, static_cast<QHelpEvent*>(event)->globalPos(), widget);
            return true;
        }
        case QEvent::Leave:
            if (bulle_ && watched == bulle_->proprietaire())
                cacher();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel:
        case QEvent::WindowDeactivate:
        case QEvent::FocusOut:
            cacher();
            break;
        default: break;
        }
        return QObject::eventFilter(watched, event);
    }

    void cacher()
    {
        if (bulle_ && bulle_->isVisible())
            bulle_->hide();
    }
    Bulle* bulle() const { return bulle_; }

private:
    QPointer<Bulle> bulle_;
};

FiltreBulles* filtre = nullptr;

} // namespace

bool InstallMultiLineToolTips()
{
    if (filtre || !QCoreApplication::instance())
        return false;
    filtre = new FiltreBulles;
    QCoreApplication::instance()->installEventFilter(filtre);
    largeurMaxBulle = INT_MAX;
    return true;
}

void RemoveMultiLineToolTips()
{
    if (!filtre)
        return;
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(filtre);
    delete filtre;
    filtre = nullptr;
}

void SetToolTipsHidden(bool hidden)
{
    bullesMasquees = hidden;
    if (hidden && filtre)
        filtre->cacher();
}

bool ToolTipsHidden()
{
    return bullesMasquees;
}

void SetToolTipMaxWidth(int pixels)
{
    largeurMaxBulle = pixels;
}

int ToolTipMaxWidth()
{
    return largeurMaxBulle;
}

TexteBulle AnalyserBulle(const QString& texte)
{
    const QString prefixe = texte.left(3).toLower();
    if (prefixe == QLatin1String("<c>"))
        return {texte.mid(3), Qt::AlignHCenter};
    if (prefixe == QLatin1String("<r>"))
        return {texte.mid(3), Qt::AlignRight};
    return {texte, Qt::AlignLeft};
}

QSize MesurerBulle(const QString& texte, const QFont& police, int largeurMax)
{
    // An unbounded width still has to fit the metrics' arithmetic.
    const int largeur = qBound(1, largeurMax, 1 << 20);
    const QRect r = QFontMetrics(police).boundingRect(QRect(0, 0, largeur, 0), kDrapeaux, texte);
    return {r.width() + 2 * kBordure, r.height() + 2 * kBordure};
}

int PositionBulleX(int sourisX, int largeur, const QRect& ecran)
{
    int x = sourisX - largeur / 2;
    if (x < ecran.left())
        x = ecran.left();
    if (x + largeur > ecran.left() + ecran.width())
        x = ecran.left() + ecran.width() - largeur;
    return x;
}

QWidget* BulleAffichee()
{
    Bulle* b = filtre ? filtre->bulle() : nullptr;
    return b && b->isVisible() ? b : nullptr;
}
