#include "platform/ui/Button.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Style.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TableView.h"

#include <QAccessible>

#include <gtest/gtest.h>

namespace {

// One row with a switch and one with a slider, under a title.
class Rows : public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    int numberOfRowsInSection(ui::TableView*, int) override { return 2; }
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path) override
    {
        auto* cell = new ui::TableViewCell;
        if (path.row == 0) {
            cell->textLabel()->setText(QStringLiteral("اذان صبح"));
            toggle = new ui::Switch(QRect(220, 9, 94, 27));
            toggle->addAction(ui::ControlEvent::ValueChanged, [this] { ++changes; });
            cell->contentView()->addSubview(toggle);
        } else {
            cell->textLabel()->setText(QStringLiteral("طلوع آفتاب"));
            slider = new ui::Slider(QRect(20, 13, 170, 23));
            slider->setMaximumValue(11);
            slider->addAction(ui::ControlEvent::ValueChanged, [this] { ++changes; });
            cell->contentView()->addSubview(slider);
        }
        return cell;
    }
    void didSelectRowAtIndexPath(ui::TableView*, const ui::IndexPath& path) override { selected = path.row; }

    ui::Switch* toggle = nullptr;
    ui::Slider* slider = nullptr;
    int changes = 0;
    int selected = -1;
};

QAccessibleInterface* of(QObject* o)
{
    return QAccessible::queryAccessibleInterface(o);
}

TEST(Accessibility, ARowSaysItsTextOnceAndAScreenReaderActsAsAFingerWould)
{
    ui::View screen(QRect(0, 0, 320, 460));
    auto* save = new ui::Button(ui::Button::Type::Custom, QRect(250, 0, 60, 40));
    save->setTitle(QStringLiteral("ذخیره"));
    int saved = 0;
    save->addAction(ui::ControlEvent::TouchUpInside, [&] { ++saved; });
    auto* table = new ui::TableView(QRect(0, 40, 320, 200));
    Rows rows;
    table->setDataSource(&rows);
    table->setDelegate(&rows);
    screen.addSubview(save);
    screen.addSubview(table);
    table->reloadData();
    screen.show();

    // The row's own label is not a child of its own: the row says it.
    QAccessibleInterface* row = of(table->cellForRowAtIndexPath({0, 0}));
    EXPECT_EQ(row->role(), QAccessible::ListItem);
    EXPECT_EQ(row->text(QAccessible::Name), "اذان صبح");
    ASSERT_EQ(row->childCount(), 1);
    EXPECT_EQ(row->child(0)->object(), rows.toggle);
    EXPECT_EQ(of(rows.slider)->text(QAccessible::Name), "طلوع آفتاب");

    of(save)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(saved, 1);
    of(rows.toggle)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(rows.toggle->isOn());
    EXPECT_TRUE(of(rows.toggle)->state().checked);
    of(rows.slider)->valueInterface()->setCurrentValue(4);
    of(rows.slider)->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_DOUBLE_EQ(rows.slider->value(), 5);
    EXPECT_EQ(rows.changes, 3);
    of(table->cellForRowAtIndexPath({0, 1}))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(rows.selected, 1);

    // Faded out, the table and what is in it are out of a screen reader's
    // reach, asked one by one as a screen reader asks.
    table->setAlpha(0);
    EXPECT_TRUE(of(table)->state().invisible);
    EXPECT_TRUE(of(rows.toggle)->state().invisible);
    table->setAlpha(1);
    EXPECT_FALSE(of(table)->state().invisible);
    EXPECT_FALSE(of(rows.toggle)->state().invisible);
}

TEST(Accessibility, EachSegmentIsReachedByItsNameAndASliderFromTheRightGrowsToTheLeft)
{
    ui::View screen(QRect(0, 0, 320, 460));
    auto* kinds = new ui::SegmentedControl({QStringLiteral("شمسی"), QStringLiteral("میلادی"), QStringLiteral("قمری")}, QRect(10, 50, 300, 30));
    kinds->setSelectedSegmentIndex(0);
    kinds->setAccessibleName(QStringLiteral("تقویم"));
    kinds->setEnabledForSegment(2, false);
    int changes = 0;
    kinds->addAction(ui::ControlEvent::ValueChanged, [&] { ++changes; });
    auto* slider = new ui::Slider(QRect(20, 100, 170, 23));
    slider->setMaximumValue(10);
    screen.addSubview(kinds);
    screen.addSubview(slider);
    screen.show();

    // The control keeps its own name and says what is chosen; each segment
    // is a tab of its own, where it is drawn.
    QAccessibleInterface* control = of(kinds);
    EXPECT_EQ(control->text(QAccessible::Name), "تقویم");
    EXPECT_EQ(control->text(QAccessible::Value), "شمسی");
    ASSERT_EQ(control->childCount(), 3);
    QAccessibleInterface* gregorian = control->child(1);
    EXPECT_EQ(gregorian->text(QAccessible::Name), "میلادی");
    EXPECT_EQ(gregorian->role(), QAccessible::PageTab);
    EXPECT_TRUE(control->child(0)->state().selected);
    EXPECT_TRUE(control->child(2)->state().disabled);
    // The first segment at the right.
    EXPECT_GT(control->child(0)->rect().x(), gregorian->rect().x());
    gregorian->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(kinds->selectedSegmentIndex(), 1);
    EXPECT_EQ(control->text(QAccessible::Value), "میلادی");
    control->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(kinds->selectedSegmentIndex(), 1);
    EXPECT_EQ(changes, 1);

    // Read from the right, the least is at the right end; "increase" moves
    // the thumb to the left, and so does the left arrow.
    ASSERT_TRUE(ui::rightToLeft());
    EXPECT_GT(slider->pointForValue(0).x(), slider->pointForValue(10).x());
    of(slider)->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_DOUBLE_EQ(slider->value(), 1);
    EXPECT_LT(slider->pointForValue(slider->value()).x(), slider->pointForValue(0).x());
}

} // namespace
