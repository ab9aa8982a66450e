#pragma once

// The main window's two steps, Calculate and Find MTC, free of any window:
// from what its fields read and what it kept since the last click, what it
// keeps now, which box it shows, what its result fields show and the run it
// hands to the series. The window and the page only read their fields, turn
// the message into a box and write the texts.

#include "core/absorber.h"
#include "present/numbers.h"

#include <optional>
#include <string>

namespace present {

// What the main window keeps between clicks, all 0 at first.
struct ColumnState {
    double y1 = 0.0;
    double x1 = 0.0;
    double y2 = 0.0;
    double gasFlow = 0.0;
    double waterFlow = 0.0;
    double eqX = 0.0;
    double eqY = 0.0;
    double ntu = 0.0;
    double mtc = 0.0;
    absorber::Coherence coherence;
};

// The fields the steps read; Calculate reads the first four in this order.
enum class InputField { y1, x1, gasFlow, waterFlow, packingHeight };

// Calculate's fields, each as its text reads.
struct ColumnFields {
    ParsedNumber y1;
    ParsedNumber x1;
    ParsedNumber gasFlow;
    ParsedNumber waterFlow;
};

// The box a step ends with.
struct Message {
    enum class Kind {
        // The step completed: no box.
        none,
        // `field` holds no number; `number` says whether it is too large.
        conversionError,
        // The inputs or y2 are out of range, Find MTC has no completed run
        // or its height, NTU or gas flow is not above 0: "Invalid Data"
        // under the window's title for it.
        invalidData,
        // An arithmetic fault, `fault`, stopped the calculation.
        fault,
    };

    Kind kind = Kind::none;
    InputField field = InputField::y1;
    ParsedNumber::Kind number = ParsedNumber::Kind::number;
    absorber::Outcome fault = absorber::Outcome::completed;

    bool operator==(const Message&) const = default;
};

// What becomes of one result field.
struct ResultChange {
    enum class Kind {
        unchanged,
        cleared,  // no text and no tip
        shown,    // `text` in the field, `full` in its tip
    };

    Kind kind = Kind::unchanged;
    std::string text;  // rounded to 4 decimals
    std::string full;  // the value in full
};

struct ResultChanges {
    ResultChange eqY;
    ResultChange y2;
    ResultChange ntu;
    ResultChange mtc;
};

// The run a completed Calculate made: the series adds it, unless it is the
// run on screen calculated again (SeriesEditor::addRun).
struct CompletedRun {
    absorber::RunInputs inputs;
    absorber::Balance balance;
    double ntu = 0.0;
};

// A completed Find MTC: the coefficient of the run of the last Calculate.
struct FoundCoefficient {
    double packingHeight = 0.0;
    double mtc = 0.0;
};

struct ColumnStep {
    ColumnState kept;
    Message message;
    ResultChanges results;
    std::optional<CompletedRun> run;
    std::optional<FoundCoefficient> coefficient;
};

// Calculate as far as its fields: each value is kept as soon as it reads,
// so a field that does not leaves the ones before it kept. The inputs are
// given when all four read; otherwise the step is over.
struct ColumnReading {
    ColumnStep step;
    std::optional<absorber::RunInputs> inputs;
};
ColumnReading readColumnFields(ColumnState kept, const ColumnFields& fields);

// Calculate from the balance of the inputs read and, once it completed,
// the NTU sum over its limits.
ColumnStep calculatedColumn(ColumnState kept, const absorber::RunInputs& inputs, const absorber::Balance& balance,
                            const std::optional<absorber::Integration>& integration, const NumberLocale& locale);

// Calculate whole: the fields, the balance and the NTU sum.
ColumnStep calculateColumn(const ColumnState& kept, const ColumnFields& fields, const NumberLocale& locale);

// Find MTC from the packing height's field, with the NTU and gas flow of the
// last completed Calculate while its run is in the series.
ColumnStep findMtc(ColumnState kept, const ParsedNumber& packingHeight, bool runInSeries, const NumberLocale& locale);

}  // namespace present
