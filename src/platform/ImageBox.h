#pragma once

#include <QWidget>

class QSvgRenderer;

// A picture (an SVG resource) stretched over the control's rectangle, crisp
// at any size; it can be clicked. With no picture it is a transparent click
// area.
class ImageBox : public QWidget {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr);
    ~ImageBox() override;

    void setPicture(const QString& resource);
    QString picture() const { return picture_; }

Q_SIGNALS:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString picture_;
    QSvgRenderer* renderer_ = nullptr;
};
