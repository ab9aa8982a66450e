#include "tests/report/support.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

std::optional<QString> popplerOutput(const QString& tool, QStringList arguments, const QByteArray& pdf)
{
    QTemporaryFile file;
    if (!file.open() || file.write(pdf) != pdf.size() || !file.flush())
        return std::nullopt;
    arguments.replaceInStrings(u"{pdf}"_s, file.fileName());
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::optional<QList<QStringList>> readCsv(const QString& text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;  // inside a ui::quoted field
    bool closed = false;  // a ui::quoted field has just ended
    bool fieldStarted = false;

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != u'"') {
                field += c;
            } else if (i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += c;
                ++i;
            } else {
                quoted = false;
                closed = true;
            }
            continue;
        }
        if (c == u',') {
            record.append(field);
            field.clear();
            closed = fieldStarted = false;
        } else if (c == u'\r') {
            if (i + 1 >= text.size() || text.at(i + 1) != u'\n')
                return std::nullopt;
            ++i;
            record.append(field);
            records.append(record);
            record.clear();
            field.clear();
            closed = fieldStarted = false;
        } else if (c == u'"') {
            if (fieldStarted || closed)
                return std::nullopt;
            quoted = true;
            fieldStarted = true;
        } else {
            if (closed || c == u'\n')
                return std::nullopt;
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted || fieldStarted || closed || !record.isEmpty())
        return std::nullopt;
    return records;
}
