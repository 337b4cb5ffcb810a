#include "platform/PictureBox.h"

#include "platform/LargeImage.h"
#include "platform/PixelFill.h"
#include "platform/PixelGridTrace.h"
#include "platform/ThickPolyline.h"

#include "platform/VbColor.h"
#include "platform/VbMouse.h"

#include <QBackingStore>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointer>

#include <algorithm>
#include <cstring>
#include <cmath>

namespace {

// The rows of rectangle r of a picture of 32-bit pixels copied into another,
// where r's point p lies at p - decalage.
void copierRangs(const QImage& source, const QRect& r, QImage& cible, QPoint decalage = {})
{
    uchar* const bits = cible.bits();
    const qsizetype stride = cible.bytesPerLine();
    const size_t octets = size_t(r.width()) * 4;
    for (int y = r.top(); y <= r.bottom(); ++y)
        std::memcpy(bits + (y - decalage.y()) * stride + (r.left() - decalage.x()) * 4,
                    source.constScanLine(y) + r.left() * 4, octets);
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    allocate();
}

PictureBox::~PictureBox()
{
    endPainting();
}

void PictureBox::allocate()
{
    endPainting();
    const qreal dpr = devicePixelRatioF();
    QImage fresh = largeImage(
        QSize(qMax(1, int(std::lround(width() * dpr))), qMax(1, int(std::lround(height() * dpr)))),
        QImage::Format_RGB32);
    fresh.setDevicePixelRatio(dpr);
    image_ = std::move(fresh);
    ink_.resize(image_.size());
    damage_.resize(image_.size());
    // The clear below starts afresh (ink_ marks everything): nothing held.
    heldInk_.resize(image_.size());
    shownSpans_.resize(image_.size());
    heldSpans_.resize(image_.size());
    Cls();
}

void PictureBox::Scale(double x1, double y1, double x2, double y2)
{
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleWidth_ = x2 - x1;
    scaleHeight_ = y2 - y1;
}

QPointF PictureBox::toPixel(double x, double y) const
{
    return QPointF((x - scaleLeft_) * kx(), (y - scaleTop_) * ky());
}

double PictureBox::devicePixelWidth() const
{
    const double pixels = width() * devicePixelRatioF();
    return pixels > 0 ? std::abs(scaleWidth_) / pixels : 0;
}

double PictureBox::devicePixelHeight() const
{
    const double pixels = height() * devicePixelRatioF();
    return pixels > 0 ? std::abs(scaleHeight_) / pixels : 0;
}

QPointF PictureBox::toUser(const QPointF& pixel) const
{
    return QPointF(kx() != 0 ? scaleLeft_ + pixel.x() / kx() : scaleLeft_,
                   ky() != 0 ? scaleTop_ + pixel.y() / ky() : scaleTop_);
}

bool PictureBox::imageFollowsWidget() const
{
    const qreal dpr = devicePixelRatioF();
    return image_.size() == QSize(qMax(1, int(std::lround(width() * dpr))), qMax(1, int(std::lround(height() * dpr))))
        && qFuzzyCompare(image_.devicePixelRatio(), dpr);
}

void PictureBox::ensureImage()
{
    // A hidden widget gets no resize event: follow its size here.
    if (!imageFollowsWidget())
        allocate();
}

QPainter& PictureBox::painter()
{
    // What the painter draws comes after the spans held back.
    settle();
    // The image follows the widget's size and pixel ratio when painting
    // begins; a resize ends the painting (resizeEvent) and Cls checks again.
    if (!painter_.isActive()) {
        ensureImage();
        if (painter_.isActive())
            return painter_; // allocate() began painting while clearing
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, true);
        penColor_ = penWidth_ = penStyle_ = -1;
    }
    return painter_;
}

void PictureBox::endPainting()
{
    if (painter_.isActive()) {
        flushLines();
        painter_.end();
    }
}

void PictureBox::touched(const QRectF& devicePixels)
{
    // Cut to the picture in floating point: a line far off it has corners no
    // int can hold. A rectangle with no number marks the whole picture.
    const QRectF picture(QPointF(0, 0), QSizeF(image_.size()));
    const QRectF r = devicePixels.normalized();
    const bool nombres = std::isfinite(r.left()) && std::isfinite(r.top()) && std::isfinite(r.right())
        && std::isfinite(r.bottom());
    ink_.mark(nombres ? (r & picture.adjusted(-1, -1, 1, 1)).toAlignedRect() : picture.toRect());
    scheduleUpdate();
}

