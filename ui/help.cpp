#include "ui/help.h"

#include "present/methodtext.h"
#include "report/qtpresent.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

MethodWindow::MethodWindow(QWidget* parent)
    : QDialog(parent)
    , text(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("MethodWindow"));
    setWindowTitle(tr("Method and Data"));
    setAttribute(Qt::WA_DeleteOnClose);
    text->setObjectName(QStringLiteral("methodText"));
    text->setOpenLinks(false);
    text->setHtml(methodText());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    resize(560, 640);
}

QString MethodWindow::methodText()
{
    const QLocale locale;
    // Counts are grouped as the locale groups them, unless it says not to.
    const QString separator =
        locale.numberOptions().testFlag(QLocale::OmitGroupSeparator) ? QString() : locale.groupSeparator();
    const present::Grouping grouping =
        present::groupingOf(locale.toString(qulonglong(10'000'000)).toStdString(), separator.toStdString());
    return report::qstring(present::methodText(report::qtLanguage(), report::numberLocaleOf(locale), grouping,
                                               present::HelpEdition::window));
}

void showAbout(QWidget* parent)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::translate("About", "About Quillon"), QString(), QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("about"));
    box.setTextFormat(Qt::RichText);
    box.setText(QApplication::translate("About",
                                        "<h3>Quillon %1</h3>"
                                        "<p>A calculator for a laboratory packed-bed absorber in which ammonia "
                                        "is absorbed from air into water.</p>"
                                        "<p>Licence: proprietary; all rights reserved.</p>")
                    .arg(QApplication::applicationVersion().toHtmlEscaped()));
    QPushButton* aboutQt = box.addButton(QApplication::translate("About", "About &Qt"), QMessageBox::HelpRole);
    aboutQt->setObjectName(QStringLiteral("aboutQt"));
    // About Qt closes this box like any button; the box comes back after it.
    while (box.exec(), box.clickedButton() == aboutQt)
        QMessageBox::aboutQt(parent);
}
