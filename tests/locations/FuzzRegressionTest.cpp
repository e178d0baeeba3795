// Inputs the fuzz targets found crashing or breaking a promise of the place code, kept so
// that each fault stays fixed. Each must now give a result or a CoreError, nothing else.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "astro/CoreError.h"
#include "locations/LocationForm.h"

namespace quintrel {
namespace {

// What the user typed into the location window for a new place, box by box.
struct TypedPlace {
    const char* name;
    std::vector<std::string_view> boxes;  // country, town, latitude, longitude and zone boxes
    bool dst;
};

// Names the row in test listings instead of dumping the struct's bytes.
void PrintTo(const TypedPlace& place, std::ostream* out) {
    *out << place.name;
}

constexpr FormBox kBoxes[] = {FormBox::Country, FormBox::City,  FormBox::DLatt, FormBox::MLatt,
                              FormBox::DLong,   FormBox::MLong, FormBox::Zone};

class TypedPlaceTest : public ::testing::TestWithParam<TypedPlace> {};

// Whenever the window accepts the entries, the record has its fixed layout and editing it
// without changes gives it back unchanged.
TEST_P(TypedPlaceTest, AcceptedRecordKeepsItsLayoutWhenEdited) {
    LocationForm form;
    form.FormSetup({}, 1);
    for (std::size_t i = 0; i < GetParam().boxes.size(); ++i) {
        form.SetText(kBoxes[i], GetParam().boxes[i]);
    }
    form.SetDst(GetParam().dst);
    bool accepted = true;
    for (const FormBox box : kBoxes) {
        accepted = form.ValidateBox(box) && accepted;
    }
    ASSERT_TRUE(accepted && form.CheckEntries());
    std::string record;
    try {
        record = form.BuildLocationRecord();
    } catch (const CoreError&) {
        return;
    }
    ASSERT_EQ(record.size(), GetParam().dst ? 71u : 59u);
    EXPECT_EQ(record.find("\r\n"), std::string::npos) << "the next save would split it";
    EXPECT_EQ(record[38], ' ') << record;
    LocationForm editing;
    editing.FormSetup(record, 2);
    EXPECT_EQ(editing.BuildLocationRecord(), record);
}

INSTANTIATE_TEST_SUITE_P(
    FuzzRegression, TypedPlaceTest,
    ::testing::Values(
        // Stray UTF-8 continuation bytes are not counted as characters but each becomes
        // "?", so 16 characters gave 18 bytes and the town spilled into column 39.
        TypedPlace{"StrayUtf8BytesInTown", {"chile", "\xb8valpara\xc3\xadso\xb8valpaD"}, false},
        // A line break pasted into a name went into the record as CR LF, which the next
        // save turned into two broken places.
        TypedPlace{"LineBreakPastedIntoNames", {"New\r\nZealand", "Auck\r\nland"}, true},
        TypedPlace{
            "LineBreakAcrossCountryAndTown", {"abcdefghijklmnopqrst\r", "\nAuckland"}, true}),
    [](const ::testing::TestParamInfo<TypedPlace>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quintrel