void PictureBox::touchedByPen(const QRectF& logical)
{
    const qreal dpr = image_.devicePixelRatio();
    const double m = penWidth_ / 2.0 + 2;
    const QRectF r = logical.normalized().adjusted(-m, -m, m, m);
    touched(QRectF(r.topLeft() * dpr, r.bottomRight() * dpr));
}

QPainter& PictureBox::strokeWith(int color)
{
    QPainter& p = painter();
    flushLines();
    applyPen(color);
    return p;
}

namespace {

int showsHeld = 0;

std::vector<QPointer<PictureBox>>& boxesToShow()
{
    static std::vector<QPointer<PictureBox>> boxes;
    return boxes;
}

} // namespace

PictureBox::ShowAtEnd::ShowAtEnd()
{
    ++showsHeld;
}

PictureBox::ShowAtEnd::~ShowAtEnd()
{
    if (--showsHeld > 0)
        return;
    std::vector<QPointer<PictureBox>> boxes;
    boxes.swap(boxesToShow());
    for (const QPointer<PictureBox>& box : boxes)
        if (box) {
            box->showAtEnd_ = false;
            box->showDamage(true);
        }
}

void PictureBox::scheduleUpdate()
{
    // Drawn in a tick, shown when it ends, even if a repaint was already
    // posted before it: that one then finds nothing left to show.
    if (showsHeld > 0) {
        if (!showAtEnd_) {
            showAtEnd_ = true;
            boxesToShow().emplace_back(this);
        }
        return;
    }
    // One repaint of what changed, once the drawing of this turn is done.
    if (updateQueued_)
        return;
    updateQueued_ = true;
    QMetaObject::invokeMethod(this, [this] { showDamage(); }, Qt::QueuedConnection);
}

void PictureBox::showDamage(bool now)
{
    // What settling and the pending lines ink is shown here, not posted.
    updateQueued_ = true;
    settle();
    if (painter_.isActive())
        flushLines();
    updateQueued_ = false;
    damage_.unite(ink_);
    if (!damage_.empty()) {
        const QRegion zone = damage_.all() ? QRegion(rect()) : damage_.region(image_.devicePixelRatio());
        if (now)
            repaint(zone);
        else
            update(zone);
    }
    damage_.clear();
}

void PictureBox::inkedSpans(const QList<QRect>& spans)
{
    if (spans.isEmpty())
        return;
    int gauche = spans.front().left(), droite = spans.front().right();
    int haut = spans.front().top(), bas = spans.front().bottom();
    for (const QRect& span : spans) {
        gauche = std::min(gauche, span.left());
        droite = std::max(droite, span.right());
        haut = std::min(haut, span.top());
        bas = std::max(bas, span.bottom());
    }
    // A text's few tiles at once; a trace's one span at a time, so that a
    // thin curve across the picture marks only the tiles it crosses.
    constexpr int kPeu = 2 * DamageTiles::kSize;
    if (droite - gauche < kPeu && bas - haut < kPeu)
        ink_.mark(QRect(QPoint(gauche, haut), QPoint(droite, bas)));
    else
        for (const QRect& span : spans)
            ink_.mark(span);
    scheduleUpdate();
}

void PictureBox::restoreTiles(const DamageTiles& tiles)
{
    QPainter& p = painter();
    const qreal dpr = image_.devicePixelRatio();
    const std::vector<QRect> runs = tiles.runs();
    const bool direct = !picture_.isNull() && picture_.format() == image_.format()
        && qFuzzyCompare(picture_.devicePixelRatio(), dpr) && picture_.width() >= image_.width()
        && picture_.height() >= image_.height() && writableInPlace();
    if (direct) {
        for (const QRect& r : runs)
            copierRangs(picture_, r, image_);
        return;
    }
    for (const QRect& r : runs) {
        const QRectF logical(r.x() / dpr, r.y() / dpr, r.width() / dpr, r.height() / dpr);
        p.fillRect(logical, vbColor(backColor_));
        if (!picture_.isNull()) {
            const qreal pdpr = picture_.devicePixelRatio();
            p.drawImage(logical, picture_,
                        QRectF(logical.x() * pdpr, logical.y() * pdpr, logical.width() * pdpr, logical.height() * pdpr));
        }
    }
}

