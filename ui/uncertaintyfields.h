#pragma once

#include "series/series.h"

#include <QWidget>

#include <array>
#include <optional>

class QLineEdit;

// The five standard uncertainties of a run's inputs as a row of fields: the
// flows relative (0.02 for 2 %), y1, x1 and the packing height absolute. An
// empty field is none, or, where fallbacks are set, the fallback, which the
// field then shows greyed.
class UncertaintyFields : public QWidget {
    Q_OBJECT

public:
    explicit UncertaintyFields(QWidget* parent = nullptr);

    void setValues(const series::Uncertainties& values);
    void setFallbacks(const series::Uncertainties& fallbacks);

    // The fields' values; empty, after a box naming the field, when one is
    // not a number of 0 or more.
    std::optional<series::Uncertainties> values();

signals:
    // The user left a field whose text changed.
    void edited();

private:
    std::array<QLineEdit*, 5> fields{};
};
