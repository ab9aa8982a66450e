#pragma once

#include "report/run.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

namespace report {

// How the report writes numbers, handed in by the windows so that the page
// reads as the screen does.
struct NumberTexts {
    std::function<QString(double)> shown;  // as a result field shows it, to 4 decimals
    std::function<QString(double)> full;   // in full: reads back to the same double
    std::function<QString(double)> given;  // an input the readings give, to 5 significant digits
};

// A value as the main window writes it in the locale: the shortest text that
// reads back to the same double, plain decimals from 0.0001 up to 15 digits
// and powers of ten beyond, without group separators.
QString exactNumberText(double value, const QLocale& locale);

// Numbers in `locale` as the main window shows them: results rounded to 4
// decimals first, full values exactly.
NumberTexts numberTextsIn(const QLocale& locale);

struct PdfDetails {
    QString version;  // the program's
    QDateTime written;
    NumberTexts numbers;
};

// The lab report of one run on one A4 page: inputs, results as shown and in
// full, the balance's working values, the method and its assumptions, the
// equilibrium table and a chart of the run. False when the device, which
// must be open for writing, takes nothing.
bool writeRunPdf(QIODevice& device, const Run& run, const PdfDetails& details);

// The same page as the bytes of a PDF file; none if it could not be made.
std::optional<QByteArray> runPdf(const Run& run, const PdfDetails& details);

}  // namespace report