void PictureBox::inkSpans(const QList<QRect>& spans, int color)
{
    if (spans.isEmpty())
        return;
    if (clearHeld_) {
        // No line waits to be stroked: drawing one ends the hold.
        held_.push_back({spans, color});
        heldSpans_.add(spans, vbColor(color).rgb());
        scheduleUpdate();
        return;
    }
    painter();
    flushLines(); // lines drawn before come first
    fillSpans(spans, color);
    inkedSpans(spans);
}

void PictureBox::settle()
{
    if (!clearHeld_)
        return;
    // Resized since the clear (a hidden box hears of it only now): what was
    // held is of the old size, and the new picture starts afresh.
    if (!imageFollowsWidget()) {
        allocate();
        return;
    }
    clearHeld_ = false;
    // Tiles drawn otherwise are put back whatever comes; a tile whose spans
    // differ is put back if it held any, the rows they held, and shown
    // again, those rows and the new spans' rows.
    DamageTiles changed = heldInk_;
    DamageTiles back = heldInk_;
    for (int i = 0; i < shownSpans_.count(); ++i) {
        const uint64_t avant = shownSpans_.at(i), apres = heldSpans_.at(i);
        if (avant == apres)
            continue;
        if (avant != TileSignatures::kEmpty)
            back.markTileRows(i, shownSpans_.top(i), shownSpans_.bottom(i));
        if (avant == TileSignatures::kEmpty)
            changed.markTileRows(i, heldSpans_.top(i), heldSpans_.bottom(i));
        else if (apres == TileSignatures::kEmpty)
            changed.markTileRows(i, shownSpans_.top(i), shownSpans_.bottom(i));
        else
            changed.markTileRows(i, std::min(shownSpans_.top(i), heldSpans_.top(i)),
                                 std::max(shownSpans_.bottom(i), heldSpans_.bottom(i)));
    }
    if (!back.empty())
        restoreTiles(back);
    // Filled again, cut to the tiles that changed: the others hold them.
    for (const HeldSpans& h : held_)
        fillSpans(changed.within(h.spans), h.color);
    held_.clear();
    heldInk_.clear();
    shownSpans_.swap(heldSpans_);
    heldSpans_.clear();
    damage_.unite(changed);
    if (!changed.empty())
        scheduleUpdate();
}

void PictureBox::setBackColor(int rgb)
{
    backColor_ = rgb;
    Cls();
}

void PictureBox::setPicture(const QImage& picture)
{
    picture_ = picture;
    Cls();
}

void PictureBox::Cls()
{
    ensureImage();
    pending_.clear();
    const qint64 picture = picture_.isNull() ? 0 : picture_.cacheKey();
    if (!ink_.all() && picture == clearedPicture_ && backColor_ == clearedBack_) {
        // The same background as at the last clear: only what was drawn
        // since goes back to it, once what is drawn next is known. A second
        // clear drops the spans held since the first.
        if (!clearHeld_) {
            clearHeld_ = true;
            heldInk_ = ink_;
        }
        held_.clear();
        heldSpans_.clear();
    } else {
        clearHeld_ = false;
        held_.clear();
        heldInk_.clear();
        shownSpans_.clear();
        heldSpans_.clear();
        QPainter& p = painter();
        // An opaque picture that covers everything leaves no background to fill.
        const QSizeF covered = picture_.isNull() ? QSizeF() : picture_.deviceIndependentSize();
        if (picture_.isNull() || picture_.hasAlphaChannel() || covered.width() < width() || covered.height() < height())
            p.fillRect(QRectF(0, 0, width(), height()), vbColor(backColor_));
        if (!picture_.isNull())
            p.drawImage(QPointF(0, 0), picture_);
        damage_.markAll();
    }
    ink_.clear();
    clearedPicture_ = picture;
    clearedBack_ = backColor_;
    CurrentX = 0;
    CurrentY = 0;
    scheduleUpdate();
}

