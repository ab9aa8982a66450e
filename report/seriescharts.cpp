#include "report/seriescharts.h"

#include "report/qtpresent.h"
#include "report/scenepainter.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPainter>

#include <algorithm>

namespace report {
namespace {

struct ChartText {
    Q_DECLARE_TR_FUNCTIONS(SeriesChart)
};

QString number(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 4);
}

QString estimateText(const series::Estimate& estimate)
{
    return ChartText::tr("%1 ± %2 (95 %: %3 to %4)")
        .arg(number(estimate.value), number(estimate.standardError), number(estimate.low), number(estimate.high));
}

}  // namespace

QString decadeText(int power)
{
    return qstring(present::decadeText(power, numberLocaleOf(QLocale())));
}

void drawCoefficientChart(QPainter& painter, const QRectF& area, const series::Analysis& analysis, Against against,
                          const QString& flowUnit)
{
    const present::Scene scene =
        present::seriesChart(analysis, against, flowUnit.toStdString(), area.width(), area.height(), qtLanguage(),
                             numberLocaleOf(QLocale()), textWidthOn(painter.font(), painter.device()));
    paintScene(painter, area, scene);
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

QStringList fitLines(const series::Analysis& analysis, const QString& flowUnit)
{
    QStringList lines;
    const std::size_t used = std::size_t(
        std::count_if(analysis.runs.begin(), analysis.runs.end(), [](const auto& run) { return run.used; }));
    const auto* law = std::get_if<series::PowerLaw>(&analysis.fit);
    if (!law) {
        lines.append(
            ChartText::tr("No fit: %1.").arg(QString::fromStdString(std::get<series::NotGiven>(analysis.fit).reason)));
        lines.append(
            ChartText::tr("Runs in the analysis: %1 of %2 with a coefficient.").arg(used).arg(analysis.runs.size()));
        return lines;
    }
    QString form = ChartText::tr("MTC = a");
    if (law->gasExponent)
        form += ChartText::tr(" · G^m");
    if (law->waterExponent)
        form += ChartText::tr(" · L^n");
    lines.append(form);
    lines.append(ChartText::tr("a = %1").arg(estimateText(law->prefactor)));
    if (law->gasExponent)
        lines.append(ChartText::tr("m (gas flow) = %1").arg(estimateText(*law->gasExponent)));
    if (law->waterExponent)
        lines.append(ChartText::tr("n (water flow) = %1").arg(estimateText(*law->waterExponent)));
    if (law->dropped) {
        const QString which = law->dropped->exponent == series::Exponent::gas ? ChartText::tr("m (gas flow)")
                                                                              : ChartText::tr("n (water flow)");
        lines.append(ChartText::tr("%1 left out: %2.").arg(which, QString::fromStdString(law->dropped->reason)));
    }
    lines.append(
        ChartText::tr("R² = %1 (of ln MTC); residual SD %2").arg(number(law->rSquared), number(law->residualSd)));
    lines.append(ChartText::tr("Runs used: %1 of %2 with a coefficient%3.")
                     .arg(law->runsUsed)
                     .arg(analysis.runs.size())
                     .arg(law->weighted ? ChartText::tr(", weighted by their uncertainties") : QString()));
    if (!flowUnit.isEmpty())
        lines.append(ChartText::tr("G and L in %1, MTC in %1/m³.").arg(flowUnit));
    return lines;
}

}  // namespace report
