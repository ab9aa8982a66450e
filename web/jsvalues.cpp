#include "jsvalues.h"

#include "pagelocale.h"
#include "present/seriesmessages.h"
#include "series/series.h"

#include <emscripten/bind.h>

#include <array>
#include <cstddef>

namespace web {
namespace {

using Member = std::optional<double> series::Uncertainties::*;

constexpr std::array<std::pair<const char*, Member>, 5> uncertaintyKeys{{
    {"gasFlowRel", &series::Uncertainties::gasFlowRel},
    {"waterFlowRel", &series::Uncertainties::waterFlowRel},
    {"y1", &series::Uncertainties::y1},
    {"x1", &series::Uncertainties::x1},
    {"packingHeight", &series::Uncertainties::packingHeight},
}};

std::optional<double> optionalNumber(const val& object, const char* key)
{
    const val value = object[key];
    if (value.isNull() || value.isUndefined())
        return std::nullopt;
    return value.as<double>();
}

val notGiven(const series::NotGiven& reason)
{
    val shown = val::object();
    shown.set("reason", present::seriesMessage(reason.reason, language(), numberLocale()));
    shown.set("message", messageValue(reason.reason));
    return shown;
}

val interval(series::Interval range)
{
    val shown = val::array();
    shown.call<void>("push", range.low);
    shown.call<void>("push", range.high);
    return shown;
}

val estimate(const series::Estimate& value)
{
    val shown = val::object();
    shown.set("value", value.value);
    shown.set("standardError", value.standardError);
    shown.set("low", value.low);
    shown.set("high", value.high);
    return shown;
}

val optionalEstimate(const std::optional<series::Estimate>& value)
{
    return value ? estimate(*value) : val::null();
}

}  // namespace

val messageValue(const series::Message& message)
{
    val shown = val::object();
    shown.set("kind", int(message.kind));
    shown.set("texts", arrayOf(message.texts));
    val counts = val::array();
    for (const std::size_t count : message.counts)
        counts.call<void>("push", double(count));
    shown.set("counts", counts);
    val cause = val::array();
    for (const series::Message& inner : message.cause)
        cause.call<void>("push", messageValue(inner));
    shown.set("cause", cause);
    return shown;
}

series::Message messageOf(const val& message)
{
    series::Message found{series::MessageKind(message["kind"].as<int>())};
    const val texts = message["texts"];
    const val counts = message["counts"];
    const val cause = message["cause"];
    for (unsigned i = 0; i < texts["length"].as<unsigned>(); ++i)
        found.texts.push_back(texts[i].as<std::string>());
    for (unsigned i = 0; i < counts["length"].as<unsigned>(); ++i)
        found.counts.push_back(std::size_t(counts[i].as<double>()));
    for (unsigned i = 0; i < cause["length"].as<unsigned>(); ++i)
        found.cause.push_back(messageOf(cause[i]));
    return found;
}

val numberOrNull(const std::optional<double>& value)
{
    return value ? val(*value) : val::null();
}

val outcomeOf(absorber::Outcome outcome)
{
    return val(std::string(series::outcomeName(outcome)));
}

val bytesOf(const std::string& text)
{
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    return val::global("Uint8Array").new_(emscripten::typed_memory_view(text.size(), data));
}

std::string stringOf(const val& bytes)
{
    const auto size = bytes["length"].as<std::size_t>();
    std::string text(size, '\0');
    val(emscripten::typed_memory_view(size, reinterpret_cast<unsigned char*>(text.data()))).call<void>("set", bytes);
    return text;
}

val balanceOf(const absorber::Balance& balance)
{
    val shown = val::object();
    shown.set("point", val::null());
    if (balance.point) {
        val point = val::object();
        point.set("x", balance.point->x);
        point.set("y", balance.point->y);
        shown.set("point", point);
    }
    shown.set("slope", balance.slope);
    shown.set("y2", numberOrNull(balance.y2));
    return shown;
}

series::Uncertainties uncertaintiesOf(const val& given)
{
    series::Uncertainties read;
    for (const auto& [key, member] : uncertaintyKeys)
        read.*member = optionalNumber(given, key);
    return read;
}

val shownUncertainties(const series::Uncertainties& uncertainties)
{
    val shown = val::object();
    for (const auto& [key, member] : uncertaintyKeys)
        shown.set(key, numberOrNull(uncertainties.*member));
    return shown;
}

val shownGum(const std::variant<series::Gum, series::NotGiven>& found)
{
    if (const auto* reason = std::get_if<series::NotGiven>(&found))
        return notGiven(*reason);
    const series::Gum& gum = std::get<series::Gum>(found);
    val shown = val::object();
    shown.set("mtc", gum.mtc);
    shown.set("u", gum.u);
    shown.set("ntu", gum.ntu);
    shown.set("uNtu", gum.uNtu);
    val budget = val::array();
    for (const series::BudgetLine& line : gum.budget) {
        val entry = val::object();
        entry.set("input", int(line.input));
        entry.set("value", line.value);
        entry.set("uncertainty", line.uncertainty);
        entry.set("sensitivity", line.sensitivity);
        entry.set("sharePercent", line.sharePercent);
        // A reading of the run's (series::Reading), null for a typed input.
        entry.set("reading", line.reading ? val(int(*line.reading)) : val::null());
        budget.call<void>("push", entry);
    }
    shown.set("budget", budget);
    return shown;
}

val shownMonteCarlo(const std::variant<series::MonteCarlo, series::NotGiven>& found)
{
    if (const auto* reason = std::get_if<series::NotGiven>(&found))
        return notGiven(*reason);
    const series::MonteCarlo& mc = std::get<series::MonteCarlo>(found);
    val shown = val::object();
    shown.set("mtc", mc.mtc);
    shown.set("u", mc.u);
    shown.set("interval", interval(mc.interval));
    shown.set("ntu", mc.ntu);
    shown.set("uNtu", mc.uNtu);
    shown.set("ntuInterval", interval(mc.ntuInterval));
    shown.set("draws", double(mc.draws));
    shown.set("failedDraws", double(mc.failedDraws));
    shown.set("stabilised", mc.stabilised);
    return shown;
}

series::RunUncertainty runUncertaintyOf(const val& monteCarlo)
{
    series::RunUncertainty found;
    if (monteCarlo.isNull() || monteCarlo.isUndefined())
        return found;
    if (!monteCarlo["reason"].isUndefined()) {
        // A reason the page gave (its worker failed) has no code: the run is not computed.
        const val message = monteCarlo["message"];
        found.monteCarlo = series::NotGiven{message.isUndefined() ? series::Message{series::MessageKind::notComputed}
                                                                  : messageOf(message)};
        return found;
    }
    const auto range = [&monteCarlo](const char* key) {
        const val ends = monteCarlo[key];
        return series::Interval{ends[0].as<double>(), ends[1].as<double>()};
    };
    found.monteCarlo = series::MonteCarlo{monteCarlo["mtc"].as<double>(),
                                          monteCarlo["u"].as<double>(),
                                          range("interval"),
                                          monteCarlo["ntu"].as<double>(),
                                          monteCarlo["uNtu"].as<double>(),
                                          range("ntuInterval"),
                                          std::size_t(monteCarlo["draws"].as<double>()),
                                          std::size_t(monteCarlo["failedDraws"].as<double>()),
                                          monteCarlo["stabilised"].as<bool>()};
    return found;
}

val shownFit(const std::variant<series::PowerLaw, series::NotGiven>& fit)
{
    if (const auto* reason = std::get_if<series::NotGiven>(&fit))
        return notGiven(*reason);
    const series::PowerLaw& law = std::get<series::PowerLaw>(fit);
    val shown = val::object();
    shown.set("prefactor", estimate(law.prefactor));
    shown.set("lnPrefactor", estimate(law.lnPrefactor));
    shown.set("gasExponent", optionalEstimate(law.gasExponent));
    shown.set("waterExponent", optionalEstimate(law.waterExponent));
    shown.set("dropped", val::null());
    if (law.dropped) {
        val dropped = val::object();
        dropped.set("exponent", law.dropped->exponent == series::Exponent::gas ? "gas" : "water");
        dropped.set("reason", present::seriesMessage(law.dropped->reason, language(), numberLocale()));
        shown.set("dropped", dropped);
    }
    shown.set("rSquared", law.rSquared);
    shown.set("residualSd", law.residualSd);
    shown.set("dof", double(law.dof));
    shown.set("runsUsed", double(law.runsUsed));
    shown.set("leftOut", double(law.leftOut));
    shown.set("weighted", law.weighted);
    return shown;
}

val shownAnalysis(const series::Analysis& analysis)
{
    val runs = val::array();
    for (const series::AnalysisRun& run : analysis.runs) {
        val shown = val::object();
        shown.set("run", double(run.run));
        shown.set("gasFlow", run.point.gasFlow);
        shown.set("waterFlow", run.point.waterFlow);
        shown.set("mtc", run.point.mtc);
        shown.set("uMtc", numberOrNull(run.point.uMtc));
        shown.set("used", run.used);
        runs.call<void>("push", shown);
    }
    val shown = val::object();
    shown.set("runs", runs);
    shown.set("fit", shownFit(analysis.fit));
    return shown;
}

}  // namespace web
