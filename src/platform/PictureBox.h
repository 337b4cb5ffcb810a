#pragma once

#include "platform/DamageTiles.h"
#include "platform/TextStamps.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QWidget>

#include <vector>

struct PixelGridTrace;

// A drawing surface that keeps what is drawn on it (an image), with a user
// scale, a background colour and a background picture that Cls restores,
// lines with a width and a dash style, points, and text printed at a current
// position. The widget only paints the image; the image is made at the
// screen's device pixel ratio so that lines stay crisp. Lines are drawn
// without antialiasing. Colours are RGB integers with red in the low byte.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum DrawStyleKind { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };

    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // While one lives (an animation's tick), the boxes drawn on show what
    // changed when the last one ends, painted then and there, rather than
    // each through a posted event and the window's own posted repaint.
    class ShowAtEnd {
    public:
        ShowAtEnd();
        ~ShowAtEnd();
        ShowAtEnd(const ShowAtEnd&) = delete;
        ShowAtEnd& operator=(const ShowAtEnd&) = delete;
    };

    // User scale: (x1, y1) is the upper-left corner, (x2, y2) the lower-right.
    void Scale(double x1, double y1, double x2, double y2);
    double ScaleLeft() const { return scaleLeft_; }
    double ScaleTop() const { return scaleTop_; }
    double ScaleWidth() const { return scaleWidth_; }
    double ScaleHeight() const { return scaleHeight_; }

    int BackColor() const { return backColor_; }
    // Setting the background colour clears the drawing.
    void setBackColor(int rgb);
    // The background picture, drawn at the top-left corner; setting it
    // replaces what was drawn.
    void setPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    // Clears to the background colour and picture; CurrentX/Y go to 0.
    void Cls();

    int ForeColor = 0;
    int DrawWidth = 1;
    int DrawStyle = Solid;
    double CurrentX = 0;
    double CurrentY = 0;
    QString FontName = QStringLiteral("Arial");
    double FontSize = 8;

    // A line in the given colour (ForeColor when omitted) with DrawWidth and
    // DrawStyle (solid whenever DrawWidth > 1). CurrentX/Y go to its end.
    void Line(double x1, double y1, double x2, double y2, int color);
    void Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, ForeColor); }
    // A point of DrawWidth pixels.
    void PSet(double x, double y, int color);
    // A whole trace through the points (user units, x never decreasing for
    // the fast path) in the given colour with DrawWidth and DrawStyle, as the
    // segments joined one after the other would show it; where the trace is
    // denser than the pixels it is drawn as the span it inks in each pixel
    // column (see PixelGridTrace.h). CurrentX/Y go to its last point.
    void Trace(const QPolygonF& points, int color);
    // The same for a trace whose x never goes back, a wide pen inking it as
    // its disc swept along, round where the trace turns, column by column:
    // its cost follows the columns, not the pen (see
    // reduceColumnsToPixelGrid()).
    void TraceColumns(const QPolygonF& points, int color);
    // A figure through the points (user units, in any order), segment after
    // segment, in the given colour with DrawWidth and DrawStyle, round at its
    // joints; its cost grows with the pixels it inks, not with the square of
    // its crossings, and a wide pen over a figure that runs over itself many
    // times inks it within a pixel of the pen's reach, at the cost of its
    // centre line (see strokeWideFigure()). CurrentX/Y go to its last point.
    void Polyline(const QPolygonF& points, int color);
    // Text at CurrentX/CurrentY (its upper-left corner) in ForeColor; then
    // CurrentX goes back to the left edge and CurrentY one line down.
    void Print(const QString& text);
    // Text extent in user units; the height is negative when the scale's y
    // axis points up.
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

    // What the picture shows now.
    QImage Image();
    // Pixel of a user point, in the widget's (logical) pixels.
    QPointF toPixel(double x, double y) const;
    QPointF toUser(const QPointF& pixel) const;
    // Width of one device pixel in user units (0 while the box has no width).
    double devicePixelWidth() const;
    // Height of one device pixel in user units (0 while the box has no height).
    double devicePixelHeight() const;

