#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <QWidget>

namespace ui {

void prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    // Desktops match the windows to the installed desktop entry by this
    // name, and show its icon and name for them.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));
    useLanguageOf(QLocale());
    QApplication::setFont(layoutFont());
}

QIcon applicationIcon()
{
    return QIcon(QStringLiteral(":/assets/icon.png"));
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

void useLanguageOf(const QLocale& locale)
{
    // The application owns the translators; these only follow them, and
    // become null should the application go first.
    static QPointer<QTranslator> ours;
    static QPointer<QTranslator> qts;
    for (QPointer<QTranslator>* loaded : {&ours, &qts}) {
        if (*loaded) {
            QApplication::removeTranslator(*loaded);
            delete loaded->data();
        }
    }
    auto load = [&locale](QPointer<QTranslator>& into, const QString& name, const QString& folder) {
        auto* translator = new QTranslator(qApp);
        if (translator->load(locale, name, QStringLiteral("_"), folder)) {
            QApplication::installTranslator(translator);
            into = translator;
        } else {
            delete translator;
        }
    };
    load(ours, QStringLiteral("quillon"), QStringLiteral(":/i18n"));
    load(qts, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace ui
