#include "table/ExportName.h"

#include "astro/NumberText.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"

namespace quintrel {

std::string ExportFileStem(std::string_view record, std::int16_t month, std::int16_t year) {
    std::string_view place = TrimBlanks(FieldText(record, LocationColumns::Town));
    if (place.empty()) {
        place = TrimBlanks(FieldText(record, LocationColumns::Country));
    }
    std::string stem = Cp1252ToUtf8(place);
    for (char& c : stem) {
        if (c == '/' || c == '\\' || (static_cast<unsigned char>(c) < 0x20)) {
            c = '_';
        }
    }
    std::string date = std::to_string(year) + (month < 10 ? "-0" : "-") + std::to_string(month);
    return stem.empty() ? date : stem + " " + date;
}

}  // namespace quintrel
