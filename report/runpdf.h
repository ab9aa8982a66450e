#pragma once

#include "report/run.h"

#include <QByteArray>
#include <QDateTime>
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
};

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
