#include "table/DayColumns.h"

namespace quintrel {

std::string DayColumnText(const DayRow& row, const DayColumn& column) {
    return column.text != nullptr ? row.*column.text : std::to_string(row.Day);
}

}  // namespace quintrel
