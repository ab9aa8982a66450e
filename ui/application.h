#pragma once

class QFont;
class QIcon;
class QLocale;
class QWidget;

namespace ui {

// What every window of the program shares: the application's name, its
// icon, and the font its layout is designed for.
void prepareApplication();

// Loads the program's texts, and Qt's own for its standard buttons, in the
// language of the default locale; English, the source, needs none. Called
// again, it replaces what it loaded before.
void useLanguageOf(const QLocale& locale);
// The logo that the main and graph windows carry. It is given to each of
// them rather than to the whole application, so that the splash window has
// none even where the platform lends windows the application's icon.
QIcon applicationIcon();

// The font the fixed layout is measured for, every property of it set, so
// that nothing of a theme's or a class's font shows through.
QFont layoutFont();

// Gives a window and every widget in it the layout's font, whatever a
// platform theme or an application-wide font of a widget class says. Called
// once a window has built its controls.
void useLayoutFont(QWidget& window);

}  // namespace ui
