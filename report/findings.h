#pragma once

#include "series/findings.h"

#include <QStringList>

namespace report {

// A finding as the user reads it, in the user's language: one line.
QString findingMessage(series::Finding finding);

QStringList findingMessages(const std::vector<series::Finding>& findings);

}  // namespace report
