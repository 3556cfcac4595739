// The floor for any app of text: a bare Qt window of the phone's size that
// paints one Persian label, and quits once it has been painted. The start-up
// benchmark times Kelvaro against it.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace {

class FirstFrame : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] { QApplication::exit(0); });
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("اذان صبح ۰۵:۳۱"));
    label.setFixedSize(320, 460);
    label.setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Noto Sans Arabic"));
    font.setPixelSize(25);
    label.setFont(font);
    FirstFrame first;
    label.installEventFilter(&first);
    label.show();
    return QApplication::exec();
}
