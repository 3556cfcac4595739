#pragma once

#include <QAccessible>
#include <QColor>
#include <QList>
#include <QRect>
#include <QWidget>

#include <utility>

namespace ui {

// A rectangle of the screen in points, with its subviews. A view belongs to
// its superview: removing it from its superview destroys it.
class View : public QWidget {
public:
    explicit View(const QRect& frame = QRect());
    ~View() override;

    QRect frame() const { return geometry(); }
    void setFrame(const QRect& frame);
    QRect bounds() const { return QRect(QPoint(0, 0), size()); }

    // The parent takes ownership.
    virtual void addSubview(View* view);
    // Makes a subview of type T from `args` and adds it: this view owns it,
    // and the reference is for setting it up (and keeping, while this view
    // lives).
    template <class T, class... A>
    T& add(A&&... args)
    {
        auto* view = new T(std::forward<A>(args)...);
        addSubview(view);
        return *view;
    }
    // The same, placed at `index` among the subviews.
    template <class T, class... A>
    T& insertAt(int index, A&&... args)
    {
        auto* view = new T(std::forward<A>(args)...);
        insertSubview(view, index);
        return *view;
    }
    void insertSubview(View* view, int index);
    // Detaches and destroys the view (later, so that a view may remove itself
    // from within one of its own events).
    void removeFromSuperview();
    // Back to front.
    QList<View*> subviews() const;
    View* superview() const;

    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const { return background_; }
    void setAlpha(double alpha);
    double alpha() const { return alpha_; }
    void setCornerRadius(double radius);
    double cornerRadius() const { return cornerRadius_; }
    // Touches reach the view and its subviews only while this is on.
    void setUserInteractionEnabled(bool enabled);
    bool isUserInteractionEnabled() const { return interaction_; }

    // How the view follows its superview's size: a flexible side grows and
    // shrinks with it, a flexible margin moves.
    enum Autoresizing {
        FlexibleNone = 0,
        FlexibleWidth = 1 << 0,
        FlexibleHeight = 1 << 1,
        FlexibleTopMargin = 1 << 2,
        FlexibleLeftMargin = 1 << 3,
    };
    void setAutoresizingMask(int mask) { autoresizing_ = mask; }
    int autoresizingMask() const { return autoresizing_; }

    // What a screen reader calls the view's kind, where its class does not
    // say it (NoRole: from its class). Its name is QWidget's accessibleName.
    void setAccessibleRole(QAccessible::Role role) { accessibleRole_ = role; }
    QAccessible::Role accessibleRole() const { return accessibleRole_; }
    // What a screen reader reads after the name, where the view's class
    // does not say it: the clock time of a named time.
    void setAccessibleValue(const QString& value) { accessibleValue_ = value; }
    const QString& accessibleValue() const { return accessibleValue_; }

    // Fades alpha (and the enabled state) over `ms` with an ease-out curve.
    void animateAlpha(double to, int ms);

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Draws the view's own content; the background is drawn before it.
    virtual void draw(QPainter& painter);
    // Subviews go here; a scroll view puts them into its moving content.
    virtual QWidget* subviewParent() { return this; }

private:
    // Moves and sizes the flexible subviews by how much this view's size
    // has changed since they were last placed.
    void autoresizeSubviews();

    QSize laidOut_;
    int autoresizing_ = FlexibleNone;
    QAccessible::Role accessibleRole_ = QAccessible::NoRole;
    QString accessibleValue_;
    QColor background_ = Qt::transparent;
    double alpha_ = 1.0;
    double cornerRadius_ = 0;
    bool interaction_ = true;
};

} // namespace ui
