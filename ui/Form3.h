#pragma once

#include <QDialog>
#include <QImage>

#include <chrono>

class QTimer;

// The start-up picture, shown until a click (a press and a release inside
// it), a character key or its timer's 101st tick. It has no icon.
class Form3 : public QDialog {
    Q_OBJECT

public:
    // Timer1's interval. The design asks for 1 ms, that is, ticks as fast as
    // the timer delivers them; the desktop timer it was made for delivered
    // about 64 a second, which kept the picture up for about 1.6 s over 101
    // ticks. A modern timer would honour 1 ms and flash the picture for a
    // tenth of a second, so the old rate is kept. Read when a Form3 is
    // created; tests shorten it.
    static inline std::chrono::milliseconds tickInterval{16};

    explicit Form3(QWidget* parent = nullptr);

    // Centres the window and starts the timer; runs before the window is shown.
    void Form_Load();

    void Timer1_Timer();
    void Form_Click();
    // The character itself does not matter, only that the key produced one.
    void Form_KeyPress();

    // However the window is unloaded, its timer stops with it.
    void done(int result) override;

signals:
    // The picture was first painted: the splash is on screen.
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void unload();

    QImage picture;
    QTimer* Timer1;
    bool pressedInside = false;  // a mouse button went down inside and is not yet released
    bool paintedOnce = false;
};
