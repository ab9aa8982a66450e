#include "ui/Form2.h"

Form2::Form2(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
}

void Form2::Form_Load()
{
}
