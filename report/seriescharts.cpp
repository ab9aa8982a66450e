#include "report/seriescharts.h"

#include "report/qtpresent.h"
#include "report/scenepainter.h"

#include <QLocale>
#include <QPainter>

namespace report {

QString decadeText(int power)
{
    return qstring(present::decadeText(power, numberLocaleOf(QLocale())));
}

present::Scene coefficientChart(const QPainter& painter, const QSizeF& size, const series::Analysis& analysis,
                                Against against, const QString& flowUnit)
{
    return present::seriesChart(analysis, against, flowUnit.toStdString(), size.width(), size.height(), qtLanguage(),
                                numberLocaleOf(QLocale()), textWidthOn(painter.font(), painter.device()));
}

void drawCoefficientChart(QPainter& painter, const QRectF& area, const series::Analysis& analysis, Against against,
                          const QString& flowUnit)
{
    paintScene(painter, area, coefficientChart(painter, area.size(), analysis, against, flowUnit));
}

QImage analysisImage(const series::Analysis& analysis, const QString& flowUnit, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    const double half = size.width() / 2.0;
    drawCoefficientChart(painter, QRectF(0, 0, half, size.height()), analysis, Against::gasFlow, flowUnit);
    drawCoefficientChart(painter, QRectF(half, 0, half, size.height()), analysis, Against::waterFlow, flowUnit);
    return image;
}

}  // namespace report
