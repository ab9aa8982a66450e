#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QWidget>

void prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/icon.png")));
    QApplication::setFont(layoutFont());
}

QFont layoutFont()
{
    // The layout's rectangles are made for a small sans serif of Arial's
    // metrics: a wider or larger face wraps the notes into each other. The
    // layout is in device-independent pixels, so the font is sized in them
    // too and scales with it.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    // A font leaves its unset properties to its widget's inherited font,
    // which a theme may make bold or italic; this one sets them all.
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

void useLayoutFont(QWidget& window)
{
    // Each widget is given the font itself: a widget with a style sheet
    // does not pass its font on to its children, and a class font set for
    // the whole application outranks the font a widget inherits.
    const QFont font = layoutFont();
    window.setFont(font);
    for (QWidget* child : window.findChildren<QWidget*>())
        child->setFont(font);
}
