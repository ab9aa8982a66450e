#pragma once

#include "report/runpdf.h"
#include "series/analysis.h"
#include "series/series.h"
#include "series/uncertainty.h"

#include <QByteArray>

#include <optional>
#include <span>

class QIODevice;

namespace report {

// The lab report of a series on A4 pages, numbered: a title block with the
// series' fields; the table of every run (inputs, label, results, Colburn
// NTU, U where the run has an uncertainty, findings and exclusions marked),
// never splitting a row; both charts of the coefficient against the flows
// with the fitted law and its numbers; the method, the equilibrium table
// and the assumptions; then, with `appendix`, each completed run's own
// report. `uncertainties` may be empty. The fit is of the `fitted`
// coefficient, as the Series Analysis chose it, and says which. False when
// the device, which must be open for writing, takes nothing.
bool writeSeriesPdf(QIODevice& device, const series::Series& series, std::span<const series::RunResult> results,
                    std::span<const series::RunUncertainty> uncertainties, const PdfDetails& details, bool appendix,
                    series::Fitted fitted = series::Fitted::quillon);

// The same pages as the bytes of a PDF file; none if they could not be made.
std::optional<QByteArray> seriesPdf(const series::Series& series, std::span<const series::RunResult> results,
                                    std::span<const series::RunUncertainty> uncertainties, const PdfDetails& details,
                                    bool appendix, series::Fitted fitted = series::Fitted::quillon);

// Up to this many runs, the report holds a page per run unless asked not
// to; beyond, only when asked.
inline constexpr std::size_t appendixRunLimit = 12;

// Whether a series of `runs` runs gets the runs' pages unless asked.
inline bool appendixByDefault(std::size_t runs)
{
    return runs <= appendixRunLimit;
}

}  // namespace report
