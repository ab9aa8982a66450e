#include "present/pagewords.h"

// lupdate finds each text by this marker and keeps its translation in the
// catalogue the page reads.
#define QT_TRANSLATE_NOOP(context, source) \
    PageWord                               \
    {                                      \
        context, source                    \
    }

namespace present {

const std::vector<PageWord>& pageWords()
{
    static const std::vector<PageWord> words{
        QT_TRANSLATE_NOOP("Web", "Series"),
        QT_TRANSLATE_NOOP("Web", "Uncertainty of the coefficient"),
        QT_TRANSLATE_NOOP("Web", "First order (GUM)"),
        QT_TRANSLATE_NOOP("Web", "Monte Carlo"),
        QT_TRANSLATE_NOOP("Web", "Not given: %1"),
        QT_TRANSLATE_NOOP("Web", "The run has no coefficient yet: use Find MTC first."),
        QT_TRANSLATE_NOOP("Web", "Coefficient %1, standard uncertainty %2"),
        QT_TRANSLATE_NOOP("Web", "NTU %1, standard uncertainty %2"),
        QT_TRANSLATE_NOOP("Web", "95 % interval %1 to %2, %3 draws"),
        QT_TRANSLATE_NOOP("Web", "Select"),
        QT_TRANSLATE_NOOP("Web", "Select run %1"),
        QT_TRANSLATE_NOOP("Web", "Print Report"),
        QT_TRANSLATE_NOOP("Web", "Warning"),
        QT_TRANSLATE_NOOP("Web", "Save"),
        QT_TRANSLATE_NOOP("Web", "Discard"),
        QT_TRANSLATE_NOOP("Web", "Cancel"),
        QT_TRANSLATE_NOOP("Web", "Uncertainties not computed"),
        QT_TRANSLATE_NOOP("Web", "The uncertainties could not be computed: %1"),
        QT_TRANSLATE_NOOP("Web", "the computing in the background could not start"),
        QT_TRANSLATE_NOOP("Web", "its computing failed"),
        QT_TRANSLATE_NOOP("Web", "Computing the uncertainties was cancelled."),
        QT_TRANSLATE_NOOP("Web", "Restore"),
        QT_TRANSLATE_NOOP("Web", "A series that was not saved is kept from %1: %2."),
        QT_TRANSLATE_NOOP("Web",
                          "The series was handed over as a download, but the browser could not keep a copy of it (%1). "
                          "It stays marked as not saved: check that the download arrived before you discard it."),
        QT_TRANSLATE_NOOP("Web", "Works offline once loaded; nothing you type or open leaves this computer."),
        // The series report.
        QT_TRANSLATE_NOOP("Web", "Save Report"),
        // The lab's readings, and the report's columns beside the coefficient.
        QT_TRANSLATE_NOOP("Web", "Show the readings columns"),
        QT_TRANSLATE_NOOP("Web", "unit"),
        QT_TRANSLATE_NOOP("Web", "T (°C)"),
        QT_TRANSLATE_NOOP("Web", "HOG C (m)"),
        QT_TRANSLATE_NOOP("Web", "HOG C is the HOG from NTU C; T the column temperature in °C."),
    };
    return words;
}

}  // namespace present
