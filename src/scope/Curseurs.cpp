#include "scope/Curseurs.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>

const QCursor& CurseurMain()
{
    static const QCursor main = [] {
        const qreal dpr = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->devicePixelRatio() : 1;
        QPixmap image(QSize(32, 32) * dpr);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::transparent);
        QSvgRenderer dessin(QStringLiteral(":/scope/hand.svg"));
        if (!dessin.isValid())
            return QCursor(Qt::PointingHandCursor);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        dessin.render(&p, QRectF(0, 0, 32, 32));
        p.end();
        return QCursor(image, 12, 2);
    }();
    return main;
}
