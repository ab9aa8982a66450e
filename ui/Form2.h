#pragma once

#include "ui/chart.h"

#include <QDialog>
#include <QStringView>

#include <vector>

// The chart of the equilibrium curve and the last run's operating line.
class Form2 : public QDialog {
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);

    // Places the curve and the operating line from the shared fractions;
    // runs before the window is shown and stops at the first thing it reports.
    void Form_Load();

    // The controls by their names; null for a name the window does not have.
    const ChartLine* line(QStringView name) const;
    const ChartLabel* label(QStringView name) const;
    const ChartShape& shape() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The chart takes no keys: it closes by its close box only, not by Escape.
    void keyPressEvent(QKeyEvent* event) override;

private:
    ChartLine& lineNumbered(int number);
    ChartLabel& labelNamed(QStringView name);
    // Hands a coordinate to a line, or reports why it cannot; false stops the load.
    bool place(float& coordinate, PlotCoordinate value);
    bool placeLine(ChartLine& target, double fromX, double fromY, double toX, double toY);

    std::vector<ChartControl> controls;  // painting order: each lies over the ones before it
};
