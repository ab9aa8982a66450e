#pragma once

#include <QDialog>

// The start-up picture, shown until a click, a character key or its timer's
// 101st tick.
class Form3 : public QDialog {
    Q_OBJECT

public:
    explicit Form3(QWidget* parent = nullptr);

    void Form_Load();
};
