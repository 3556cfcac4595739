#pragma once

#include "View.h"

#include <functional>

namespace ui {

class Label;
class Button;

// A message over the whole screen with a button that closes it (the
// Escape key's), and others above it that close it and do something.
class AlertView : public View {
public:
    AlertView(const QString& title, const QString& message, const QString& button);
    // Gone with its window: no longer among the alerts.
    ~AlertView() override;

    // A button above the closing one: a tap closes the alert, then does
    // `action`. Added before the alert is presented.
    void addButton(const QString& title, std::function<void()> action);
    // The buttons, the added ones first, the closing one last.
    QList<Button*> buttons() const;

    // Shows the alert over the key window, over any alert there; one
    // presented already comes back to the top.
    void present();
    QString title() const { return title_; }
    QString message() const { return message_; }
    QString buttonTitle() const { return buttonTitle_; }
    // As a tap on its button.
    void dismiss();

    // Alerts on screen now, oldest first: the newest is seen, the others
    // wait under it.
    static QList<AlertView*> visibleAlerts();

protected:
    void draw(QPainter& painter) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect boxRect() const;
    int buttonHeight() const;

    QString title_;
    QString message_;
    QString buttonTitle_;
    Label* text_;
    Button* button_;
    QList<Button*> others_;
};

} // namespace ui
