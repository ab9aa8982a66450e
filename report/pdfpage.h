#pragma once

// What the PDF reports share: an A4 page written in millimetres, and the
// sections both the run's and the series' report hold.

#include "core/absorber.h"
#include "present/numbers.h"
#include "report/run.h"
#include "report/runpdf.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QString>

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

namespace report::pdf {

inline constexpr int dotsPerInch = 300;
inline constexpr double pageWidth = 210.0;  // A4, in millimetres
inline constexpr double pageHeight = 297.0;
inline constexpr double margin = 15.0;
inline constexpr double rowHeight = 4.7;
inline constexpr double tableRowHeight = 3.9;
inline constexpr double sectionGap = 3.0;

// Column positions in millimetres from the page's left edge.
inline constexpr double labelColumn = margin;
inline constexpr double shownColumnEnd = 128.0;  // right-aligned
inline constexpr double fullColumn = 136.0;
inline constexpr double halfWidth = (pageWidth - 2 * margin - 10.0) / 2.0;
inline constexpr double rightHalf = margin + halfWidth + 10.0;

// Writes on the page in millimetres, top down, while fonts keep their
// point sizes.
class Page {
public:
    Page(QPainter& pagePainter, const NumberTexts& numberTexts)
        : painter(pagePainter)
        , numbers(numberTexts)
    {
        body.setPointSizeF(9.0);
        bold = body;
        bold.setBold(true);
        heading = bold;
        heading.setPointSizeF(11.0);
        title = bold;
        title.setPointSizeF(15.0);
        small = body;
        small.setPointSizeF(8.0);
        smallBold = small;
        smallBold.setBold(true);
    }

    double dots(double millimetres) const { return millimetres * dotsPerInch / 25.4; }

    QRectF rect(double left, double top, double width, double height) const
    {
        return {dots(left), dots(top), dots(width), dots(height)};
    }

    void text(double left, double top, const QString& text, const QFont& font, Qt::Alignment alignment = Qt::AlignLeft,
              double width = 0.0)
    {
        painter.setFont(font);
        // Measured on the page, not on the screen: their resolutions differ;
        // and with the font the painter resolved, the one it draws with.
        const QFontMetricsF metrics(painter.font(), painter.device());
        double x = dots(left);
        if (alignment & Qt::AlignRight)
            x = dots(left + width) - metrics.horizontalAdvance(text);
        painter.drawText(QPointF(x, dots(top) + metrics.ascent()), text);
    }

    // How wide a text is drawn in a font, in millimetres: measured with the
    // font the painter draws with on this device.
    double width(const QString& text, const QFont& font)
    {
        painter.setFont(font);
        return QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text) * 25.4 / dotsPerInch;
    }

    // Wrapped at word boundaries; gives the height taken, in millimetres.
    double paragraph(double left, double top, double width, const QString& text, const QFont& font)
    {
        painter.setFont(font);
        const QRectF area = rect(left, top, width, pageHeight);
        const QRectF used = painter.boundingRect(area, Qt::TextWordWrap, text);
        painter.drawText(area, Qt::TextWordWrap, text);
        return used.height() * 25.4 / dotsPerInch;
    }

    double section(double left, double top, const QString& name)
    {
        text(left, top, name, heading);
        return top + rowHeight + 1.5;
    }

    QString shown(double value) const { return numbers.shown(value); }
    QString full(double value) const { return numbers.full(value); }
    QString given(double value) const { return numbers.given(value); }
    // An uncertainty alone, and a value with its uncertainty, as a lab
    // report writes them.
    static QString uncertainty(double u);
    static present::ValueWithUncertainty withUncertainty(double value, double u);

    QPainter& painter;
    const NumberTexts& numbers;
    QFont body;
    QFont bold;
    QFont heading;
    QFont title;
    QFont small;
    QFont smallBold;
};

// An A4 writer without margins at the pages' resolution, with the
// document's title and this program as its creator.
void setUpWriter(QPdfWriter& writer, const QString& title, const PdfDetails& details);

// The report's title, wrapped within the margins, over "Written … by
// Quillon …"; returns the top after.
double writeHeading(Page& page, const QString& title, const PdfDetails& details);

// A quantity's name with its unit, when the series names one.
QString withUnit(const QString& name, const QString& unit);

// Label and full-precision value, a row each; returns the top after them.
double writeRows(Page& page, double top, double labelX, double valueX,
                 std::initializer_list<std::pair<QString, double>> rows);

// The equilibrium table in the right half, the row used (if any) in bold.
double writeEquilibriumTable(Page& page, double top, std::optional<absorber::EquilibriumPoint> used);

// The method and its assumptions across the page.
double writeMethod(Page& page, double top, series::Equilibrium equilibrium);

// A run's report from the top of the current page: its first page, then
// one for its readings and one for its uncertainty when it has them, each
// begun with newPage (false when no page could be begun). `uncertaintyPage`
// is the number of the page after the first, which the first page names as
// its uncertainty's (or the page after, after the readings'). False when
// drawing stopped.
bool drawRunPages(Page& page, const Run& run, const PdfDetails& details, int uncertaintyPage,
                  const std::function<bool()>& newPage);

}  // namespace report::pdf
