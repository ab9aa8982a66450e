#include "modalboxes.h"

#include <QAbstractButton>
#include <QApplication>

ModalBoxes::ModalBoxes(Windows closing)
    : windows(closing)
{
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &poll, [this] { answer(); });
    poll.start();
}

void ModalBoxes::answer()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) {
        if (windows == closeWindows) {
            windowsClosed.append(modal->objectName());
            modal->close();
        }
        return;
    }
    boxes.append({box->windowTitle(), box->text(), box->icon(), int(box->buttons().size()), box->textFormat(),
                  box->size(), box->frameGeometry().center(),
                  box->parentWidget() ? box->parentWidget()->window() : nullptr});
    if (QAbstractButton* ok = box->button(QMessageBox::Ok))
        ok->click();
    else
        box->reject();
}
