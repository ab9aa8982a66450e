#include "series/csvrecords.h"

#include "series/textreading.h"

namespace series::csv {

char detectDelimiter(std::string_view text)
{
    std::size_t tabs = 0;
    std::size_t semicolons = 0;
    std::size_t commas = 0;
    bool quoted = false;
    for (const char c : text) {
        // A doubled quote inside quotes turns quoting off and on again.
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\n' || c == '\r')
            break;
        else if (c == '\t')
            ++tabs;
        else if (c == ';')
            ++semicolons;
        else if (c == ',')
            ++commas;
    }
    if (tabs > 0 && tabs >= semicolons && tabs >= commas)
        return '\t';
    if (semicolons > 0 && semicolons >= commas)
        return ';';
    return ',';
}

std::variant<std::vector<Record>, ReadError> splitRecords(std::string_view text, char delimiter)
{
    std::vector<Record> records;
    std::size_t i = 0;
    int line = 1;
    // Old Mac files end their lines with a lone CR.
    const auto atLineEnd = [&] { return text[i] == '\n' || text[i] == '\r'; };
    const auto beyond = [&](std::size_t offset, MessageKind kind, std::size_t limit) {
        const text::Position at = text::positionAt(text, offset);
        return ReadError{at.line, at.column, {}, {kind, {}, {limit}}};
    };
    while (i < text.size()) {
        if (records.size() == maxCsvRecords)
            return beyond(i, MessageKind::tooManyRows, maxCsvRecords);
        Record record{line, {}, {}, {}};
        const std::size_t begin = i;
        for (bool more = true; more;) {
            if (record.fields.size() == maxCsvColumns)
                return beyond(i, MessageKind::tooManyCells, maxCsvColumns);
            const std::size_t start = i;
            std::string field;
            if (i < text.size() && text[i] == '"') {
                const std::size_t open = i++;
                for (;;) {
                    if (i == text.size()) {
                        const text::Position at = text::positionAt(text, open);
                        return ReadError{at.line, at.column, {}, {MessageKind::unclosedQuote}};
                    }
                    const char c = text[i++];
                    if (c == '"' && i < text.size() && text[i] == '"')
                        ++i;
                    else if (c == '"')
                        break;
                    else if (c == '\n' || (c == '\r' && (i == text.size() || text[i] != '\n')))
                        ++line;
                    field += c;
                }
            }
            // Unquoted text, and anything after a closing quote, as written.
            while (i < text.size() && text[i] != delimiter && !atLineEnd())
                field += text[i++];
            if (field.size() > maxTextBytes)
                return beyond(start, MessageKind::cellTooLong, maxTextBytes);
            record.fields.push_back(std::move(field));
            record.starts.push_back(start);
            more = i < text.size() && text[i] == delimiter;
            if (more)
                ++i;
        }
        record.raw = text.substr(begin, i - begin);
        if (i < text.size() && text[i] == '\r')
            ++i;
        if (i < text.size() && text[i] == '\n')
            ++i;
        ++line;
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace series::csv
