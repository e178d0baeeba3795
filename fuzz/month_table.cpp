// A month's table for any place record: the shared-search calculation must run on
// whatever record the place list hands it and agree exactly with the plain one.
// Input: a month byte, two year bytes (big-endian), then the record.

#include <string>

#include "FuzzSupport.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "tools/ReferenceMonth.h"

namespace {

using namespace quintrel;

std::string RowText(const DayRow& row) {
    std::string text = std::to_string(row.Day);
    for (const std::string* field :
         {&row.DayName, &row.SRise, &row.SSet, &row.MRise, &row.MSet, &row.Phase, &row.WaxWan,
          &row.Maj1, &row.Maj2, &row.Min1, &row.Min2, &row.Rating, &row.Stars}) {
        text += ',';
        text += *field;
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const auto month = static_cast<std::int16_t>(data[0]);
    const auto year = static_cast<std::int16_t>((data[1] << 8) | data[2]);
    const std::string_view record = fuzz::AsText(data + 3, size - 3);

    // The window calculates only for a place whose record it could read.
    PlaceValues place;
    if (!fuzz::Tolerate([&] { ParseSelectedLocation(record, place); })) {
        return 0;
    }
    MonthTable shared;
    const bool sharedDone =
        fuzz::Tolerate([&] { shared = CalculateMonth(place, record, month, year); });
    MonthTable plain;
    const bool plainDone =
        fuzz::Tolerate([&] { plain = CalculateMonthPlain(place, record, month, year); });
    fuzz::Require(sharedDone == plainDone, "one calculation failed, the other did not", record);
    if (!sharedDone) {
        return 0;
    }
    fuzz::Require(shared.rows.size() == plain.rows.size(), "row counts differ", record);
    for (std::size_t i = 0; i < shared.rows.size(); ++i) {
        const std::string a = RowText(shared.rows[i]);
        const std::string b = RowText(plain.rows[i]);
        fuzz::Require(a == b, "shared and plain calculations differ", a + " | " + b);
    }
    return 0;
}
