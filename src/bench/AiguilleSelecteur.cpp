#include "bench/AiguilleSelecteur.h"

#include "platform/Forms.h"
#include "services/Ondes.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr double kLongueurAiguille = 1140;
constexpr double kRayonPointRouge = 1080;

} // namespace

AiguilleSelecteur::AiguilleSelecteur(QWidget* fenetre, const QLineF& ligne, const QPointF& point)
    : QWidget(fenetre), ligne_(ligne), point_(point)
{
    setObjectName(QStringLiteral("linSelecteur"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void AiguilleSelecteur::Placer(QPointF centre, double angle, QLineF& ligne, QPointF& point)
{
    const double r = angle * kPi / 180;
    const double s = std::sin(r), c = std::cos(r);
    ligne = QLineF(centre.x() - kLongueurAiguille * s, centre.y() - kLongueurAiguille * c,
                   centre.x() + kLongueurAiguille * s, centre.y() + kLongueurAiguille * c);
    point = QPointF(centre.x() - kRayonPointRouge * s, centre.y() - kRayonPointRouge * c);
}

void AiguilleSelecteur::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF origine = pos();
    auto pixels = [&](QPointF twips) { return twips / kTwipsPerPixel - origine; };
    const QLineF ligne(pixels(ligne_.p1()), pixels(ligne_.p2()));
    p.setPen(QPen(QColor(0x3a, 0x38, 0x33), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(ligne);
    p.setPen(QPen(QColor(0xfb, 0xf6, 0xe6, 150), 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(ligne.translated(-0.8, -0.8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd4, 0x2a, 0x1f));
    p.drawEllipse(pixels(point_), 3.2, 3.2);
}
