#pragma once

// The browser edition's values crossing embind: the core's and the series
// library's results as plain JavaScript objects, and back.

#include "core/absorber.h"
#include "series/analysis.h"
#include "series/series.h"
#include "series/uncertainty.h"

#include <emscripten/val.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace web {

using emscripten::val;

val numberOrNull(const std::optional<double>& value);
val outcomeOf(absorber::Outcome outcome);

// A copy of the bytes as a Uint8Array, so that no view into the module's
// memory outlives a call; and a Uint8Array's bytes.
val bytesOf(const std::string& text);
std::string stringOf(const val& bytes);

template <typename T>
val arrayOf(const std::vector<T>& values)
{
    val array = val::array();
    for (const T& value : values)
        array.call<void>("push", val(value));
    return array;
}

val balanceOf(const absorber::Balance& balance);

// {gasFlowRel, waterFlowRel, y1, x1, packingHeight}, null where none.
series::Uncertainties uncertaintiesOf(const val& given);
val shownUncertainties(const series::Uncertainties& uncertainties);

// A series message as its code, {kind, texts, counts, cause}, so that the
// page can carry it through a worker and have it worded; and back.
val messageValue(const series::Message& message);
series::Message messageOf(const val& message);

// {reason, message} when not given: the reason in the page's words.
val shownGum(const std::variant<series::Gum, series::NotGiven>& found);
val shownMonteCarlo(const std::variant<series::MonteCarlo, series::NotGiven>& found);

// A Monte Carlo result as shownMonteCarlo gave it, or null or {reason, message}: what
// the page hands back for the analysis and the CSV export.
series::RunUncertainty runUncertaintyOf(const val& monteCarlo);

// {runs: [{run, gasFlow, waterFlow, mtc, uMtc, used}], fit}, the fit as
// shownFit gives it.
val shownAnalysis(const series::Analysis& analysis);

// {reason, message}, or the power law: {prefactor, lnPrefactor, gasExponent,
// waterExponent, dropped: {exponent: 'gas'|'water', reason} or null,
// rSquared, residualSd, dof, runsUsed, leftOut, weighted}, each estimate
// {value, standardError, low, high}, a dropped exponent null.
val shownFit(const std::variant<series::PowerLaw, series::NotGiven>& fit);

}  // namespace web
