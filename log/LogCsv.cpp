#include "log/LogCsv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

#include "locations/Encoding.h"
#include "locations/LocationFormChecks.h"
#include "locations/LocationRecord.h"

namespace quintrel::logbook {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kColumnCount = kLogColumnNames.size();

// One field and the line it starts on.
struct Field {
    std::string text;
    int line = 0;
};

// Splits the file into records of fields (RFC 4180: a quoted field may hold commas,
// doubled quotes and line ends). Each record keeps the line it starts on. Blank lines
// are dropped.
std::vector<std::vector<Field>> SplitRecords(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::vector<std::vector<Field>> records;
    std::vector<Field> record;
    std::string field;
    int line = 1;
    int recordLine = 1;
    bool blank = true;  // nothing of the record read yet
    std::size_t at = 0;
    const auto endField = [&] {
        record.push_back({std::move(field), recordLine});
        field.clear();
    };
    while (at <= text.size()) {
        if (blank) {
            recordLine = line;
        }
        // At the start of a field.
        if (at < text.size() && text[at] == '"') {
            blank = false;
            const int column = static_cast<int>(record.size()) + 1;
            for (++at;; ++at) {
                if (at >= text.size()) {
                    throw LogCsvError(recordLine, column, "the quoted field is not closed");
                }
                if (text[at] == '"') {
                    if (at + 1 < text.size() && text[at + 1] == '"') {
                        field += '"';
                        ++at;
                        continue;
                    }
                    ++at;
                    break;
                }
                if (text[at] == '\n') {
                    ++line;
                }
                field += text[at];
            }
            if (at < text.size() && text[at] != ',' && text[at] != '\r' && text[at] != '\n') {
                throw LogCsvError(recordLine, column, "text after the closing quote");
            }
        } else {
            while (at < text.size() && text[at] != ',' && text[at] != '\r' && text[at] != '\n') {
                field += text[at++];
                blank = false;
            }
        }
        // At the end of a field: a comma, a line end or the end of the text.
        if (at < text.size() && text[at] == ',') {
            blank = false;
            endField();
            ++at;
            continue;
        }
        if (!blank) {
            endField();
            records.push_back(std::move(record));
            record.clear();
        }
        blank = true;
        if (at >= text.size()) {
            break;
        }
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            ++at;
        }
        ++at;
        ++line;
    }
    return records;
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The fields of one line by column, with where each came from for messages.
class Line {
  public:
    Line(const std::vector<Field>& fields, const std::array<int, kColumnCount>& positions)
        : fields_(fields), positions_(positions) {}

    int Number() const { return fields_.front().line; }
    bool Has(LogColumn column) const { return Position(column) >= 0; }
    std::string Text(LogColumn column) const {
        const int position = Position(column);
        return position >= 0 ? Trimmed(fields_[static_cast<std::size_t>(position)].text)
                             : std::string();
    }
    /// Free text kept exactly as typed.
    std::string Raw(LogColumn column) const {
        const int position = Position(column);
        return position >= 0 ? fields_[static_cast<std::size_t>(position)].text : std::string();
    }
    [[noreturn]] void Fail(LogColumn column, const std::string& reason) const {
        throw LogCsvError(Number(), std::max(Position(column), 0) + 1, reason);
    }

  private:
    int Position(LogColumn column) const { return positions_[static_cast<std::size_t>(column)]; }

    const std::vector<Field>& fields_;
    const std::array<int, kColumnCount>& positions_;
};

std::optional<double> OptionalNumber(const Line& line, LogColumn column, const char* what) {
    const std::string text = line.Text(column);
    if (text.empty()) {
        return std::nullopt;
    }
    const std::optional<double> value = ParseNumber(text);
    if (!value) {
        line.Fail(column, std::string(what) + " \"" + PrintableText(text) +
                              "\" is not a number such as 12.5");
    }
    return value;
}

using OutingKey = std::tuple<std::string, std::string, std::string, std::string, int, std::string>;

std::string Quoted(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos &&
        (text.empty() || (text.front() != ' ' && text.back() != ' '))) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string OptionalText(const std::optional<double>& value) {
    return value ? DecimalText(*value) : std::string();
}

}  // namespace

LogCsvError::LogCsvError(int line, int column, const std::string& reason)
    : LogError(LogErrorKind::Invalid, "line " + std::to_string(line) + ", column " +
                                          std::to_string(column) + ": " + reason),
      line_(line),
      column_(column) {}

std::string PlaceNameOfRecord(std::string_view utf8Record) {
    return Cp1252ToUtf8(LocationDisplayText(Utf8ToCp1252(utf8Record)));
}

