#include "table/PlanColumns.h"

namespace quintrel {

std::string PlanColumnText(const PlanDay& day, const PlanColumn& column,
                           std::string_view placeName) {
    const std::string_view field = column.field;
    if (field == "Date") {
        return PlanDateText(day);
    }
    if (field == "DayName") {
        return day.row.DayName;
    }
    if (field == "Place") {
        return std::string(placeName);
    }
    if (field == "Rating") {
        return day.row.Rating;
    }
    if (field == "Stars") {
        return day.row.Stars;
    }
    if (field == "Phase") {
        return day.row.Phase + day.row.WaxWan;
    }
    if (field == "SRise") {
        return day.row.SRise;
    }
    if (field == "SSet") {
        return day.row.SSet;
    }
    return PeriodsText(day);
}

}  // namespace quintrel
