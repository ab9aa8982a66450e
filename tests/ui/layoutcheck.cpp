#include "layoutcheck.h"

#include "ui/Form2.h"
#include "ui/twips.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace {

bool fits(bool condition, const QString& what)
{
    if (!condition)
        qWarning("%s does not fit", qPrintable(what));
    return condition;
}

}  // namespace

bool captionsFit(const QWidget& mainWindow)
{
    bool all = true;
    int checked = 0;
    for (const QLabel* label : mainWindow.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const QRect needed = label->fontMetrics().boundingRect(
            label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap, label->text());
        all &= fits(label->contentsRect().contains(needed), label->objectName() + " \"" + label->text() + "\"");
        ++checked;
    }
    for (const QPushButton* button : mainWindow.findChildren<QPushButton*>()) {
        all &= fits(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
                    button->objectName() + " \"" + button->text() + "\"");
        ++checked;
    }
    for (const QGroupBox* frame : mainWindow.findChildren<QGroupBox*>()) {
        all &= fits(frame->fontMetrics().horizontalAdvance(frame->title()) + 12 <= frame->width(),
                    frame->objectName() + " \"" + frame->title() + "\"");
        ++checked;
    }
    if (checked != 14 + 2 + 6) {
        qWarning("%d captions checked, not 22", checked);
        return false;
    }
    if (const auto* window = qobject_cast<const QMainWindow*>(&mainWindow)) {
        const QMenuBar* menus = window->menuBar();
        all &= fits(menus->heightForWidth(mainWindow.width()) <= menus->sizeHint().height(), "the menu bar");
    }

    const auto* note = mainWindow.findChild<QLabel*>("Label13");
    const auto* next = mainWindow.findChild<QLabel*>("Label14");
    const QRect text = note->fontMetrics().boundingRect(note->contentsRect(), Qt::TextWordWrap, note->text());
    all &= fits(note->y() + text.bottom() < next->y(), "Label13 above Label14");
    return all;
}

bool chartCaptionsFit(const Form2& chart)
{
    bool all = true;
    const QFontMetrics metrics(chart.font());
    for (int number = 1; number <= 7; ++number) {
        const ui::ChartLabel* label = chart.label(QStringLiteral("Label%1").arg(number));
        const QRect rect =
            QRectF(ui::twips::point(label->rect.left, label->rect.top),
                   ui::twips::point(label->rect.left + label->rect.width, label->rect.top + label->rect.height))
                .toRect();
        const QRect needed =
            metrics.boundingRect(rect, int(label->alignment | Qt::AlignTop | Qt::TextWordWrap), label->caption);
        all &= fits(rect.contains(needed), label->name + " \"" + label->caption + "\"");
    }
    return all;
}