LogImport ParseLogCsv(std::string_view text, const PlaceResolver& resolvePlace) {
    const std::vector<std::vector<Field>> records = SplitRecords(text);
    if (records.empty()) {
        throw LogCsvError(1, 1, "the file is empty; it needs a heading row");
    }
    std::array<int, kColumnCount> positions;
    positions.fill(-1);
    const std::vector<Field>& heading = records.front();
    for (std::size_t i = 0; i < heading.size(); ++i) {
        const std::string name = Trimmed(heading[i].text);
        const auto found = std::find(kLogColumnNames.begin(), kLogColumnNames.end(), name);
        const int column = static_cast<int>(i) + 1;
        if (found == kLogColumnNames.end()) {
            throw LogCsvError(heading[i].line, column,
                              "unknown column \"" + PrintableText(name) + "\"");
        }
        int& position = positions[static_cast<std::size_t>(found - kLogColumnNames.begin())];
        if (position >= 0) {
            throw LogCsvError(heading[i].line, column, "the column " + name + " comes twice");
        }
        position = static_cast<int>(i);
    }
    const int firstLine = heading.front().line;
    for (const LogColumn required : {LogColumn::Date, LogColumn::Time, LogColumn::Species}) {
        if (positions[static_cast<std::size_t>(required)] < 0) {
            throw LogCsvError(firstLine, static_cast<int>(heading.size()) + 1,
                              "the heading has no " +
                                  std::string(kLogColumnNames[static_cast<std::size_t>(required)]) +
                                  " column");
        }
    }
    if (positions[static_cast<std::size_t>(LogColumn::Place)] < 0 &&
        positions[static_cast<std::size_t>(LogColumn::Record)] < 0) {
        throw LogCsvError(firstLine, static_cast<int>(heading.size()) + 1,
                          "the heading has neither a Place nor a Record column");
    }

    LogImport result;
    std::map<OutingKey, std::size_t> outingOf;
    // Many lines name the same few places; each text is looked up once.
    std::map<std::string, std::string, std::less<>> placeRecords;
    std::map<std::string, std::string, std::less<>> checkedRecords;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const std::vector<Field>& fields = records[r];
        const Line line(fields, positions);
        if (fields.size() != heading.size()) {
            throw LogCsvError(line.Number(),
                              static_cast<int>(std::min(fields.size(), heading.size())) + 1,
                              "the line has " + std::to_string(fields.size()) +
                                  " fields, the heading " + std::to_string(heading.size()));
        }
        Outing outing;
        outing.date = line.Text(LogColumn::Date);
        if (!IsLogDate(outing.date)) {
            line.Fail(LogColumn::Date, "\"" + PrintableText(outing.date) +
                                           "\" is not a date YYYY-MM-DD of the years 101 to 9998");
        }
        const std::string recordText = line.Raw(LogColumn::Record);
        if (!recordText.empty()) {
            auto found = checkedRecords.find(recordText);
            if (found == checkedRecords.end()) {
                try {
                    CheckLocationRecord(Utf8ToCp1252(recordText));
                } catch (const CoreError& error) {
                    line.Fail(LogColumn::Record, error.what());
                }
                found = checkedRecords.emplace(recordText, recordText).first;
            }
            outing.record = found->second;
        } else {
            const std::string place = line.Text(LogColumn::Place);
            if (place.empty()) {
                line.Fail(line.Has(LogColumn::Place) ? LogColumn::Place : LogColumn::Record,
                          "no place: give Place or Record");
            }
            auto found = placeRecords.find(place);
            if (found == placeRecords.end()) {
                try {
                    found = placeRecords.emplace(place, resolvePlace(place)).first;
                } catch (const CoreError& error) {
                    line.Fail(LogColumn::Place, error.what());
                }
            }
            outing.record = found->second;
        }
        for (const auto& [column, time] :
             {std::pair{LogColumn::Start, &outing.start}, std::pair{LogColumn::End, &outing.end}}) {
            *time = line.Text(column);
            if (!time->empty() && !IsLogTime(*time)) {
                line.Fail(column, "\"" + PrintableText(*time) + "\" is not a time hh:mm");
            }
        }
        const std::string kind = line.Text(LogColumn::Kind);
        if (!kind.empty()) {
            const std::optional<OutingKind> parsed = KindFromName(kind);
            if (!parsed) {
                line.Fail(LogColumn::Kind,
                          "\"" + PrintableText(kind) + "\" is not fishing or hunting");
            }
            outing.kind = *parsed;
        }
        outing.notes = line.Raw(LogColumn::OutingNotes);

        const OutingKey key{
            outing.date, outing.record, outing.start, outing.end, static_cast<int>(outing.kind),
            outing.notes};
        auto [slot, added] = outingOf.emplace(key, result.outings.size());
        if (added) {
            result.outings.push_back({std::move(outing), {}});
        }
        OutingEntries& entries = result.outings[slot->second];

        Catch entry;
        // Free texts are kept as typed, so an export reads back the same.
        entry.species = line.Raw(LogColumn::Species);
        const std::string countText = line.Text(LogColumn::Count);
        int count = 1;
        if (!countText.empty()) {
            const auto parsed =
                std::from_chars(countText.data(), countText.data() + countText.size(), count);
            if (parsed.ec != std::errc() || parsed.ptr != countText.data() + countText.size() ||
                count < 0 || count > 1000000) {
                line.Fail(LogColumn::Count,
                          "\"" + PrintableText(countText) + "\" is not a whole number from 0");
            }
        }
        if (Trimmed(entry.species).empty()) {
            if (!countText.empty() && count != 0) {
                line.Fail(LogColumn::Species, "the species is empty");
            }
            continue;  // an outing without catches
        }
        if (count == 0) {
            line.Fail(LogColumn::Count, "a catch has a Count of 1 or more");
        }
        entry.count = count;
        entry.time = line.Text(LogColumn::Time);
        if (!entry.time.empty() && !IsLogTime(entry.time)) {
            line.Fail(LogColumn::Time, "\"" + PrintableText(entry.time) + "\" is not a time hh:mm");
        }
        entry.lengthCm = OptionalNumber(line, LogColumn::Length, "the length");
        entry.weightKg = OptionalNumber(line, LogColumn::Weight, "the weight");
        const std::string released = Lower(line.Text(LogColumn::Released));
        if (released != "" && released != "yes" && released != "no") {
            line.Fail(LogColumn::Released,
                      "\"" + PrintableText(line.Text(LogColumn::Released)) + "\" is not yes or no");
        }
        entry.released = released == "yes";
        entry.method = line.Raw(LogColumn::Method);
        entry.notes = line.Raw(LogColumn::Notes);
        entry.latitude = OptionalNumber(line, LogColumn::Latitude, "the latitude");
        entry.longitude = OptionalNumber(line, LogColumn::Longitude, "the longitude");
        entry.photo = line.Text(LogColumn::Photo);
        const auto requireMeasure = [&](LogColumn column, const std::optional<double>& value,
                                        const char* what) {
            if (value && (*value < 0 || *value > 100000)) {
                line.Fail(column, std::string(what) + " must be from 0 to 100000");
            }
        };
        requireMeasure(LogColumn::Length, entry.lengthCm, "the length in cm");
        requireMeasure(LogColumn::Weight, entry.weightKg, "the weight in kg");
        if (entry.latitude && std::abs(*entry.latitude) > 90) {
            line.Fail(LogColumn::Latitude, "the latitude must be from -90 to 90 degrees");
        }
        if (entry.longitude && std::abs(*entry.longitude) > 180) {
            line.Fail(LogColumn::Longitude, "the longitude must be from -180 to 180 degrees");
        }
        if (entry.latitude.has_value() != entry.longitude.has_value()) {
            line.Fail(entry.latitude ? LogColumn::Longitude : LogColumn::Latitude,
                      "the spot needs both latitude and longitude");
        }
        if (!entry.photo.empty() && !IsPlainFileName(entry.photo)) {
            line.Fail(LogColumn::Photo,
                      "\"" + PrintableText(entry.photo) + "\" is not a file name in log-photos/");
        }
        CheckCatch(entry);
        entries.catches.push_back(std::move(entry));
        ++result.catchEntries;
    }
    return result;
}

