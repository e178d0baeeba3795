#include "locations/LocationForm.h"

#include <cmath>

#include "astro/CalendarNames.h"
#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "locations/Encoding.h"
#include "locations/LocationFormChecks.h"
#include "locations/LocationRecord.h"

namespace quintrel {

namespace {

// The name boxes hold what their columns hold; the number boxes what their values need.
constexpr int kMaxLengths[] = {
    static_cast<int>(kCountryWidth), static_cast<int>(kTownWidth), 3, 2, 3, 2, 4};

// A whole number from record columns, or -1 when they hold none.
int ReadItem(std::string_view text) {
    return TryReadWholeNumber(text, 0, 99).value_or(-1);
}

// A box's text read as the whole number its check compares, or none.
std::optional<double> BoxNumber(const std::string& text) {
    try {
        return RoundHalfEven(ReadNumber(text));
    } catch (const CoreError&) {
        return std::nullopt;
    }
}

std::string PadRight(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string RightAligned(const std::string& text, std::size_t width) {
    const std::string padded = std::string(width, ' ') + text;
    return padded.substr(padded.size() - width);
}

std::vector<ListItem> MakeHours() {
    std::vector<ListItem> items;
    for (int h = 0; h <= 23; ++h) {
        items.push_back({TwoDigits(h) + ":00", h});
    }
    return items;
}

std::vector<ListItem> MakeWeeks() {
    return {{"1st", 1}, {"2nd", 2}, {"3rd", 3}, {"4th", 4}, {"Last", 5}};
}

std::vector<ListItem> MakeWeekdays() {
    std::vector<ListItem> items;
    for (std::int16_t d = 1; d <= 7; ++d) {
        items.push_back({GetDayName(d).substr(0, 3), d});
    }
    return items;
}

std::vector<ListItem> MakeMonths() {
    std::vector<ListItem> items;
    for (std::int16_t m = 1; m <= 12; ++m) {
        items.push_back({GetMonthName(m, true), m});
    }
    return items;
}

}  // namespace

LocationForm::LocationForm() {
    selected_.fill(-1);
}

int LocationForm::MaxLength(FormBox box) {
    return kMaxLengths[Index(box)];
}

std::string LocationForm::LengthText(FormBox box) const {
    return std::to_string(Utf8Length(Text(box))) + "/" + std::to_string(MaxLength(box));
}

bool LocationForm::IsNumberBox(FormBox box) {
    return box != FormBox::Country && box != FormBox::City;
}

const std::vector<ListItem>& LocationForm::Items(RuleList list) {
    static const std::vector<ListItem> hours = MakeHours();
    static const std::vector<ListItem> weeks = MakeWeeks();
    static const std::vector<ListItem> weekdays = MakeWeekdays();
    static const std::vector<ListItem> months = MakeMonths();
    switch (list) {
        case RuleList::HrStart:
        case RuleList::HrEnd:
            return hours;
        case RuleList::WkStart:
        case RuleList::WkEnd:
            return weeks;
        case RuleList::DayStart:
        case RuleList::DayEnd:
            return weekdays;
        case RuleList::MthStart:
        case RuleList::MthEnd:
            break;
    }
    return months;
}

void LocationForm::FormSetup(std::string_view record, int mode) {
    busy_ = false;
    highlighted_.fill(false);
    note_.clear();
    ClearSelections();
    if (mode == 1) {
        caption_ = "Add New Location";
        ChangeText(FormBox::Country, "");
        ChangeText(FormBox::City, "");
        for (FormBox box :
             {FormBox::DLong, FormBox::MLong, FormBox::DLatt, FormBox::MLatt, FormBox::Zone}) {
            ChangeText(box, "0");
        }
        SetChecked(SignBox::E, true);
        SetChecked(SignBox::N, true);
        SetChecked(SignBox::M, true);
        favourite_ = false;
        SetDst(true);
        SetDefaultRules();
    } else {
        caption_ = "Editing A Location";
        namespace col = LocationColumns;
        SetTextFromRecord(FormBox::Country, FieldText(record, col::Country));
        SetTextFromRecord(FormBox::City, FieldText(record, col::Town));
        longitudeSign_ = SignCharacter(record, col::LongitudeSign);
        latitudeSign_ = SignCharacter(record, col::LatitudeSign);
        zoneSign_ = SignCharacter(record, col::ZoneSign);
        SetTextFromRecord(FormBox::DLong, NumberFieldText(record, col::LongitudeDegrees));
        SetTextFromRecord(FormBox::MLong, NumberFieldText(record, col::LongitudeMinutes));
        SetTextFromRecord(FormBox::DLatt, NumberFieldText(record, col::LatitudeDegrees));
        SetTextFromRecord(FormBox::MLatt, NumberFieldText(record, col::LatitudeMinutes));
        SetTextFromRecord(FormBox::Zone, NumberFieldText(record, col::ZoneHours));
        favourite_ = IsFavourite(record);
        SetChecked(longitudeSign_ != '+' ? SignBox::W : SignBox::E, true);
        SetChecked(latitudeSign_ != '+' ? SignBox::S : SignBox::N, true);
        SetChecked(zoneSign_ != '+' ? SignBox::M : SignBox::P, true);
        if (record.size() < kRecordLengthWithoutRules) {
            SetDst(true);
            SetDefaultRules();
        } else {
            SetDst(KeepsDaylightSaving(record));
            if (dst_ && record.size() == kRecordLengthWithRules) {
                SelectFromRule(ColumnText(record, col::DstStartRule), true);
                SelectFromRule(ColumnText(record, col::DstEndRule), false);
            } else if (dst_) {
                SetDefaultRules();
            }
        }
    }
    dstFrameEnabled_ = dst_;
    // The signs always follow the check marks, so that a damaged sign column (or a box
    // that was already checked from the last use) can never put another character into
    // the new record.
    latitudeSign_ = Checked(SignBox::N) ? '+' : '-';
    longitudeSign_ = Checked(SignBox::E) ? '+' : '-';
    zoneSign_ = Checked(SignBox::P) ? '+' : '-';
}

void LocationForm::SetText(FormBox box, std::string_view utf8) {
    const auto limit = static_cast<std::size_t>(MaxLength(box));
    texts_[Index(box)] = std::string(utf8.substr(0, Utf8PrefixBytes(utf8, limit)));
}

void LocationForm::SetTextFromRecord(FormBox box, std::string_view bytes) {
    SetText(box, Cp1252ToUtf8(bytes));
}

void LocationForm::ChangeText(FormBox box, std::string text) {
    texts_[Index(box)] = std::move(text);
    highlighted_[Index(box)] = false;
}

bool LocationForm::ValidateBox(FormBox box) {
    std::string& text = texts_[Index(box)];
    bool accepted = true;
    switch (box) {
        case FormBox::Country:
        case FormBox::City:
            accepted = CheckNameEntry(text, box == FormBox::Country) == NameEntryCheck::Accepted;
            break;
        case FormBox::DLatt:
        case FormBox::DLong: {
            const bool latitude = box == FormBox::DLatt;
            const NumberEntryCheck check =
                CheckNumberEntry(text, latitude ? 90 : 180, latitude ? "90" : "180");
            // The largest place is exactly 90 or 180 degrees and 0 minutes: at the limit,
            // as above it, the minutes go.
            const auto degrees = BoxNumber(text);
            if (check == NumberEntryCheck::Limited ||
                (degrees && *degrees == (latitude ? 90 : 180))) {
                ChangeText(latitude ? FormBox::MLatt : FormBox::MLong, "0");
            }
            accepted = check != NumberEntryCheck::Refused;
            break;
        }
        case FormBox::MLatt:
        case FormBox::MLong: {
            accepted = CheckNumberEntry(text, 59, "59") != NumberEntryCheck::Refused;
            const bool latitude = box == FormBox::MLatt;
            const auto degrees = BoxNumber(Text(latitude ? FormBox::DLatt : FormBox::DLong));
            const auto minutes = BoxNumber(text);
            if (accepted && degrees && minutes && *degrees == (latitude ? 90 : 180) &&
                *minutes != 0) {
                text = "0";
            }
            break;
        }
        case FormBox::Zone:
            accepted = CheckNumberEntry(text, 12, "12") != NumberEntryCheck::Refused;
            break;
    }
    highlighted_[Index(box)] = !accepted;
    return accepted;
}

void LocationForm::SetChecked(SignBox box, bool checked) {
    if (checked_[Index(box)] == checked) {
        return;  // no change of value, so no click
    }
    checked_[Index(box)] = checked;
    PairClick(box);
}

void LocationForm::PairClick(SignBox box) {
    if (busy_) {
        return;
    }
    busy_ = true;
    // The boxes come in pairs N/S, E/W, P/M: the partner of an even one is the next.
    const auto index = Index(box);
    const auto first = index - index % 2;
    const auto partner = static_cast<SignBox>(index % 2 == 0 ? index + 1 : index - 1);
    SetChecked(partner, !checked_[index]);
    const char sign = checked_[first] ? '+' : '-';
    switch (static_cast<SignBox>(first)) {
        case SignBox::N:
            latitudeSign_ = sign;
            break;
        case SignBox::E:
            longitudeSign_ = sign;
            break;
        default:
            zoneSign_ = sign;
            break;
    }
    busy_ = false;
}

void LocationForm::SetDst(bool dst) {
    if (dst_ == dst) {
        return;
    }
    dst_ = dst;
    if (!busy_) {
        dstFrameEnabled_ = dst;
    }
}

void LocationForm::Select(RuleList list, int position) {
    const int count = static_cast<int>(Items(list).size());
    selected_[Index(list)] = (position >= 0 && position < count) ? position : -1;
}

void LocationForm::ClearSelections() {
    selected_.fill(-1);
}

void LocationForm::SetDefaultRules() {
    // 02:00 on the last Sunday of October to 03:00 on the last Sunday of March.
    Select(RuleList::HrStart, 2);
    Select(RuleList::WkStart, 4);
    Select(RuleList::DayStart, 0);
    Select(RuleList::MthStart, 9);
    Select(RuleList::HrEnd, 3);
    Select(RuleList::WkEnd, 4);
    Select(RuleList::DayEnd, 0);
    Select(RuleList::MthEnd, 2);
}

void LocationForm::SelectFromRule(std::string_view rule, bool start) {
    // A rule is hour (2 digits), week, weekday, month (2 digits); a digit that names no
    // entry leaves its list without selection, to be chosen before OK is accepted.
    namespace part = RuleColumns;
    Select(start ? RuleList::HrStart : RuleList::HrEnd, ReadItem(ColumnText(rule, part::Hour)));
    Select(start ? RuleList::WkStart : RuleList::WkEnd, ReadItem(ColumnText(rule, part::Week)) - 1);
    Select(start ? RuleList::DayStart : RuleList::DayEnd,
           ReadItem(ColumnText(rule, part::Weekday)) - 1);
    Select(start ? RuleList::MthStart : RuleList::MthEnd,
           ReadItem(ColumnText(rule, part::Month)) - 1);
}

void LocationForm::FillPlace(std::string_view country, std::string_view town, double latitude,
                             double longitude, const ZoneRuleResult& zone) {
    ChangeText(FormBox::Country, std::string(country));
    ChangeText(FormBox::City, std::string(town));
    const auto fillAngle = [this](double degrees, FormBox degreeBox, FormBox minuteBox) {
        const auto minutes = static_cast<long>(RoundHalfEven(std::abs(degrees) * 60.0));
        ChangeText(degreeBox, std::to_string(minutes / 60));
        ChangeText(minuteBox, std::to_string(minutes % 60));
    };
    fillAngle(latitude, FormBox::DLatt, FormBox::MLatt);
    fillAngle(longitude, FormBox::DLong, FormBox::MLong);
    SetChecked(latitude < 0 ? SignBox::S : SignBox::N, true);
    SetChecked(longitude < 0 ? SignBox::W : SignBox::E, true);
    FillZone(zone);
}

void LocationForm::FillZone(const ZoneRuleResult& zone) {
    note_ = zone.note;
    if (zone.zoneHours.empty()) {
        return;
    }
    ChangeText(FormBox::Zone, zone.zoneHours);
    SetChecked(zone.zoneSign == '-' ? SignBox::M : SignBox::P, true);
    SetDst(zone.dst);
    dstFrameEnabled_ = dst_;
    if (zone.dst) {
        SelectFromRule(zone.startRule, true);
        SelectFromRule(zone.endRule, false);
    } else {
        ClearSelections();
    }
}

std::optional<std::array<double, 2>> LocationForm::Position() const {
    const auto angle = [this](FormBox degreeBox, FormBox minuteBox,
                              bool negative) -> std::optional<double> {
        try {
            const double value = ReadNumber(Text(degreeBox)) + ReadNumber(Text(minuteBox)) / 60.0;
            return negative ? -value : value;
        } catch (const CoreError&) {
            return std::nullopt;
        }
    };
    const auto latitude = angle(FormBox::DLatt, FormBox::MLatt, Checked(SignBox::S));
    const auto longitude = angle(FormBox::DLong, FormBox::MLong, Checked(SignBox::W));
    if (!latitude || !longitude) {
        return std::nullopt;
    }
    return std::array<double, 2>{*latitude, *longitude};
}

std::optional<FormBox> LocationForm::PositionOutOfRange() const {
    const auto beyond = [this](FormBox degreeBox, FormBox minuteBox, double limit) {
        const auto degrees = BoxNumber(Text(degreeBox));
        const auto minutes = BoxNumber(Text(minuteBox));
        return degrees && minutes && *degrees * 60 + *minutes > limit * 60;
    };
    if (beyond(FormBox::DLatt, FormBox::MLatt, 90)) {
        return FormBox::MLatt;
    }
    if (beyond(FormBox::DLong, FormBox::MLong, 180)) {
        return FormBox::MLong;
    }
    return std::nullopt;
}

bool LocationForm::CheckEntries() const {
    if (PositionOutOfRange()) {
        return false;
    }
    for (const auto& text : texts_) {
        if (text.empty()) {
            return false;
        }
    }
    for (std::size_t first = 0; first < checked_.size(); first += 2) {
        if (checked_[first] == checked_[first + 1]) {
            return false;
        }
    }
    if (dst_) {
        for (int position : selected_) {
            if (position < 0) {
                return false;
            }
        }
    }
    return true;
}

std::string LocationForm::BuildLocationRecord() const {
    const auto bytes = [&](FormBox box) { return Utf8ToCp1252(Text(box)); };
    std::string record;
    record += favourite_ ? '0' : '1';
    namespace col = LocationColumns;
    record += PadRight(bytes(FormBox::Country), kCountryWidth);
    // Cut to the 16 columns readers use even when the text held more (a stray UTF-8 byte
    // is not counted as a character but becomes "?"), so column 39 always stays blank.
    record += PadRight(bytes(FormBox::City), kTownWidth);
    record.resize(col::TownPadded.last, ' ');
    record += latitudeSign_;
    record += RightAligned(bytes(FormBox::DLatt), Width(col::LatitudeDegrees));
    record += RightAligned(bytes(FormBox::MLatt), Width(col::LatitudeMinutes));
    record += longitudeSign_;
    record += RightAligned(bytes(FormBox::DLong), Width(col::LongitudeDegrees));
    record += RightAligned(bytes(FormBox::MLong), Width(col::LongitudeMinutes));
    record += zoneSign_;
    record += RightAligned(bytes(FormBox::Zone), Width(col::ZoneHours));
    record += dst_ ? '1' : '0';
    if (dst_) {
        const auto data = [&](RuleList list) {
            const int position = Selected(list);
            if (position < 0) {
                throw CoreError("The daylight-saving rules are not complete");
            }
            return Items(list)[static_cast<std::size_t>(position)].data;
        };
        for (bool start : {true, false}) {
            record += TwoDigits(data(start ? RuleList::HrStart : RuleList::HrEnd));
            record += std::to_string(data(start ? RuleList::WkStart : RuleList::WkEnd));
            record += std::to_string(data(start ? RuleList::DayStart : RuleList::DayEnd));
            record += TwoDigits(data(start ? RuleList::MthStart : RuleList::MthEnd));
        }
    }
    // The place file ends each record with CR LF, so a line break pasted into a name would
    // split the place in two at the next save. Its bytes become blanks.
    for (auto at = record.find("\r\n"); at != std::string::npos; at = record.find("\r\n", at)) {
        record.replace(at, 2, "  ");
    }
    return record;
}

}  // namespace quintrel
