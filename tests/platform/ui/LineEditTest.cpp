#include "platform/ui/LineEdit.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Touch.h"

#include "Screen.h"

#include <QImage>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Where a field's letters are, in its own points: dark pixels inside it,
// away from its border and from its clear button.
QRect letters(QWidget* holder, ui::LineEdit* field)
{
    const QImage image = holder->grab().toImage();
    const double scale = image.devicePixelRatio();
    const QPoint origin = field->mapTo(holder, QPoint(0, 0));
    QRect skip;
    for (QToolButton* b : field->findChildren<QToolButton*>())
        if (b->isVisible())
            skip |= b->geometry();
    QRect box;
    for (int y = 3; y < field->height() - 3; ++y) {
        for (int x = 8; x < field->width() - 8; ++x) {
            if (skip.contains(x, y))
                continue;
            const QRgb p = image.pixel(qRound((origin.x() + x) * scale), qRound((origin.y() + y) * scale));
            if (qGray(p) < 170)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

void expectRightAndCentred(QWidget* holder, ui::LineEdit* field, const char* what)
{
    const QRect ink = letters(holder, field);
    ASSERT_FALSE(ink.isEmpty()) << what;
    EXPECT_GT(ink.left(), field->width() / 2) << what << ": at the right, not next to the clear button";
    EXPECT_GT(ink.right(), field->width() - 24) << what;
    EXPECT_NEAR(ink.center().y(), field->height() / 2.0, 2.5) << what << ": in the middle of the height";
}

TEST(LineEdit, PersianTextAndPlaceholdersStandAtTheRightInTheMiddle)
{
    ui::SearchBar bar(QRect(0, 0, 320, 44));
    bar.setPlaceholder(QStringLiteral("نام شهر یا استان"));
    bar.show();
    expectRightAndCentred(&bar, bar.field(), "search placeholder");
    bar.setText(QStringLiteral("تهران"));
    expectRightAndCentred(&bar, bar.field(), "search text");
    // The clear button is at the left end.
    QToolButton* clear = nullptr;
    for (QToolButton* b : bar.field()->findChildren<QToolButton*>())
        if (b->isVisible())
            clear = b;
    ASSERT_NE(clear, nullptr);
    EXPECT_LT(clear->geometry().center().x(), bar.field()->width() / 4);

    ui::TextField name(QRect(0, 0, 185, 30));
    name.setBackgroundColor(Qt::white);
    name.setPlaceholder(QStringLiteral("بدون نام"));
    name.show();
    expectRightAndCentred(&name, name.field(), "name placeholder");
    name.setText(QStringLiteral("ماهدشت"));
    expectRightAndCentred(&name, name.field(), "name text");
}

TEST(LineEdit, TheCursorStandsClearOfThePlaceholder)
{
    // The same words as placeholder and as typed text: the typed text ends
    // where the cursor stands in an empty field, the placeholder leaves the
    // cursor its room.
    ui::SearchBar bar(QRect(0, 0, 320, 44));
    bar.setPlaceholder(QStringLiteral("نام شهر"));
    bar.show();
    const QRect placeholder = letters(&bar, bar.field());
    bar.setText(QStringLiteral("نام شهر"));
    const QRect typed = letters(&bar, bar.field());
    ASSERT_FALSE(placeholder.isEmpty());
    EXPECT_LE(placeholder.right(), typed.right());
}

TEST(TextField, AFieldTypedAnewTakesWhatIsTypedInPlaceOfItsText)
{
    TestWindow phone;
    auto& other = phone.screen->view()->add<ui::TextField>(QRect(10, 60, 300, 34));
    auto& time = phone.screen->view()->add<ui::TextField>(QRect(10, 120, 100, 34));
    time.setMaxLength(5);
    time.setSelectsAllOnFocus(true);
    time.setText(QStringLiteral("08:00"));
    TestWindow::settle();
    auto tap = [&](QWidget* w) {
        ui::touch::tap(&phone.window, phone.centre(w));
        TestWindow::settle();
    };
    // Full to its length, it still takes a new time at the first tap.
    tap(&time);
    ui::touch::type(&phone.window, QStringLiteral("07:30"));
    EXPECT_EQ(time.text(), "07:30");
    // Tapped again while it has the keyboard: the whole again, then, on a
    // tap over the whole, the cursor for an edit.
    tap(&time);
    EXPECT_EQ(time.field()->selectedText(), "07:30");
    tap(&time);
    EXPECT_FALSE(time.field()->hasSelectedText());
    ui::touch::type(&phone.window, QStringLiteral("9"));
    EXPECT_EQ(time.text(), "07:30") << "full: nothing more goes in";
    // Reached by Tab, or given the keyboard by the screen: the whole.
    tap(&other);
    ui::touch::key(&phone.window, Qt::Key_Tab);
    TestWindow::settle();
    ASSERT_TRUE(time.isFirstResponder());
    EXPECT_EQ(time.field()->selectedText(), "07:30");
    other.becomeFirstResponder();
    time.becomeFirstResponder();
    TestWindow::settle();
    EXPECT_EQ(time.field()->selectedText(), "07:30");
    // A field not so made keeps the usual cursor.
    other.setText(QStringLiteral("متن"));
    tap(&other);
    EXPECT_FALSE(other.field()->hasSelectedText());
}

} // namespace
