#include "Accessibility.h"

#include "AlertView.h"
#include "Button.h"
#include "DatePicker.h"
#include "ImageView.h"
#include "Label.h"
#include "NavigationBar.h"
#include "NavigationController.h"
#include "PageControl.h"
#include "ScrollView.h"
#include "SearchBar.h"
#include "SegmentedControl.h"
#include "Slider.h"
#include "Switch.h"
#include "TabBarController.h"
#include "TableView.h"
#include "TableViewCell.h"
#include "TextField.h"
#include "Style.h"
#include "Window.h"

#include "platform/foundation/Digits.h"

#include <QAccessibleWidget>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaEnum>

#include <cmath>
#include <functional>

namespace ui {

namespace {

const QString kPress = QAccessibleActionInterface::pressAction();
const QString kToggle = QAccessibleActionInterface::toggleAction();
const QString kIncrease = QAccessibleActionInterface::increaseAction();
const QString kDecrease = QAccessibleActionInterface::decreaseAction();
// Below this a view is not drawn to be seen, as a phone counts it.
constexpr double kUnseenAlpha = 0.01;

// How much of a view is drawn: its alpha and that of every view it is in.
double seenAlpha(const View* view)
{
    double alpha = 1.0;
    for (const QWidget* w = view; w; w = w->parentWidget())
        if (const auto* v = dynamic_cast<const View*>(w))
            alpha *= v->alpha();
    return alpha;
}

QString joined(const QStringList& parts)
{
    QStringList kept;
    for (const QString& p : parts)
        if (!p.trimmed().isEmpty())
            kept.append(p.trimmed());
    return kept.join(QStringLiteral("، "));
}

// The row a view stands in, if any.
TableViewCell* enclosingCell(const QWidget* w)
{
    for (QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
        if (auto* cell = dynamic_cast<TableViewCell*>(p))
            return cell;
    return nullptr;
}

TableView* enclosingTable(const QWidget* w)
{
    for (QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
        if (auto* table = dynamic_cast<TableView*>(p))
            return table;
    return nullptr;
}

QString cellText(const TableViewCell* cell)
{
    if (!cell)
        return QString();
    return joined({cell->textLabel()->text(), cell->detailTextLabel() ? cell->detailTextLabel()->text() : QString()});
}

// A row without a text of its own is called by the controls in it.
QString rowName(TableViewCell* cell)
{
    const QString text = cellText(cell);
    if (!text.isEmpty())
        return text;
    for (QObject* o : cell->children()) {
        auto* control = dynamic_cast<Control*>(o);
        if (control && !control->accessibleName().isEmpty())
            return control->accessibleName();
    }
    return QString();
}

// One view as a screen reader sees it.
class ViewAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ViewAccessible(View* view) : QAccessibleWidget(view) {}

    View* view() const { return static_cast<View*>(widget()); }

    QAccessible::Role role() const override
    {
        View* v = view();
        if (v->accessibleRole() != QAccessible::NoRole)
            return v->accessibleRole();
        if (dynamic_cast<Label*>(v))
            return QAccessible::StaticText;
        if (dynamic_cast<Switch*>(v))
            return QAccessible::CheckBox;
        if (dynamic_cast<Slider*>(v) || dynamic_cast<PageControl*>(v))
            return QAccessible::Slider;
        if (dynamic_cast<DatePicker*>(v))
            return QAccessible::SpinBox;
        if (dynamic_cast<Button*>(v))
            return QAccessible::Button;
        if (dynamic_cast<TableViewCell*>(v))
            return QAccessible::ListItem;
        if (dynamic_cast<TableView*>(v))
            return QAccessible::List;
        if (dynamic_cast<NavigationBar*>(v))
            return QAccessible::TitleBar;
        if (dynamic_cast<TabBar*>(v))
            return QAccessible::PageTabList;
        if (dynamic_cast<AlertView*>(v))
            return QAccessible::AlertMessage;
        if (dynamic_cast<SearchBar*>(v))
            return QAccessible::ToolBar;
        if (dynamic_cast<ImageView*>(v))
            return v->accessibleName().isEmpty() ? QAccessible::Graphic : QAccessible::Pane;
        if (dynamic_cast<ScrollView*>(v))
            return QAccessible::Pane;
        return v->accessibleName().isEmpty() ? QAccessible::Client : QAccessible::Pane;
    }

    QString text(QAccessible::Text t) const override
    {
        View* v = view();
        if (t == QAccessible::Value)
            return valueText();
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        if (!v->accessibleName().isEmpty())
            return v->accessibleName();
        if (auto* label = dynamic_cast<Label*>(v))
            return label->text();
        if (auto* cell = dynamic_cast<TableViewCell*>(v))
            return rowName(cell);
        if (dynamic_cast<Switch*>(v) || dynamic_cast<Slider*>(v))
            return cellText(enclosingCell(v));
        if (dynamic_cast<DatePicker*>(v))
            return enclosingCell(v) ? cellText(enclosingCell(v)) : QStringLiteral("ساعت");
        if (auto* button = dynamic_cast<Button*>(v))
            return button->currentTitle();
        if (auto* bar = dynamic_cast<NavigationBar*>(v))
            return bar->title();
        if (auto* alert = dynamic_cast<AlertView*>(v))
            return alert->message();
        if (auto* pages = dynamic_cast<PageControl*>(v)) {
            // Counted in reading order: from the right where the screens
            // read from the right, so that the first page is the first said.
            const int n = pages->numberOfPages();
            const int place = rightToLeft() ? n - pages->currentPage() : pages->currentPage() + 1;
            return QStringLiteral("صفحهٔ %1 از %2").arg(persianNumber(place), persianNumber(n));
        }
        return QString();
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        View* v = view();
        if (auto* control = dynamic_cast<Control*>(v)) {
            s.disabled = !control->isControlEnabled();
            s.focusable = control->isControlEnabled();
        }
        if (auto* toggle = dynamic_cast<Switch*>(v)) {
            s.checkable = true;
            s.checked = toggle->isOn();
        } else if (auto* button = dynamic_cast<Button*>(v)) {
            s.selected = button->isSelected();
            s.pressed = button->isHighlighted();
        } else if (auto* cell = dynamic_cast<TableViewCell*>(v)) {
            s.selectable = cell->selectionStyle() != TableViewCell::SelectionStyle::None;
            s.selected = cell->isHighlighted() || cell->accessoryType() == TableViewCell::Accessory::Checkmark;
        } else if (auto* label = dynamic_cast<Label*>(v)) {
            // An empty label says nothing and is passed over.
            s.invisible = s.invisible || label->text().isEmpty();
        }
        // Faded out is out of sight, for a screen reader too: the view and
        // all in it.
        if (v && seenAlpha(v) < kUnseenAlpha)
            s.invisible = true;
        return s;
    }

    // Children: the views in it, but not a row's own labels (the row says
    // them) and, for the tab bar, its tabs.
    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QObject*> list = children();
        return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? static_cast<int>(children().indexOf(child->object())) : -1;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface && (dynamic_cast<Slider*>(view()) || dynamic_cast<PageControl*>(view())))
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QStringList actionNames() const override
    {
        View* v = view();
        if (dynamic_cast<Switch*>(v))
            return {kToggle};
        if (dynamic_cast<Slider*>(v) || dynamic_cast<PageControl*>(v) || dynamic_cast<DatePicker*>(v))
            return {kIncrease, kDecrease};
        if (dynamic_cast<Button*>(v))
            return {kPress};
        if (auto* cell = dynamic_cast<TableViewCell*>(v); cell && cell->selectionStyle() != TableViewCell::SelectionStyle::None)
            return {kPress};
        return QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        View* v = view();
        auto* control = dynamic_cast<Control*>(v);
        if (control && (action == kPress || action == kToggle)) {
            control->activate();
        } else if (control && (action == kIncrease || action == kDecrease) && dynamic_cast<Slider*>(v)) {
            // A slider's larger end is on the side the screens read towards.
            control->step(action == kIncrease ? Qt::Key_Up : Qt::Key_Down);
        } else if (control && (action == kIncrease || action == kDecrease)) {
            control->step(action == kIncrease ? Qt::Key_Right : Qt::Key_Left);
        } else if (auto* cell = dynamic_cast<TableViewCell*>(v); cell && action == kPress) {
            if (TableView* table = enclosingTable(cell))
                if (const std::optional<IndexPath> path = table->indexPathForCell(cell))
                    table->activateRow(*path);
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

    // QAccessibleValueInterface
    QVariant currentValue() const override
    {
        if (auto* slider = dynamic_cast<Slider*>(view()))
            return slider->value();
        if (auto* pages = dynamic_cast<PageControl*>(view()))
            return pages->currentPage();
        return QVariant();
    }
    void setCurrentValue(const QVariant& value) override
    {
        if (auto* slider = dynamic_cast<Slider*>(view())) {
            slider->setValue(value.toDouble());
            slider->sendActions(ControlEvent::ValueChanged);
        }
    }
    QVariant maximumValue() const override
    {
        if (auto* slider = dynamic_cast<Slider*>(view()))
            return slider->maximumValue();
        if (auto* pages = dynamic_cast<PageControl*>(view()))
            return std::max(0, pages->numberOfPages() - 1);
        return QVariant();
    }
    QVariant minimumValue() const override
    {
        if (dynamic_cast<Slider*>(view()))
            return static_cast<Slider*>(view())->minimumValue();
        return 0;
    }
    QVariant minimumStepSize() const override { return 1; }

private:
    QString valueText() const
    {
        if (!view()->accessibleValue().isEmpty())
            return view()->accessibleValue();
        if (auto* slider = dynamic_cast<Slider*>(view()))
            return persianNumber(static_cast<int>(std::floor(slider->value())));
        if (auto* picker = dynamic_cast<DatePicker*>(view()))
            return foundation::Digits::shapes(
                foundation::Digits::arabicIndic(QString::asprintf("%d:%02d", picker->time().hour(), picker->time().minute())));
        return QString();
    }

    QList<QObject*> children() const;
};

// A part that a control draws itself (a tab of the tab bar, a segment of a
// segmented control): an element of its own with no children, that a
// press acts on.
class DrawnPartAccessible : public QAccessibleObject, public QAccessibleActionInterface {
public:
    using QAccessibleObject::QAccessibleObject;

    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {kPress}; }
    void doAction(const QString& action) override
    {
        if (action == kPress)
            press();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

protected:
    virtual void press() = 0;
};

// A tab of the tab bar.
class TabItemAccessible : public DrawnPartAccessible {
public:
    explicit TabItemAccessible(TabBarItem* item) : DrawnPartAccessible(item) {}

    TabBarItem* item() const { return static_cast<TabBarItem*>(object()); }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? item()->title() : QString(); }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        TabBar* bar = item()->bar();
        s.disabled = !item()->isEnabled();
        s.selectable = true;
        s.selected = bar && bar->items().indexOf(item()) == bar->selectedIndex();
        s.invisible = !bar || !bar->isVisible();
        return s;
    }
    QRect rect() const override
    {
        TabBar* bar = item()->bar();
        if (!bar)
            return QRect();
        const QRect r = bar->itemRect(static_cast<int>(bar->items().indexOf(item())));
        return QRect(bar->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(item()->bar()); }

protected:
    void press() override
    {
        if (TabBar* bar = item()->bar())
            bar->selectItem(static_cast<int>(bar->items().indexOf(item())));
    }
};

// A segment of a segmented control.
class SegmentAccessible : public DrawnPartAccessible {
public:
    explicit SegmentAccessible(SegmentItem* item) : DrawnPartAccessible(item) {}

    SegmentItem* item() const { return static_cast<SegmentItem*>(object()); }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? item()->control()->titleForSegment(item()->index()) : QString();
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        SegmentedControl* control = item()->control();
        s.disabled = !control->isEnabledForSegment(item()->index()) || !control->isControlEnabled();
        s.selectable = true;
        s.selected = control->selectedSegmentIndex() == item()->index();
        s.invisible = !control->isVisible();
        return s;
    }
    QRect rect() const override
    {
        SegmentedControl* control = item()->control();
        const QRect r = control->segmentRect(item()->index());
        return QRect(control->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(item()->control()); }

protected:
    void press() override { item()->control()->chooseSegment(item()->index()); }
};

QList<QObject*> ViewAccessible::children() const
{
    View* v = view();
    QList<QObject*> list;
    if (auto* segments = dynamic_cast<SegmentedControl*>(v)) {
        for (SegmentItem* item : segments->segmentItems())
            list.append(item);
        return list;
    }
    if (auto* bar = dynamic_cast<TabBar*>(v)) {
        for (TabBarItem* item : bar->items())
            if (item)
                list.append(item);
        return list;
    }
    auto* cell = dynamic_cast<TableViewCell*>(v);
    for (QObject* o : v->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow())
            continue;
        if (cell && (w == cell->textLabel() || w == cell->detailTextLabel()))
            continue;
        list.append(w);
    }
    return list;
}

QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (auto* view = dynamic_cast<View*>(object))
        return new ViewAccessible(view);
    if (auto* item = dynamic_cast<TabBarItem*>(object))
        return new TabItemAccessible(item);
    if (auto* segment = dynamic_cast<SegmentItem*>(object))
        return new SegmentAccessible(segment);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

QString persianNumber(int n)
{
    return foundation::Digits::persian(n);
}

namespace {

QString roleName(QAccessible::Role role)
{
    const QMetaEnum roles = QMetaEnum::fromType<QAccessible::Role>();
    const char* key = roles.valueToKey(role);
    return key ? QString::fromLatin1(key) : QString::number(role);
}

void collect(QAccessibleInterface* iface, Window* window, int depth, QList<AccessibleElement>& out)
{
    if (!iface || !iface->isValid())
        return;
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return;
    const QRect global = iface->rect();
    const QRect frame(window->mapFromGlobal(global.topLeft()), global.size());
    if (!frame.intersects(window->rect()))
        return;
    const QString name = iface->text(QAccessible::Name);
    const QString value = iface->text(QAccessible::Value);
    // A bare container says nothing itself; its children do.
    if (!name.isEmpty() || !value.isEmpty())
        out.append({roleName(iface->role()), name, value, frame, depth, !state.disabled, bool(state.checked)});
    for (int i = 0; i < iface->childCount(); ++i)
        collect(iface->child(i), window, depth + 1, out);
}

} // namespace

QList<AccessibleElement> accessibleTree(Window* window)
{
    QList<AccessibleElement> list;
    if (!window)
        return list;
    installAccessibility();
    collect(QAccessible::queryAccessibleInterface(window), window, 0, list);
    return list;
}

QByteArray accessibleTreeJson(Window* window)
{
    QJsonArray elements;
    for (const AccessibleElement& e : accessibleTree(window)) {
        QJsonObject o;
        o.insert(QStringLiteral("role"), e.role);
        o.insert(QStringLiteral("name"), e.name);
        o.insert(QStringLiteral("value"), e.value);
        o.insert(QStringLiteral("frame"), QJsonArray{e.frame.x(), e.frame.y(), e.frame.width(), e.frame.height()});
        o.insert(QStringLiteral("depth"), e.depth);
        o.insert(QStringLiteral("enabled"), e.enabled);
        o.insert(QStringLiteral("checked"), e.checked);
        elements.append(o);
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("elements"), elements}}).toJson(QJsonDocument::Indented);
}