Q_SIGNALS:
    // Button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt;
    // x and y in user units.
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void DblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The region's pixels copied straight into the window's buffer when it
    // is painted there; false when it must be painted.
    bool copyToWindow(const QRegion& region);

    QPainter& painter();
    void endPainting();
    void allocate();
    // Whether the picture has the widget's size and pixel ratio.
    bool imageFollowsWidget() const;
    void ensureImage();
    // The device pixels a drawing inked: the tiles a clear puts back and the
    // screen shows again.
    void touched(const QRectF& devicePixels);
    // The same for a stroke's logical pixels, widened by the pen.
    void touchedByPen(const QRectF& logical);
    // The tiles of spans drawn (device pixels, within the picture).
    void inkedSpans(const QList<QRect>& spans);
    // The painter, pending lines stroked, with the pen for the colour.
    QPainter& strokeWith(int color);
    void scheduleUpdate();
    // Marks what changed for repainting: through the event loop, or now.
    void showDamage(bool now = false);
    // The tiles, back to the background picture.
    void restoreTiles(const DamageTiles& tiles);
    // Spans of one colour inked: held back after a clear, else filled.
    void inkSpans(const QList<QRect>& spans, int color);
    // Trace() or TraceColumns(), the trace reduced by `reduce`.
    void traceReduced(const QPolygonF& points, int color,
                      PixelGridTrace (*reduce)(const QPolygonF&, double, QSize));
    // The clear held back and the spans drawn since, done: only the tiles
    // whose spans differ from those the picture holds are put back, filled
    // and shown again.
    void settle();
    void applyPen(int color);
    void flushLines();
    // Whole device pixels inked in the colour.
    void fillSpans(const QList<QRect>& spans, int color);
    // User points in the picture's device pixels, until the next call.
    const QPolygonF& devicePoints(const QPolygonF& points) const;
    // The picture's pixels can be written straight, the painter drawing
    // into it unbuffered and alone.
    bool writableInPlace();
    double fontPoints() const { return FontSize > 0 ? FontSize : 8; }
    // Pixels per user unit.
    double kx() const { return scaleWidth_ != 0 ? width() / scaleWidth_ : 0; }
    double ky() const { return scaleHeight_ != 0 ? height() / scaleHeight_ : 0; }

    QImage image_;
    QImage picture_;
    QPainter painter_;
    int backColor_ = 0xFFFFFF;
    double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 1, scaleHeight_ = 1;
    // Pen the painter holds, to skip redundant changes.
    int penColor_ = -1, penWidth_ = -1, penStyle_ = -1;
    QPolygonF pending_; // joined segments not stroked yet
    mutable QPolygonF devicePoints_; // what devicePoints() gave last
    QPointF pendingLow_, pendingHigh_; // their corners, logical pixels
    mutable TextStamps texts_; // the texts printed, measured and inked once
    DamageTiles ink_;    // drawn on since the last clear
    DamageTiles damage_; // changed since the screen last showed it
    // A clear whose putting back waits for what is drawn next: a tile drawn
    // again as it was (the still part of a moving trail, its readout) is
    // neither put back nor shown again.
    struct HeldSpans {
        QList<QRect> spans;
        int color;
    };
    bool clearHeld_ = false;
    std::vector<HeldSpans> held_; // spans drawn since, in order
    DamageTiles heldInk_;         // drawn otherwise before the clear
    TileSignatures shownSpans_;   // the spans the picture holds, tile by tile
    TileSignatures heldSpans_;    // the held spans, tile by tile
    qint64 clearedPicture_ = 0; // the background picture and colour of the
    int clearedBack_ = -1;       // last clear, which ink_ is drawn over
    bool updateQueued_ = false;
    bool showAtEnd_ = false; // drawn in a tick, shown when it ends
};
