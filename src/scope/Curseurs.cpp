#include "scope/Curseurs.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>

QCursor CurseurSvg(const QString& chemin, int x, int y)
{
    const qreal dpr = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->devicePixelRatio() : 1;
    QPixmap image(QSize(32, 32) * dpr);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QSvgRenderer dessin(chemin);
    if (!dessin.isValid())
        return QCursor(Qt::PointingHandCursor);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    dessin.render(&p, QRectF(0, 0, 32, 32));
    p.end();
    return QCursor(image, x, y);
}

const QCursor& CurseurMain()
{
    static const QCursor main = CurseurSvg(QStringLiteral(":/scope/hand.svg"), 12, 2);
    return main;
}