std::optional<AccessibleElement> findAccessible(Window* window, const QString& name, int nth)
{
    // What a finger would touch first: a control, then a row (a switch and
    // its row share a name), before the screen or the text that shares
    // its name (a tab and its screen); then a row whose name goes on after
    // a comma with what it holds.
    static const QStringList kPassive = {QStringLiteral("Pane"), QStringLiteral("Client"), QStringLiteral("TitleBar"),
        QStringLiteral("StaticText"), QStringLiteral("Graphic"), QStringLiteral("List")};
    static const QString kRow = QStringLiteral("ListItem");
    // Digits in any shape: "۱۴۰۵" finds "١٤٠٥".
    QList<AccessibleElement> tree = accessibleTree(window);
    // Under an alert, a finger reaches only the alert.
    const QList<AlertView*> alerts = AlertView::visibleAlerts();
    if (!alerts.isEmpty() && alerts.last()->window() == window) {
        const AlertView* top = alerts.last();
        const QRect reach(top->mapTo(window, top->childrenRect().topLeft()), top->childrenRect().size());
        tree.removeIf([&reach](const AccessibleElement& e) { return !reach.contains(e.frame.center()); });
    }
    for (AccessibleElement& e : tree)
        e.name = foundation::Digits::western(e.name);
    const QString wanted = foundation::Digits::western(name);
    const QList<std::function<bool(const AccessibleElement&)>> passes = {
        [&](const AccessibleElement& e) { return e.name == wanted && !kPassive.contains(e.role) && e.role != kRow; },
        [&](const AccessibleElement& e) { return e.name == wanted && e.role == kRow; },
        [&](const AccessibleElement& e) { return e.name == wanted; },
        [&](const AccessibleElement& e) { return e.name.startsWith(wanted + QStringLiteral("، ")); },
    };
    for (const auto& matches : passes) {
        int seen = 0;
        for (const AccessibleElement& e : tree)
            if (matches(e) && ++seen == nth)
                return e;
    }
    return std::nullopt;
}

} // namespace ui
