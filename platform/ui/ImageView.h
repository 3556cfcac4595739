#pragma once

#include "View.h"

#include <QPixmap>

namespace ui {

// Shows an image stretched to its frame. Like a phone's image view it takes
// no touches unless told to.
class ImageView : public View {
public:
    explicit ImageView(const QRect& frame = QRect());
    explicit ImageView(const QPixmap& image);

    void setImage(const QPixmap& image);
    QPixmap image() const { return image_; }

protected:
    void draw(QPainter& painter) override;

private:
    QPixmap image_;
};

} // namespace ui
