#pragma once

#include "View.h"

namespace ui {

class Label;
class Button;

// A message over the whole screen with one button that closes it.
class AlertView : public View {
public:
    AlertView(const QString& title, const QString& message, const QString& button);

    // Shows the alert over the key window.
    void present();
    QString title() const { return title_; }
    QString message() const { return message_; }
    QString buttonTitle() const { return buttonTitle_; }
    // As a tap on its button.
    void dismiss();

    // Alerts on screen now, oldest first.
    static QList<AlertView*> visibleAlerts();

protected:
    void draw(QPainter& painter) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect boxRect() const;

    QString title_;
    QString message_;
    QString buttonTitle_;
    Label* text_;
    Button* button_;
};

} // namespace ui
