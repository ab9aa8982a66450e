#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QTimer>

// Answers the modal boxes that a handler shows, as a user would: reads each
// box's title and text, then presses OK. Create it before the action that
// shows the boxes; it answers until it goes out of scope.
class ModalBoxes {
public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        int buttonCount;
    };

    ModalBoxes();

    const QList<Box>& seen() const { return boxes; }
    int count() const { return int(boxes.size()); }

private:
    void answer();

    QList<Box> boxes;
    QTimer poll;
};
