#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>

// Texts drawn without antialiasing that a picture prints again and again at
// the same places (the scope's readout, at every tick of an animation):
// shaping and rasterising them is most of their cost, so each is measured
// once per font and rasterised once per font and place within a pixel, as
// the pixels it inks. Stamping those pixels leaves exactly what drawing the
// text there leaves.
class TextStamps {
public:
    // The font of that family and size in points, drawn without
    // antialiasing, so that a text printed again at the same place leaves
    // the same pixels (a blended edge printed twice would darken).
    const QFont& font(const QString& family, double points, const QImage& picture);
    // Width of the text, line height and ascent of the font, in logical
    // pixels of the picture (its device pixel ratio and resolution).
    double advance(const QString& family, double points, const QString& text, const QImage& picture);
    double height(const QString& family, double points, const QImage& picture);
    double ascent(const QString& family, double points, const QImage& picture);

    // The pixels the text inks with its baseline starting at `baseline`, as
    // rows one pixel high; none for a text that inks nothing. For a picture
    // of one device pixel per logical pixel.
    const QList<QRect>& ink(const QString& family, double points, const QString& text, QPointF baseline,
                            const QImage& picture);

    void clear();

    struct FontKey {
        QString family;
        double points = 0;
        friend bool operator==(const FontKey&, const FontKey&) = default;
    };
    struct StampKey {
        FontKey font;
        QString text;
        double x = 0, y = 0; // place within the pixel
        friend bool operator==(const StampKey&, const StampKey&) = default;
    };

private:
    struct Metrics {
        QFont font;
        double ascent = 0;
        double height = 0;
        QHash<QString, double> advances;
    };
    Metrics& metrics(const QString& family, double points, const QImage& picture);

    QHash<FontKey, Metrics> fonts_;
    QHash<FontKey, Metrics>::iterator last_ = fonts_.end(); // the font used last
    QHash<StampKey, QList<QRect>> stamps_; // inked rows, from the baseline's whole pixel
    QList<QRect> placed_;
    double dpr_ = 0;
};

size_t qHash(const TextStamps::FontKey& key, size_t seed = 0);
size_t qHash(const TextStamps::StampKey& key, size_t seed = 0);
