#pragma once

#include "report/run.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace report {

// A double in full for files other programs read: '.' as the decimal
// separator whatever the locale, the shortest text that reads back to the
// same bits.
QByteArray exactText(double value);

// One field of a comma-separated file: quoted, with its quotes doubled, when
// it holds a comma, a quote, CR or LF; as it is otherwise.
QString csvField(const QString& text);

// The runs as a spreadsheet reads them: UTF-8, CRLF line ends, a header row
// of snake_case names, one row per run in the order given; the packing
// height and coefficient are empty cells until Find MTC completes.
QByteArray runsCsv(const QList<Run>& runs);

}  // namespace report
