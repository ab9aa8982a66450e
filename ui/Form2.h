#pragma once

#include <QDialog>

// The chart of the equilibrium curve and the last run's operating line.
class Form2 : public QDialog {
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);

    void Form_Load();
};
