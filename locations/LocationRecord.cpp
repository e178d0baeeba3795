#include "locations/LocationRecord.h"

#include "astro/CoreError.h"
#include "astro/NumberText.h"

namespace quintrel {

std::string_view ColumnText(std::string_view record, RecordColumns columns) {
    const std::size_t start = columns.first - 1;
    if (start >= record.size()) {
        return {};
    }
    return record.substr(start, columns.last - start);
}

std::string_view FieldText(std::string_view record, RecordColumns columns) {
    std::string_view text = ColumnText(record, columns);
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view NumberFieldText(std::string_view record, RecordColumns columns) {
    std::string_view text = ColumnText(record, columns);
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return text;
}

char SignCharacter(std::string_view record, RecordColumns column) {
    const std::string_view c = ColumnText(record, column);
    return (c.empty() || c == " ") ? '+' : c.front();
}

bool KeepsDaylightSaving(std::string_view record) {
    return ColumnText(record, LocationColumns::DstFlag) == "1";
}

int ColumnSign(std::string_view record, RecordColumns column) {
    return ColumnText(record, column) == "-" ? -1 : 1;
}

float ColumnSingle(std::string_view record, RecordColumns columns) {
    try {
        return ReadSingle(ColumnText(record, columns));
    } catch (const CoreError&) {
        // The bare "is not a number" would not tell the user which place is damaged.
        throw CoreError("Columns " + std::to_string(columns.first) + "-" +
                        std::to_string(columns.last) + " of the place record \"" +
                        std::string(record) + "\" do not hold a number");
    }
}

bool IsFavourite(std::string_view record) {
    return ColumnText(record, LocationColumns::Favourite) == "0";
}

std::string LocationDisplayText(std::string_view record) {
    std::string text(FieldText(record, LocationColumns::Country));
    text += " (";
    text += FieldText(record, LocationColumns::Town);
    text += ")";
    return text;
}

}  // namespace quintrel
