#include "BarButton.h"

#include "platform/ui/Button.h"
#include "platform/ui/Style.h"

ui::Button* addBarButton(ui::View& parent, const QString& title, const QRect& frame)
{
    auto& b = parent.add<ui::Button>(ui::Button::Type::Custom, frame);
    b.setTitle(title);
    b.setTitleColor(Qt::white);
    b.setTitleColor(QColor(200, 200, 200), ui::ControlState::Highlighted);
    b.setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 16));
    b.setBackgroundColor(QColor(255, 255, 255, 30));
    b.setCornerRadius(8);
    return &b;
}