void PictureBox::applyPen(int color)
{
    const int width = qMax(1, DrawWidth);
    const int style = width > 1 ? Solid : DrawStyle;
    if (color == penColor_ && width == penWidth_ && style == penStyle_)
        return;
    QPen pen(vbColor(color));
    pen.setWidth(width);
    if (width > 1) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::BevelJoin);
    } else {
        pen.setCapStyle(Qt::FlatCap);
    }
    switch (style) {
    case Dash: pen.setDashPattern({18, 6}); break;
    case Dot: pen.setDashPattern({3, 3}); break;
    case DashDot: pen.setDashPattern({9, 6, 3, 6}); break;
    case DashDotDot: pen.setDashPattern({9, 3, 3, 3, 3, 3}); break;
    default: break;
    }
    painter_.setPen(pen);
    penColor_ = color;
    penWidth_ = width;
    penStyle_ = style;
}

void PictureBox::Line(double x1, double y1, double x2, double y2, int color)
{
    painter();
    const QPointF from = toPixel(x1, y1);
    const QPointF to = toPixel(x2, y2);
    // Segments that follow one another with the same pen are stroked as one
    // polyline: a trace is thousands of them.
    const int width = qMax(1, DrawWidth);
    const int style = width > 1 ? int(Solid) : DrawStyle;
    if (pending_.isEmpty() || color != penColor_ || width != penWidth_ || style != penStyle_
        || pending_.constLast() != from) {
        flushLines();
        applyPen(color);
        pending_ << from;
        pendingLow_ = pendingHigh_ = from;
    }
    pending_ << to;
    pendingLow_ = QPointF(std::min(pendingLow_.x(), to.x()), std::min(pendingLow_.y(), to.y()));
    pendingHigh_ = QPointF(std::max(pendingHigh_.x(), to.x()), std::max(pendingHigh_.y(), to.y()));
    CurrentX = x2;
    CurrentY = y2;
    scheduleUpdate();
}

void PictureBox::flushLines()
{
    if (pending_.size() >= 2) {
        painter_.drawPolyline(pending_);
        touchedByPen(QRectF(pendingLow_, pendingHigh_));
    }
    pending_.clear();
}

const QPolygonF& PictureBox::devicePoints(const QPolygonF& points) const
{
    const qreal dpr = image_.devicePixelRatio();
    // Into the buffer of the last call: a figure of 30 000 points each tick
    // would otherwise take fresh memory from the system each time.
    devicePoints_.resize(points.size());
    QPointF* pixels = devicePoints_.data();
    // toPixel()'s scales worked out once, not twice a point.
    const double ax = kx(), ay = ky();
    const QPointF* p = points.constData();
    for (qsizetype i = 0; i < points.size(); ++i)
        pixels[i] = QPointF((p[i].x() - scaleLeft_) * ax, (p[i].y() - scaleTop_) * ay) * dpr;
    return devicePoints_;
}

void PictureBox::Trace(const QPolygonF& points, int color)
{
    traceReduced(points, color, reduceToPixelGrid);
}

void PictureBox::TraceColumns(const QPolygonF& points, int color)
{
    traceReduced(points, color, reduceColumnsToPixelGrid);
}

void PictureBox::traceReduced(const QPolygonF& points, int color,
                              PixelGridTrace (*reduce)(const QPolygonF&, double, QSize))
{
    if (points.isEmpty())
        return;
    const qreal dpr = image_.devicePixelRatio();
    const QPolygonF& pixels = devicePoints(points);
    const QTransform toLogical = QTransform::fromScale(1 / dpr, 1 / dpr);
    // The pen applyPen would set.
    const int width = qMax(1, DrawWidth);
    const double m = width * dpr / 2 + 2;
    if (width == 1 && DrawStyle != Solid) {
        // Dashes run along the whole line; a thin pen is cheap anyway.
        QPainter& p = strokeWith(color);
        if (pixels.size() >= 2) {
            p.drawPolyline(toLogical.map(pixels));
            touched(pixels.boundingRect().adjusted(-m, -m, m, m));
        }
    } else {
        const PixelGridTrace reduced = reduce(pixels, width * dpr, image_.size());
        if (!reduced.polylines.isEmpty()) {
            QPainter& p = strokeWith(color);
            inkSpans(reduced.spans, color);
            for (const QPolygonF& piece : reduced.polylines) {
                p.drawPolyline(dpr == 1 ? piece : toLogical.map(piece));
                touched(piece.boundingRect().adjusted(-m, -m, m, m));
            }
        } else {
            inkSpans(reduced.spans, color);
        }
    }
    CurrentX = points.constLast().x();
    CurrentY = points.constLast().y();
    scheduleUpdate();
}

