#include "ui/Form3.h"

#include <QTimer>

Form3::Form3(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
}

void Form3::Form_Load()
{
    QTimer::singleShot(0, this, &QDialog::accept);
}
