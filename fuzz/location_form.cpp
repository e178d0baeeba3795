// The location window's rules on any record and any typing. The input is used twice: as
// a record opened for editing, and as what the user types for a new place: one line each
// for country, town, latitude degrees and minutes, longitude degrees and minutes and zone,
// then a line of letters (S south, W west, P zone ahead of Greenwich, D daylight saving).
// A backslash and "n" in a typed line stand for a pasted line break.
// Whenever the window would accept the entries, the record it builds must be one the
// program can read, and editing it without changes must give it back unchanged.

#include <string>

#include "FuzzSupport.h"
#include "locations/DaylightSaving.h"
#include "locations/LocationForm.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceDescription.h"
#include "locations/PlaceValues.h"

namespace {

using namespace quintrel;
using quintrel::fuzz::Require;

constexpr FormBox kBoxes[] = {FormBox::Country, FormBox::City,  FormBox::DLatt, FormBox::MLatt,
                              FormBox::DLong,   FormBox::MLong, FormBox::Zone};

// What OK does once the focus has left every box: each box's own check, then the check
// for missing entries. True when the window would close with a record.
bool WouldAccept(LocationForm& form) {
    bool accepted = true;
    for (const FormBox box : kBoxes) {
        accepted = form.ValidateBox(box) && accepted;
    }
    return accepted && form.CheckEntries();
}

void CheckBuiltRecord(const LocationForm& form) {
    std::string record;
    Require(fuzz::Tolerate([&] { record = form.BuildLocationRecord(); }),
            "accepted entries give no record");
    Require(record.size() == (form.Dst() ? 71u : 59u), "record of the wrong length", record);
    // The place file separates records by CR LF: such a pair inside would split the place.
    Require(record.find("\r\n") == std::string::npos, "record holds a line break", record);
    PlaceValues place;
    Require(fuzz::Tolerate([&] { ParseSelectedLocation(record, place); }),
            "an accepted record cannot be read", record);
    PlaceDescription texts;
    Require(fuzz::Tolerate([&] { DescribeLocation(record, texts); }),
            "an accepted record cannot be described", record);
    if (form.Dst()) {
        Require(DstRulesUsable(record), "accepted daylight-saving rules are damaged", record);
    }
    // A name of blanks only passes its box's check but reads back empty, and editing then
    // asks for the name again: nothing is lost, so that record is not compared.
    if (FieldText(record, LocationColumns::Country).empty() ||
        FieldText(record, LocationColumns::Town).empty()) {
        return;
    }
    LocationForm editing;
    editing.FormSetup(record, 2);
    Require(editing.CheckEntries(), "an accepted record is incomplete when edited", record);
    std::string again;
    Require(fuzz::Tolerate([&] { again = editing.BuildLocationRecord(); }),
            "an accepted record cannot be rebuilt", record);
    Require(again == record, "editing without changes changed the record", record + "|" + again);
}

std::string WithLineBreaks(std::string_view line) {
    std::string text(line);
    for (auto at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at)) {
        text.replace(at, 2, "\n");
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);

    LocationForm form;
    form.FormSetup(text, 2);
    // A record straight from the file, before any box is checked: OK may be pressed at
    // once, and building must then either work or report the missing rule.
    if (form.CheckEntries()) {
        fuzz::Tolerate([&] { form.BuildLocationRecord(); });
    }
    if (WouldAccept(form)) {
        CheckBuiltRecord(form);
    }

    LocationForm typed;
    typed.FormSetup({}, 1);
    const auto lines = fuzz::SplitLines(text);
    for (std::size_t i = 0; i < std::size(kBoxes) && i < lines.size(); ++i) {
        typed.SetText(kBoxes[i], WithLineBreaks(lines[i]));
    }
    const std::string_view signs = fuzz::LineOr(lines, std::size(kBoxes), "");
    typed.SetChecked(SignBox::S, signs.find('S') != std::string_view::npos);
    typed.SetChecked(SignBox::W, signs.find('W') != std::string_view::npos);
    typed.SetChecked(SignBox::P, signs.find('P') != std::string_view::npos);
    typed.SetDst(signs.find('D') != std::string_view::npos);
    if (WouldAccept(typed)) {
        CheckBuiltRecord(typed);
    }
    return 0;
}