bool PictureBox::writableInPlace()
{
    const QPainter& p = painter();
    return image_.format() == QImage::Format_RGB32 && image_.isDetached() && !p.hasClipping() && p.opacity() == 1
        && p.compositionMode() == QPainter::CompositionMode_SourceOver;
}

void PictureBox::Polyline(const QPolygonF& points, int color)
{
    if (points.isEmpty())
        return;
    QPainter& p = strokeWith(color);
    const qreal dpr = image_.devicePixelRatio();
    if (penStyle_ == Solid && penWidth_ > 1 && writableInPlace()) {
        strokeWideFigure(image_, devicePoints(points), penWidth_ * dpr, vbColor(color).rgb(), &ink_);
    } else if (penStyle_ == Solid && dpr == 1 && writableInPlace()) {
        // The segments the painter would draw below, in its own pixels.
        strokeThinPolyline(image_, points.size() >= 2 ? devicePoints(points) : QPolygonF(), vbColor(color).rgb(),
                           &ink_);
    } else if (points.size() >= 2) {
        const QPolygonF logical = QTransform::fromScale(1 / dpr, 1 / dpr).map(devicePoints(points));
        const QRectF extent = logical.boundingRect();
        if (extent.width() == 0 && extent.height() == 0)
            p.drawPoint(logical.constFirst()); // a figure standing still is a spot
        // One segment at a time, each cut to the picture first: no outline of
        // the whole figure, and no coordinate the raster cannot draw. Each
        // segment's tiles are what it inks.
        const double m = penWidth_ / 2.0 + 2;
        const QRectF cadre = QRectF(0, 0, width(), height()).adjusted(-m, -m, m, m);
        for (qsizetype i = 1; i < logical.size(); ++i) {
            QPointF a = logical[i - 1], b = logical[i];
            if (!clipSegment(a, b, cadre))
                continue;
            p.drawLine(a, b);
            touchedByPen(QRectF(a, b));
        }
    }
    CurrentX = points.constLast().x();
    CurrentY = points.constLast().y();
    scheduleUpdate();
}

