#pragma once

#include <QSlider>

// A slider as an instrument's: a dark slot in the panel with its printed
// scale on both sides and a cream cap with an index line. It keeps the
// slider's own handling of the mouse and keys; only its picture differs.
class PanelSlider : public QSlider {
    Q_OBJECT
public:
    explicit PanelSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
