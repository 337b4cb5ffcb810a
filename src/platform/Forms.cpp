#include "platform/Forms.h"

#include "platform/Dialogs.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QSvgRenderer>

VbForm::VbForm(const QString& name, bool mdiChild)
    : QWidget(nullptr, mdiChild ? Qt::Widget : kDialogFrame), mdiChild_(mdiChild)
{
    setObjectName(name);
}

QWidget* VbForm::frame() const
{
    QWidget* cadre = frame_.data();
    return cadre ? cadre : const_cast<VbForm*>(this);
}

void VbForm::attachFrame(QMdiSubWindow* frame)
{
    frame_ = frame;
}

void VbForm::Show(bool modal)
{
    if (!mdiChild_ && !placed_) {
        // A dialog opens centred over the main window (or the screen).
        placed_ = true;
        const QWidget* owner = Forms().mdiArea() ? Forms().mdiArea()->window() : nullptr;
        QRect zone;
        if (owner && owner->isVisible())
            zone = owner->frameGeometry();
        else if (const QScreen* screen = QGuiApplication::primaryScreen())
            zone = screen->availableGeometry();
        if (zone.isValid()) {
            QRect box = frameGeometry();
            box.moveCenter(zone.center());
            move(box.topLeft());
        }
    }
    if (modal) {
        dialogs().showModal(this);
        return;
    }
    frame()->show();
    if (frame_)
        frame_->raise();
    show();
}

void VbForm::Hide()
{
    frame()->hide();
}

void VbForm::Unload()
{
    Forms().unload(formName());
}

double VbForm::Left() const { return pixelsToTwips(frame()->x()); }
double VbForm::Top() const { return pixelsToTwips(frame()->y()); }
double VbForm::Width() const { return pixelsToTwips(frame()->width()); }
double VbForm::Height() const { return pixelsToTwips(frame()->height()); }

void VbForm::setLeft(double twips) { Move(twips, Top()); }
void VbForm::setTop(double twips) { Move(Left(), twips); }
void VbForm::Move(double left, double top)
{
    placed_ = true;
    frame()->move(twipsToPixels(left), twipsToPixels(top));
}

void VbForm::setClientSizeTwips(double width, double height)
{
    setFixedSize(twipsToPixels(width), twipsToPixels(height));
    if (frame_)
        frame_->adjustSize();
}

QPoint placeInside(const QRect& box, const QRect& area)
{
    QPoint coin = box.topLeft();
    coin.setX(std::max(area.left(), std::min(coin.x(), area.right() + 1 - box.width())));
    coin.setY(std::max(area.top(), std::min(coin.y(), area.bottom() + 1 - box.height())));
    return coin;
}

QRect VbForm::visibleArea() const
{
    const QWidget* owner = Forms().mdiArea() ? Forms().mdiArea()->window() : nullptr;
    const QScreen* screen = owner && owner->isVisible() ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect travail = screen ? screen->availableGeometry() : QRect();
    if (!frame_)
        return travail;
    const QWidget* vue = Forms().mdiArea() ? Forms().mdiArea()->viewport() : nullptr;
    if (!vue || !vue->isVisible() || !travail.isValid())
        return {};
    if (owner->isMaximized() || owner->isFullScreen()) {
        // A window manager gives a maximised window its size later: take
        // the size it will have, the main window's own bars and frame apart.
        QSize bords = owner->frameGeometry().size() - vue->size();
        if (owner->frameGeometry() == owner->geometry() && !owner->isFullScreen())
            bords.rheight() += owner->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        const QSize ecran = owner->isFullScreen() ? screen->geometry().size() : travail.size();
        return {QPoint(0, 0), ecran - bords};
    }
    return QRect(QPoint(0, 0), vue->size()) & travail.translated(-vue->mapToGlobal(QPoint(0, 0)));
}