void PictureBox::fillSpans(const QList<QRect>& spans, int color)
{
    if (spans.isEmpty())
        return;
    QPainter& p = painter();
    if (writableInPlace()) {
        // Whole device pixels of one opaque colour go straight into the
        // picture, which the painter draws into without buffering: the
        // raster engine pays a call for every row of a rectangle, ruinous
        // for the one-pixel columns of a thin trace's teeth.
        fillRects(image_, spans, vbColor(color).rgb());
        return;
    }
    const QPen pen = p.pen();
    p.setPen(Qt::NoPen);
    p.setBrush(vbColor(color));
    const qreal dpr = image_.devicePixelRatio();
    if (dpr == 1) {
        p.drawRects(spans);
    } else {
        const QTransform toLogical = QTransform::fromScale(1 / dpr, 1 / dpr);
        QList<QRectF> logical;
        logical.reserve(spans.size());
        for (const QRect& s : spans)
            logical.append(toLogical.mapRect(QRectF(s)));
        p.drawRects(logical);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(pen);
}

void PictureBox::PSet(double x, double y, int color)
{
    QPainter& p = painter();
    flushLines();
    const int style = DrawStyle;
    DrawStyle = Solid;
    applyPen(color);
    DrawStyle = style;
    const QPointF point = toPixel(x, y);
    p.drawPoint(point);
    touchedByPen(QRectF(point, point));
    CurrentX = x;
    CurrentY = y;
}

double PictureBox::TextWidth(const QString& text) const
{
    return kx() != 0 ? texts_.advance(FontName, fontPoints(), text, image_) / kx() : 0;
}

double PictureBox::TextHeight(const QString&) const
{
    return ky() != 0 ? texts_.height(FontName, fontPoints(), image_) / ky() : 0;
}

void PictureBox::Print(const QString& text)
{
    const QPointF topLeft = toPixel(CurrentX, CurrentY);
    const QPointF baseline(topLeft.x(), topLeft.y() + texts_.ascent(FontName, fontPoints(), image_));
    if (image_.devicePixelRatio() == 1) {
        // The same text at the same place is not shaped again: its pixels
        // are known.
        inkSpans(texts_.ink(FontName, fontPoints(), text, baseline, image_), ForeColor);
    } else {
        QPainter& p = painter();
        flushLines(); // lines drawn before come first
        const QFont& font = texts_.font(FontName, fontPoints(), image_);
        p.setFont(font);
        p.setPen(vbColor(ForeColor));
        penColor_ = -1;
        p.drawText(baseline, text);
        const QFontMetricsF metrics(font, &image_);
        const QRectF ink = metrics.boundingRect(text).translated(baseline).adjusted(-2, -2, 2, 2)
                               | QRectF(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
        const qreal dpr = image_.devicePixelRatio();
        touched(QRectF(ink.topLeft() * dpr, ink.bottomRight() * dpr));
    }
    CurrentX = scaleLeft_;
    CurrentY += TextHeight(text);
}

QImage PictureBox::Image()
{
    settle();
    ensureImage();
    endPainting();
    return image_;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    // The drawing goes on in the next tick: the painter stays on the
    // picture, only what it holds back is drawn.
    settle();
    if (painter_.isActive())
        flushLines();
    if (copyToWindow(event->region()))
        return;
    QPainter p(this);
    const qreal dpr = image_.devicePixelRatio();
    // Clipped to a region of several rectangles, the raster engine hands a
    // copy of 96 rows or more to its thread pool, whose waking costs more
    // than the few tiles copied: the rectangles go in bands of 64 rows.
    constexpr int kBande = 64;
    for (const QRect& r : event->region())
        for (int y = r.top(); y <= r.bottom(); y += kBande) {
            const QRect bande(r.left(), y, r.width(), std::min(kBande, r.bottom() - y + 1));
            p.drawImage(bande, image_, QRectF(bande.topLeft() * dpr, bande.size() * dpr));
        }
}

bool PictureBox::copyToWindow(const QRegion& region)
{
    // Painted into the window's own buffer (a picture of 32-bit pixels at
    // the same scale, as the backing store of a plain window is), the rows
    // are copied there: a painter set up for a few tiles, and a call of its
    // for each, cost more than the copy at every tick of an animation. Any
    // other target (a grab, a widget with an effect) is painted.
    QPoint decalage;
    QPaintDevice* cible = redirected(&decalage);
    QBackingStore* tampon = backingStore();
    if (!cible || !tampon || cible != tampon->paintDevice() || cible->devType() != QInternal::Image)
        return false;
    QImage& fenetre = *static_cast<QImage*>(cible);
    const QImage::Format f = fenetre.format();
    if ((f != QImage::Format_RGB32 && f != QImage::Format_ARGB32_Premultiplied && f != QImage::Format_ARGB32)
        || fenetre.devicePixelRatio() != 1 || image_.devicePixelRatio() != 1 || image_.format() != QImage::Format_RGB32)
        return false;
    // The widget's point p lies at p - decalage in the buffer.
    const QRect dedans = fenetre.rect().translated(decalage) & image_.rect();
    for (const QRect& zone : region)
        if (const QRect r = zone & dedans; !r.isEmpty())
            copierRangs(image_, r, fenetre, decalage);
    return true;
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ensureImage();
}

void PictureBox::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ensureImage();
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF u = toUser(event->position());
    Q_EMIT MouseDown(vbButtons(event->button()), vbShift(event->modifiers()), u.x(), u.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF u = toUser(event->position());
    Q_EMIT MouseMove(vbButtons(event->buttons()), vbShift(event->modifiers()), u.x(), u.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF u = toUser(event->position());
    Q_EMIT MouseUp(vbButtons(event->button()), vbShift(event->modifiers()), u.x(), u.y());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent*)
{
    Q_EMIT DblClick();
}
