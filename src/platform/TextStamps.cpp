#include "platform/TextStamps.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

size_t qHash(const TextStamps::FontKey& key, size_t seed)
{
    return qHashMulti(seed, key.family, key.points);
}

size_t qHash(const TextStamps::StampKey& key, size_t seed)
{
    return qHashMulti(seed, key.font, key.text, key.x, key.y);
}

TextStamps::Metrics& TextStamps::metrics(const QString& family, double points, const QImage& picture)
{
    if (picture.devicePixelRatio() != dpr_) {
        clear();
        dpr_ = picture.devicePixelRatio();
    }
    // The same font again, as the texts of one print are.
    if (last_ != fonts_.end() && last_.key().points == points && last_.key().family == family)
        return *last_;
    const FontKey key{family, points};
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        if (fonts_.size() > 64)
            clear();
        QFont font(family);
        font.setPointSizeF(points);
        font.setStyleStrategy(QFont::NoAntialias);
        const QFontMetricsF m(font, &picture);
        it = fonts_.insert(key, Metrics{font, m.ascent(), m.height(), {}});
    }
    last_ = it;
    return *it;
}

const QFont& TextStamps::font(const QString& family, double points, const QImage& picture)
{
    return metrics(family, points, picture).font;
}

double TextStamps::advance(const QString& family, double points, const QString& text, const QImage& picture)
{
    Metrics& m = metrics(family, points, picture);
    auto it = m.advances.constFind(text);
    if (it != m.advances.constEnd())
        return *it;
    if (m.advances.size() > 256)
        m.advances.clear();
    const double width = QFontMetricsF(m.font, &picture).horizontalAdvance(text);
    m.advances.insert(text, width);
    return width;
}

double TextStamps::height(const QString& family, double points, const QImage& picture)
{
    return metrics(family, points, picture).height;
}

double TextStamps::ascent(const QString& family, double points, const QImage& picture)
{
    return metrics(family, points, picture).ascent;
}

const QList<QRect>& TextStamps::ink(const QString& family, double points, const QString& text, QPointF baseline,
                                    const QImage& picture)
{
    // The text's pixels move with the whole pixels of its place; only the
    // place within the pixel changes which pixels it inks.
    const QPoint whole(int(std::floor(baseline.x())), int(std::floor(baseline.y())));
    const QPointF within = baseline - QPointF(whole);
    const StampKey key{{family, points}, text, within.x(), within.y()};
    auto it = stamps_.constFind(key);
    if (it == stamps_.constEnd()) {
        const Metrics& m = metrics(family, points, picture);
        if (stamps_.size() > 256)
            stamps_.clear();
        // Room all round for what a glyph draws past its advance, on a
        // transparent picture of the same resolution.
        const int margin = int(std::ceil(m.height)) + 2;
        QImage image(QSize(int(std::ceil(advance(family, points, text, picture))) + 2 * margin,
                           int(std::ceil(m.height)) + 2 * margin),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(picture.dotsPerMeterX());
        image.setDotsPerMeterY(picture.dotsPerMeterY());
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::TextAntialiasing, true);
            p.setFont(m.font);
            p.setPen(Qt::white);
            p.drawText(QPointF(margin, margin) + within, text);
        }
        QList<QRect> rows;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width();) {
                if (qAlpha(line[x]) == 0) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < image.width() && qAlpha(line[x]) != 0)
                    ++x;
                rows.append(QRect(start - margin, y - margin, x - start, 1));
            }
        }
        it = stamps_.insert(key, rows);
    }
    placed_ = *it;
    for (QRect& r : placed_)
        r.translate(whole);
    return placed_;
}

void TextStamps::clear()
{
    fonts_.clear();
    last_ = fonts_.end();
    stamps_.clear();
    placed_.clear();
}
