#include "ImageView.h"

#include <QPainter>

namespace ui {

ImageView::ImageView(const QRect& frame)
    : View(frame)
{
    setUserInteractionEnabled(false);
}

ImageView::ImageView(const QPixmap& image)
    : ImageView(QRect(QPoint(0, 0), image.deviceIndependentSize().toSize()))
{
    image_ = image;
}

void ImageView::setImage(const QPixmap& image)
{
    image_ = image;
    update();
}

void ImageView::draw(QPainter& painter)
{
    if (!image_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), image_);
    }
}

} // namespace ui