std::string LogCsvText(const std::vector<OutingEntries>& entries) {
    std::string text;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        text += (i == 0 ? "" : ",") + std::string(kLogColumnNames[i]);
    }
    text += kLineEnd;
    std::map<std::string, std::string, std::less<>> names;
    const auto writeLine = [&](const Outing& outing, const Catch* entry) {
        auto name = names.find(outing.record);
        if (name == names.end()) {
            name = names.emplace(outing.record, PlaceNameOfRecord(outing.record)).first;
        }
        std::array<std::string, kColumnCount> fields;
        const auto set = [&](LogColumn column, std::string value) {
            fields[static_cast<std::size_t>(column)] = std::move(value);
        };
        set(LogColumn::Date, outing.date);
        set(LogColumn::Place, name->second);
        set(LogColumn::Record, outing.record);
        set(LogColumn::Start, outing.start);
        set(LogColumn::End, outing.end);
        set(LogColumn::Kind, std::string(KindName(outing.kind)));
        set(LogColumn::OutingNotes, outing.notes);
        if (entry == nullptr) {
            set(LogColumn::Count, "0");
        } else {
            set(LogColumn::Time, entry->time);
            set(LogColumn::Species, entry->species);
            set(LogColumn::Count, std::to_string(entry->count));
            set(LogColumn::Length, OptionalText(entry->lengthCm));
            set(LogColumn::Weight, OptionalText(entry->weightKg));
            set(LogColumn::Released, entry->released ? "yes" : "no");
            set(LogColumn::Method, entry->method);
            set(LogColumn::Notes, entry->notes);
            set(LogColumn::Latitude, OptionalText(entry->latitude));
            set(LogColumn::Longitude, OptionalText(entry->longitude));
            set(LogColumn::Photo, entry->photo);
        }
        for (std::size_t i = 0; i < kColumnCount; ++i) {
            text += (i == 0 ? "" : ",") + Quoted(fields[i]);
        }
        text += kLineEnd;
    };
    for (const OutingEntries& outing : entries) {
        if (outing.catches.empty()) {
            writeLine(outing.outing, nullptr);
        }
        for (const Catch& entry : outing.catches) {
            writeLine(outing.outing, &entry);
        }
    }
    return text;
}

}  // namespace quintrel::logbook
