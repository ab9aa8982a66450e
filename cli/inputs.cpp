#include "cli/inputs.h"

#include "cli/commandline.h"
#include "present/seriesmessages.h"
#include "series/csv.h"

#include <QFile>

#include <string_view>

namespace cli {
namespace {

bool looksLikeSeriesFile(const QString& argument, std::string_view bytes)
{
    if (argument.endsWith(".quillon", Qt::CaseInsensitive))
        return true;
    if (argument.endsWith(".csv", Qt::CaseInsensitive))
        return false;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '{';
}

}  // namespace

std::variant<Input, InputFailure> readInput(const QString& argument)
{
    Input input;
    input.name = argument.toStdString();
    const bool standardInput = argument == "-";
    QFile file(standardInput ? QString() : argument);
    const bool opened = standardInput ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!opened)
        return InputFailure{input.name + ": cannot be read: " + file.errorString().toStdString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return InputFailure{input.name + ": cannot be read: " + file.errorString().toStdString()};

    const std::string_view text(bytes.constData(), std::size_t(bytes.size()));
    std::vector<series::Notice> notices;
    if (looksLikeSeriesFile(argument, text)) {
        series::ReadSeries read = series::readSeriesFile(text);
        if (const auto* error = std::get_if<series::ReadError>(&read))
            return InputFailure{present::describe(*error, input.name)};
        auto& seriesFile = std::get<series::OpenedSeries>(read);
        input.series = std::move(seriesFile.series);
        input.stored = std::move(seriesFile.stored);
        notices = std::move(seriesFile.notices);
    } else {
        series::ImportResult read = series::importCsv(text);
        if (const auto* error = std::get_if<series::ReadError>(&read))
            return InputFailure{present::describe(*error, input.name)};
        auto& imported = std::get<series::ImportedSeries>(read);
        input.series = std::move(imported.series);
        input.reported = std::move(imported.reported);
        notices = std::move(imported.notices);
    }
    for (const series::Notice& notice : notices)
        input.notices.push_back(present::describe(notice, input.name));
    return input;
}

Inputs readInputs(const QStringList& arguments)
{
    Inputs inputs;
    for (qsizetype at = 0; at < arguments.size(); ++at) {
        const QString& argument = arguments[at];
        auto read = readInput(argument);
        if (const auto* failure = std::get_if<InputFailure>(&read)) {
            printError(failure->message);
            inputs.unreadable.push_back(argument.toStdString());
            inputs.failures.push_back({std::size_t(at), *failure});
            continue;
        }
        for (const std::string& notice : std::get<Input>(read).notices)
            printError(notice);
        inputs.read.push_back(std::move(std::get<Input>(read)));
    }
    return inputs;
}

}  // namespace cli
