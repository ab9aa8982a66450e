#pragma once

// The texts only the page shows (its own buttons, boxes and notices), by
// the context and English source the translation catalogue keys them by:
// listed once here, so that translations/quillon_de.ts carries their German
// beside the window's, and the page reads them from the same catalogue.

#include <vector>

namespace present {

struct PageWord {
    const char* context;
    const char* source;
};

const std::vector<PageWord>& pageWords();

}  // namespace present
