#pragma once

#include <QPointer>
#include <QWidget>

// Keeps a window above all others while OnTop is set; its place and size
// stay as they are.
class FrmFlottante {
public:
    void setDevice(QWidget* fenetre) { device_ = fenetre; }
    bool OnTop() const { return onTop_; }
    void setOnTop(bool dessus)
    {
        onTop_ = dessus;
        if (!device_)
            return;
        const bool visible = device_->isVisible();
        const QRect place = device_->geometry();
        device_->setWindowFlag(Qt::WindowStaysOnTopHint, dessus);
        if (visible) { // changing the flags hides the window
            device_->setGeometry(place);
            device_->show();
        }
    }

private:
    QPointer<QWidget> device_;
    bool onTop_ = false;
};
