#pragma once

#include <QObject>

class Form1;
class MethodWindow;

// What the main window offers beyond the calculation itself: help on the
// method and data, and what leaves the window. It adds its own menus to the
// main window and listens to it; the main window's own behaviour is untouched.
class Session : public QObject {
    Q_OBJECT

public:
    explicit Session(Form1& form);

    void showMethod();

private:
    void addHelpMenu();

    Form1& form;
    MethodWindow* method = nullptr;
};
