#include "platform/ImageBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

ImageBox::ImageBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

ImageBox::~ImageBox() = default;

void ImageBox::setPicture(const QString& resource)
{
    if (resource == picture_)
        return;
    picture_ = resource;
    delete renderer_;
    renderer_ = resource.isEmpty() ? nullptr : new QSvgRenderer(resource, this);
    update();
}

void ImageBox::paintEvent(QPaintEvent*)
{
    if (!renderer_ || !renderer_->isValid())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    renderer_->render(&p, QRectF(rect()));
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT Click();
}