void VbForm::keepVisible()
{
    const QRect zone = visibleArea();
    if (zone.isEmpty())
        return;
    // A child window's frame takes its size when first shown: give it now.
    if (frame_ && !frame_->isVisible() && !frame_->testAttribute(Qt::WA_Resized))
        frame_->adjustSize();
    QRect box(frame()->pos(), frame()->frameGeometry().size());
    // A dialog not shown yet has no title bar to measure.
    if (!frame_ && !isVisible())
        box.setHeight(box.height() + style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QPoint coin = placeInside(box, zone);
    if (coin != box.topLeft())
        frame()->move(coin);
}

void VbForm::setFacePicture(const QString& resource)
{
    delete face_;
    face_ = new QSvgRenderer(resource, this);
    faceCache_ = QPixmap();
    update();
}

void VbForm::usePanelFont(double points)
{
    QFont small = font();
    small.setPointSizeF(points);
    setFont(small);
}

void VbForm::setDefaultButton(QPushButton* button)
{
    default_ = button;
    button->setDefault(true);
}

void VbForm::setCancelButton(QAbstractButton* button)
{
    setCancelAction([guard = QPointer<QAbstractButton>(button)] {
        if (guard && guard->isEnabled() && guard->isVisible())
            guard->click();
    });
}

void VbForm::keyPressEvent(QKeyEvent* event)
{
    // Keys the focused control did not take come here.
    if (!(event->modifiers() & ~Qt::KeypadModifier)) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            auto* bouton = qobject_cast<QPushButton*>(focusWidget());
            if (!bouton || !isAncestorOf(bouton))
                bouton = default_;
            if (bouton && bouton->isEnabled() && bouton->isVisible()) {
                bouton->click();
                return;
            }
        } else if (event->key() == Qt::Key_Escape && cancel_) {
            cancel_();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void VbForm::paintEvent(QPaintEvent* event)
{
    if (!face_ || !face_->isValid()) {
        QWidget::paintEvent(event);
        return;
    }
    // The SVG is rendered once for the window's size and pixel ratio; a
    // repaint only copies the picture.
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (faceCache_.size() != pixels || faceCache_.devicePixelRatio() != dpr) {
        faceCache_ = QPixmap(pixels);
        faceCache_.setDevicePixelRatio(dpr);
        faceCache_.fill(Qt::transparent);
        QPainter cache(&faceCache_);
        face_->render(&cache, QRectF(rect()));
    }
    QPainter p(this);
    const QRectF zone(event->rect());
    p.drawPixmap(zone, faceCache_, QRectF(zone.topLeft() * dpr, zone.size() * dpr));
}

void VbForm::closeEvent(QCloseEvent* event)
{
    if (unloading_) {
        event->accept();
        return;
    }
    if (closable_ && Forms().unload(formName(), UnloadMode::CloseBox))
        event->accept();
    else
        event->ignore();
}

namespace {

// The frame of a child window. Its title bar and border lie round the form,
// and the form and its controls repaint inside it (a turning knob, a label
// shows its corners' background); those repaints leave the title bar alone.
class CadreFenetre : public QMdiSubWindow {
public:
    using QMdiSubWindow::QMdiSubWindow;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const QWidget* contenu = widget();
        if (contenu && contenu->isVisible() && contenu->geometry().contains(event->region().boundingRect()))
            return;
        QMdiSubWindow::paintEvent(event);
    }
};

} // namespace

FormRegistry& FormRegistry::instance()
{
    static FormRegistry registry;
    return registry;
}

void FormRegistry::add(VbForm* form, const QString& name)
{
    form->setObjectName(name);
    if (form->isMdiChild() && mdiArea_) {
        Qt::WindowFlags flags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowMinimizeButtonHint;
        if (form->closable())
            flags |= Qt::WindowCloseButtonHint;
        if (!form->hasTitleBar())
            flags = Qt::SubWindow | Qt::FramelessWindowHint;
        auto* sub = new CadreFenetre(nullptr, flags);
        sub->setWidget(form);
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        mdiArea_->addSubWindow(sub);
        // The area gives every window a system menu, whose close button and
        // "Close" entry would do nothing on a window kept for the program's life.
        if (!form->closable())
            sub->setWindowFlags(sub->windowFlags() & ~Qt::WindowSystemMenuHint);
        sub->hide();
        form->attachFrame(sub);
        QObject::connect(form, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    }
    forms_.insert(name, form);
    order_ << name;
    form->Form_Load();
}

VbForm* FormRegistry::find(const QString& name) const
{
    const auto it = forms_.constFind(name);
    return it == forms_.constEnd() ? nullptr : qobject_cast<VbForm*>(it.value().data());
}

void FormRegistry::setOpener(const QString& name, std::function<VbForm*()> opener)
{
    if (opener)
        openers_.insert(name, std::move(opener));
    else
        openers_.remove(name);
}

VbForm* FormRegistry::open(const QString& name)
{
    if (VbForm* existing = find(name))
        return existing;
    const auto it = openers_.constFind(name);
    return it == openers_.constEnd() ? nullptr : it.value()();
}

bool FormRegistry::unload(const QString& name, UnloadMode mode)
{
    VbForm* form = find(name);
    if (!form || form->unloading_)
        return form != nullptr;
    form->unloading_ = true;
    bool cancel = false;
    form->Form_QueryUnload(cancel, mode);
    // A shutdown cannot be cancelled: the window still gets its Form_Unload.
    if (!cancel || mode == UnloadMode::Shutdown)
        form->Form_Unload(cancel);
    if (cancel && mode != UnloadMode::Shutdown) {
        form->unloading_ = false;
        return false;
    }
    forms_.remove(name);
    order_.removeAll(name);
    Q_EMIT form->unloaded();
    QWidget* frame = form->frame();
    frame->hide();
    if (frame != form && mdiArea_)
        mdiArea_->removeSubWindow(frame);
    frame->deleteLater();
    return true;
}

void FormRegistry::unloadAll()
{
    // Newest first, as windows opened from others close before them.
    const QStringList names = order_;
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        unload(*it, UnloadMode::Shutdown);
}

QStringList FormRegistry::loadedNames() const
{
    return order_;
}
