#pragma once

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

// The records of an RFC 4180 text: every line ended by CRLF, a field quoted
// when it holds a comma, a quote, CR or LF, quotes inside doubled. Anything
// else (a bare LF, a quote inside an unquoted field, text after a closing
// quote, a missing last CRLF) gives nullopt.
std::optional<QList<QStringList>> readCsv(const QString& text);

// What a poppler tool prints about the PDF, which it finds where the
// arguments say "{pdf}"; nullopt when the tool did not run through.
std::optional<QString> popplerOutput(const QString& tool, QStringList arguments, const QByteArray& pdf);

// The default locale for one test, put back as it was when it ends.
class DefaultLocale {
public:
    explicit DefaultLocale(const QString& name) { QLocale::setDefault(QLocale(name)); }
    ~DefaultLocale() { QLocale::setDefault(saved); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale saved;
};
