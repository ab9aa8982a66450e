#include "core/absorber.h"

namespace absorber {

Coherence afterCalculate(Coherence before, Reached reached)
{
    switch (reached) {
    case Reached::nothing:
        // Nothing stored, so what belonged together still does; but a
        // coefficient is only ever found right after a completed run.
        return {before.fractions, false};
    case Reached::inputs:
        return {false, false};
    case Reached::fractions:
        return {true, false};
    case Reached::run:
        return {true, true};
    }
    return {false, false};
}

}  // namespace absorber
