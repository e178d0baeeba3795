#include "locations/LocationForm.h"

#include <cmath>
#include <cstdio>

#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "locations/Encoding.h"
#include "locations/LocationFormChecks.h"
#include "table/CalendarNames.h"

namespace quintrel {

namespace {

constexpr int kMaxLengths[] = {21, 16, 3, 2, 3, 2, 4};

// Columns `first`..`first + width - 1` (from 1) of a record; what lies beyond its end is
// simply missing, so a short record gives short or empty fields.
std::string_view Columns(std::string_view record, std::size_t first, std::size_t width) {
    if (first - 1 >= record.size()) {
        return {};
    }
    return record.substr(first - 1, width);
}

std::string_view TrimTrailingSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view TrimLeadingSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return text;
}

// A blank (or missing) sign column is an older record's way of saying "+".
char SignAt(std::string_view record, std::size_t column) {
    const std::string_view c = Columns(record, column, 1);
    return (c.empty() || c == " ") ? '+' : c.front();
}

// A whole number from record columns, or -1 when they hold none.
int ReadItem(std::string_view text) {
    try {
        const double value = RoundHalfEven(ReadNumber(text));
        return value >= 0 && value <= 99 ? static_cast<int>(value) : -1;
    } catch (const CoreError&) {
        return -1;
    }
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

std::string TwoDigits(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

// Byte length of the first `characters` characters of UTF-8 text.
std::size_t PrefixBytes(std::string_view utf8, std::size_t characters) {
    std::size_t seen = 0;
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        if ((static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80) {
            if (seen == characters) {
                return at;
            }
            ++seen;
        }
    }
    return utf8.size();
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
    std::size_t characters = 0;
    for (const char c : Text(box)) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return std::to_string(characters) + "/" + std::to_string(MaxLength(box));
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
        SetTextFromRecord(FormBox::Country, TrimTrailingSpaces(Columns(record, 2, 21)));
        SetTextFromRecord(FormBox::City, TrimTrailingSpaces(Columns(record, 23, 16)));
        longitudeSign_ = SignAt(record, 47);
        latitudeSign_ = SignAt(record, 40);
        zoneSign_ = SignAt(record, 54);
        SetTextFromRecord(FormBox::DLong, TrimLeadingSpaces(Columns(record, 48, 3)));
        SetTextFromRecord(FormBox::MLong, TrimLeadingSpaces(Columns(record, 51, 3)));
        SetTextFromRecord(FormBox::DLatt, TrimLeadingSpaces(Columns(record, 41, 3)));
        SetTextFromRecord(FormBox::MLatt, TrimLeadingSpaces(Columns(record, 44, 3)));
        SetTextFromRecord(FormBox::Zone, TrimLeadingSpaces(Columns(record, 55, 4)));
        favourite_ = Columns(record, 1, 1) == "0";
        SetChecked(longitudeSign_ != '+' ? SignBox::W : SignBox::E, true);
        SetChecked(latitudeSign_ != '+' ? SignBox::S : SignBox::N, true);
        SetChecked(zoneSign_ != '+' ? SignBox::M : SignBox::P, true);
        if (record.size() < 59) {
            SetDst(true);
            SetDefaultRules();
        } else {
            SetDst(record[58] == '1');
            if (dst_ && record.size() == 71) {
                SelectFromRule(record.substr(59, 6), true);
                SelectFromRule(record.substr(65, 6), false);
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
    texts_[Index(box)] = std::string(utf8.substr(0, PrefixBytes(utf8, limit)));
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
    Select(start ? RuleList::HrStart : RuleList::HrEnd, ReadItem(rule.substr(0, 2)));
    Select(start ? RuleList::WkStart : RuleList::WkEnd, ReadItem(rule.substr(2, 1)) - 1);
    Select(start ? RuleList::DayStart : RuleList::DayEnd, ReadItem(rule.substr(3, 1)) - 1);
    Select(start ? RuleList::MthStart : RuleList::MthEnd, ReadItem(rule.substr(4, 2)) - 1);
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
    record += PadRight(bytes(FormBox::Country), 21);
    // Cut to the 16 columns readers use even when the text held more (a stray UTF-8 byte
    // is not counted as a character but becomes "?"), so column 39 always stays blank.
    record += PadRight(bytes(FormBox::City), 16) + ' ';
    record += latitudeSign_;
    record += RightAligned(bytes(FormBox::DLatt), 3);
    record += RightAligned(bytes(FormBox::MLatt), 3);
    record += longitudeSign_;
    record += RightAligned(bytes(FormBox::DLong), 3);
    record += RightAligned(bytes(FormBox::MLong), 3);
    record += zoneSign_;
    record += RightAligned(bytes(FormBox::Zone), 4);
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
