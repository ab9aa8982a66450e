#include "ui/chartpicture.h"

#include "ui/saving.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QWidget>

namespace ui {

void addPictureActions(QWidget& chart)
{
    auto* copy = new QAction(QApplication::translate("ChartPicture", "Copy Picture"), &chart);
    copy->setObjectName(QStringLiteral("copyPicture"));
    copy->setShortcut(QKeySequence::Copy);
    QObject::connect(copy, &QAction::triggered, &chart,
                     [&chart] { QApplication::clipboard()->setImage(chart.grab().toImage()); });

    auto* save = new QAction(QApplication::translate("ChartPicture", "Save Picture…"), &chart);
    save->setObjectName(QStringLiteral("savePicture"));
    QObject::connect(save, &QAction::triggered, &chart, [&chart] { saveChartPicture(&chart, chart.grab().toImage()); });

    chart.addAction(copy);
    chart.addAction(save);
    chart.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace ui
