#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>

// Answers the modal boxes that a handler shows, as a user would: reads each
// box's title, text, text format and size, then presses OK. Create it before
// the action that shows the boxes; it answers until it goes out of scope.
// Told to, it also closes any other modal window once it is up, as a user
// closing the graph.
class ModalBoxes {
public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        int buttonCount;
        Qt::TextFormat textFormat;
        QSize size;     // as shown
        QPoint centre;  // of its frame, as shown
        QWidget* over;  // the window it belongs to; none for a box of its own
    };

    enum Windows { leaveWindows, closeWindows };

    explicit ModalBoxes(Windows windows = leaveWindows);

    const QList<Box>& seen() const { return boxes; }
    int count() const { return int(boxes.size()); }
    // The object names of the modal windows it closed, in order.
    const QStringList& closed() const { return windowsClosed; }

private:
    void answer();

    Windows windows;
    QList<Box> boxes;
    QStringList windowsClosed;
    QTimer poll;
};
