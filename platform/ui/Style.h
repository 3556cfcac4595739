#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace ui {

// Fonts by the names the screens use ("Helvetica", "Helvetica-Bold") at a
// size in points. Latin text takes a Helvetica-metric sans, Persian text
// Noto Sans Arabic, so every text renders shaped and in its own direction.
QFont font(const QString& name, double size);

// An image of the resource folder by file name ("MainView.png"); the @2x
// file is taken when there is one, for crisp drawing on dense screens.
// A missing image is a null pixmap.
QPixmap image(const QString& name);
// Starts decoding the pictures the first frame shows, and loading the font
// list, beside the start's other work; image() takes them from there.
// Called once the application exists.
void preload(const QStringList& names);
// The PNG file at `path`, read as PNG whatever else is installed: no image
// plugin is asked or loaded. A missing or unreadable file is a null pixmap.
QPixmap pngFile(const QString& path);
// The icon of a resource picture: the 1x file and its @2x, as pixmaps.
QIcon icon(const QString& name);

// The image with `color` laid over its opaque parts.
QPixmap tinted(const QPixmap& image, const QColor& color);

QColor grayColor();

QColor blueColor();

// Whether screens read from the right, as the app's Persian does: the
// platform then lays out what it places itself (the tab bar's items, the
// navigation bar's buttons, the rows of tables, the search bar's Cancel)
// mirrored, and a cell's controls at the mirror of the frames the screen
// gives them. On by default; tests may turn it off.
bool rightToLeft();
void setRightToLeft(bool rightToLeft);
// `frame` within a width of `outer`, mirrored when the screens read from
// the right.
QRect leading(const QRect& frame, int outer);

// The length of an animation in milliseconds. Tests switch animations off,
// and every animation then completes at once.
int animationMs(int ms);
void setAnimationsEnabled(bool enabled);
bool animationsEnabled();

} // namespace ui
