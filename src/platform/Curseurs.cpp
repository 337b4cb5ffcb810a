#include "platform/Curseurs.h"

#include "platform/PictureBox.h"
#include "platform/VbFormat.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
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

QLabel* CreerPositionCurseur(PictureBox* ecran)
{
    auto* etiquette = new QLabel(ecran);
    etiquette->setObjectName(QStringLiteral("lblPositionCurseur"));
    etiquette->setStyleSheet(
        QStringLiteral("background: rgba(255, 255, 240, 220); color: black; border: 1px solid #606060; padding: 1px;"));
    etiquette->hide();
    return etiquette;
}

void AfficherPositionCurseur(QLabel* etiquette, const PictureBox* ecran, double x, double y, double ecartX,
                             double ecartY)
{
    // Divisions from the centre, in the user's own number format.
    const QLocale locale;
    auto div = [&locale](double v) {
        QString t = Format(v / 100, QStringLiteral("0.00"));
        return t.replace(QLatin1Char('.'), locale.decimalPoint());
    };
    etiquette->setText(QStringLiteral(" x = ") + div(x) + QStringLiteral(" div \n  y = ") + div(y)
                       + QStringLiteral(" div "));
    etiquette->adjustSize();
    const double w = etiquette->width() / (ecran->width() / ecran->ScaleWidth());
    const double h = etiquette->height() / (ecran->height() / -ecran->ScaleHeight());
    const double gauche = x + ecartX + w > 500 ? x - w : x + ecartX;
    const double haut = y - ecartY - h < -400 ? y + h : y - ecartY;
    etiquette->move(ecran->toPixel(gauche, haut).toPoint());
    etiquette->show();
}
