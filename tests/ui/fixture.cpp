#include "fixture.h"

#include "ui/Module1.h"
#include "ui/application.h"

#include <QApplication>
#include <QWidget>

void startWindowTest(const QLocale& locale)
{
    Module1::fractions = {};
    Module1::coherence = {};
    QLocale::setDefault(locale);
    ui::useLanguageOf(locale);
}

bool endWindowTest()
{
    QLocale::setDefault(QLocale::c());
    ui::useLanguageOf(QLocale::c());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QWidgetList left = QApplication::topLevelWidgets();
    for (const QWidget* widget : left)
        qWarning("%s (%s) left behind", qPrintable(widget->objectName()), widget->metaObject()->className());
    return left.isEmpty();
}
