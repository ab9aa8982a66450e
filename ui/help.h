#pragma once

#include <QDialog>

class QTextBrowser;

// Help ▸ Method and Data: what Calculate and Find MTC do, their
// assumptions, and the equilibrium table with its source, as text that can
// be selected and copied. Not modal: it can stay open beside the main window.
class MethodWindow : public QDialog {
    Q_OBJECT

public:
    explicit MethodWindow(QWidget* parent = nullptr);

    // The explanation as shown, in the locale and language of the moment.
    static QString methodText();

private:
    QTextBrowser* text;
};

// Help ▸ About Quillon: name, version, what it is, its licence, and About Qt.
void showAbout(QWidget* parent);
