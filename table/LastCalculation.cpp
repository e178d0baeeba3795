#include "table/LastCalculation.h"

namespace quintrel {

bool StartCalculation(LastCalculation& last, std::int16_t month, std::int16_t year,
                      std::int32_t placeIndex, bool force) {
    const LastCalculation wanted{month, year, placeIndex};
    if (!force && last == wanted) {
        return false;
    }
    last = wanted;
    return true;
}

}  // namespace quintrel
