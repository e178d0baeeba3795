#include "table/LastCalculation.h"

namespace quintrel {

bool IsCalculationDue(const LastCalculation& last, const LastCalculation& wanted, bool force) {
    return force || !(last == wanted);
}

}  // namespace quintrel
