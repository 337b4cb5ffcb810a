#pragma once

#include <QLineF>
#include <QPointF>
#include <QWidget>

// The pointer of a multimeter's rotary selector, drawn over its knob: the
// line through the centre and the red dot near its tip, both in the window's
// twips.
class AiguilleSelecteur : public QWidget {
public:
    AiguilleSelecteur(QWidget* fenetre, const QLineF& ligne, const QPointF& point);
    // Turns the pointer to an angle in degrees, counter-clockwise from 12
    // o'clock, around a centre in twips.
    static void Placer(QPointF centre, double angle, QLineF& ligne, QPointF& point);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const QLineF& ligne_;
    const QPointF& point_;
};
