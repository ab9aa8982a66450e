#pragma once

#include "ui/chart.h"

#include <QDialog>
#include <QStringView>

#include <array>

// The chart of the equilibrium curve and the last run's operating line.
class Form2 : public QDialog {
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);

    // Places the curve and the operating line from the shared fractions;
    // runs before the window is shown and stops at the first thing it reports.
    void Form_Load();

    // The controls by their names, for a look at what the chart shows; null
    // for a name the window does not have.
    const ui::ChartLine* line(QStringView name) const;
    const ui::ChartLabel* label(QStringView name) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The chart takes no keys: it closes by its close box only, not by Escape.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Hands a coordinate to a line, or reports why it cannot; false stops the load.
    bool place(float& coordinate, ui::PlotCoordinate value);
    bool placeLine(ui::ChartLine& target, double fromX, double fromY, double toX, double toY);

    ui::ChartShape Shape1;
    ui::ChartLabel Label1, Label2, Label3, Label4, Label5, Label6, Label7;
    ui::ChartLine Line1, Line2, Line4, Line5, Line6;
    std::array<ui::ChartLine, 14> curve;  // Line7 to Line20, segment k being Line(6 + k)
};
