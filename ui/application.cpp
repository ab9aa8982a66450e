#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>

void prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    // Desktops match the windows to the installed desktop entry by this
    // name, and show its icon and name for them.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/icon.png")));

    // The layout's rectangles are made for a small sans serif of Arial's
    // metrics: a wider or larger face wraps the notes into each other. The
    // layout is in device-independent pixels, so the font is sized in them
    // too and scales with it.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    QApplication::setFont(font);
}
