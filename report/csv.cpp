#include "report/csv.h"

#include <QStringList>

#include <array>
#include <charconv>

namespace report {
namespace {

constexpr std::array columnNames{
    "run", "y1", "x1", "gas_flow", "water_flow", "eq_x", "eq_y", "y2", "ntu", "packing_height", "mtc",
};

QByteArray optionalText(const std::optional<double>& value)
{
    return value ? exactText(*value) : QByteArray();
}

QByteArray line(const QList<QByteArray>& fields)
{
    return fields.join(',') + "\r\n";
}

}  // namespace

QByteArray exactText(double value)
{
    // Shortest round trip, and never the locale: to_chars is the C locale's.
    std::array<char, 32> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
    return QByteArray(text.data(), written.ptr - text.data());
}

QString csvField(const QString& text)
{
    const bool quoted = text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

QByteArray runsCsv(const QList<Run>& runs)
{
    QList<QByteArray> header;
    for (const char* name : columnNames)
        header.append(csvField(QString::fromLatin1(name)).toUtf8());

    QByteArray csv = line(header);
    csv.reserve(csv.size() + runs.size() * 200);
    for (const Run& run : runs) {
        // Numbers never need quoting: digits, '.', '-', 'e' and '+' only.
        csv += line({
            QByteArray::number(run.number),
            exactText(run.y1),
            exactText(run.x1),
            exactText(run.gasFlow),
            exactText(run.waterFlow),
            exactText(run.eqX),
            exactText(run.eqY),
            exactText(run.y2),
            exactText(run.ntu),
            optionalText(run.packingHeight),
            optionalText(run.mtc),
        });
    }
    return csv;
}

}  // namespace report
