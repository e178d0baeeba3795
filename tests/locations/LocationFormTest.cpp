#include "locations/LocationForm.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "astro/CoreError.h"

namespace quintrel {
namespace {

// Records are written field by field: flag, country (21), town (17), latitude sign and
// degrees and minutes (1+3+3), longitude likewise, zone sign and hours (1+4), saving flag,
// start rule, end rule.
const std::string kSydney =
    "0"
    "New South Wales      "
    "Sydney           "
    "- 33 52"
    "+151 13"
    "+  10"
    "1"
    "025110"
    "035103";
const std::string kParis =
    "1"
    "France               "
    "Paris            "
    "+ 48 52"
    "+  2 20"
    "+   1"
    "0";
const std::string kNoRulesYet =
    "1"
    "Queensland           "
    "Cairns           "
    "- 16 55"
    "+145 46"
    "+  10"
    "1";
// An older record: no zone and no saving columns.
const std::string kOldForm =
    "1"
    "Alaska               "
    "Juneau           "
    "+ 58 18"
    "-134 25";
// Blank sign columns are read as "+".
const std::string kBlankSigns =
    "1"
    "Ghana                "
    "Accra            "
    "   5 33"
    "   0 12"
    "    0"
    "0";
const std::string kBadWeekDigit =
    "1"
    "Chile                "
    "Santiago         "
    "- 33 27"
    "- 70 40"
    "-   4"
    "1"
    "029109"
    "022104";

constexpr std::array<FormBox, 7> kBoxes = {FormBox::Country, FormBox::City,  FormBox::DLatt,
                                           FormBox::MLatt,   FormBox::DLong, FormBox::MLong,
                                           FormBox::Zone};
constexpr std::array<RuleList, 8> kLists = {
    RuleList::HrStart, RuleList::WkStart, RuleList::DayStart, RuleList::MthStart,
    RuleList::HrEnd,   RuleList::WkEnd,   RuleList::DayEnd,   RuleList::MthEnd};
using Selections = std::array<int, 8>;
const Selections kDefaultRules = {2, 4, 0, 9, 3, 4, 0, 2};
const Selections kNoRules = {-1, -1, -1, -1, -1, -1, -1, -1};

Selections SelectionsOf(const LocationForm& form) {
    Selections s{};
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        s[i] = form.Selected(kLists[i]);
    }
    return s;
}

TEST(LocationForm, TestRecordsHaveTheirLengths) {
    EXPECT_EQ(kSydney.size(), 71u);
    EXPECT_EQ(kParis.size(), 59u);
    EXPECT_EQ(kNoRulesYet.size(), 59u);
    EXPECT_EQ(kOldForm.size(), 53u);
    EXPECT_EQ(kBlankSigns.size(), 59u);
    EXPECT_EQ(kBadWeekDigit.size(), 71u);
}

TEST(LocationForm, ListItemsCarryTheRecordDigits) {
    EXPECT_EQ(LocationForm::Items(RuleList::HrEnd).back().text, "23:00");
    EXPECT_EQ(LocationForm::Items(RuleList::WkStart).back().data, 5);
    EXPECT_EQ(LocationForm::Items(RuleList::DayStart).front().text, "Sun");
    EXPECT_EQ(LocationForm::Items(RuleList::MthEnd)[8].text, "September");
}

TEST(LocationForm, NewPlaceStartsWithDefaults) {
    LocationForm form;
    form.FormSetup("", 1);
    EXPECT_EQ(form.Caption(), "Add New Location");
    EXPECT_EQ(form.Text(FormBox::Country), "");
    EXPECT_EQ(form.Text(FormBox::City), "");
    for (FormBox box :
         {FormBox::DLatt, FormBox::MLatt, FormBox::DLong, FormBox::MLong, FormBox::Zone}) {
        EXPECT_EQ(form.Text(box), "0");
    }
    EXPECT_TRUE(form.Checked(SignBox::N));
    EXPECT_FALSE(form.Checked(SignBox::S));
    EXPECT_TRUE(form.Checked(SignBox::E));
    EXPECT_FALSE(form.Checked(SignBox::W));
    EXPECT_FALSE(form.Checked(SignBox::P));
    EXPECT_TRUE(form.Checked(SignBox::M));
    EXPECT_FALSE(form.Favourite());
    EXPECT_TRUE(form.Dst());
    EXPECT_TRUE(form.DstFrameEnabled());
    EXPECT_EQ(SelectionsOf(form), kDefaultRules);
    EXPECT_FALSE(form.CheckEntries()) << "the name boxes start empty";
}

TEST(LocationForm, NewPlaceAcceptedAtOnceGivesDefaultRecord) {
    LocationForm form;
    form.FormSetup("", 1);
    form.SetText(FormBox::Country, "victoria");
    ASSERT_TRUE(form.ValidateBox(FormBox::Country));
    form.SetText(FormBox::City, "melbourne");
    ASSERT_TRUE(form.ValidateBox(FormBox::City));
    ASSERT_TRUE(form.CheckEntries());
    EXPECT_EQ(form.BuildLocationRecord(),
              "1"
              "Victoria             "
              "Melbourne        "
              "+  0  0"
              "+  0  0"
              "-   0"
              "1"
              "025110"
              "035103");
}

TEST(LocationForm, EditShowsTheRecordAndGivesItBack) {
    struct Case {
        const char* name;
        const std::string& record;
        std::array<const char*, 7> texts;  // in FormBox order
        std::array<char, 3> signs;         // latitude, longitude, zone
        bool favourite;
        bool dst;
        Selections selections;
        std::string rebuilt;  // empty: CheckEntries refuses as the record stands
    };
    const Case cases[] = {
        {"71 characters with saving",
         kSydney,
         {"New South Wales", "Sydney", "33", "52", "151", "13", "10"},
         {'-', '+', '+'},
         true,
         true,
         kDefaultRules,
         kSydney},
        {"59 characters without saving",
         kParis,
         {"France", "Paris", "48", "52", "2", "20", "1"},
         {'+', '+', '+'},
         false,
         false,
         kNoRules,
         kParis},
        {"59 characters with the flag but no rules take the default rules",
         kNoRulesYet,
         {"Queensland", "Cairns", "16", "55", "145", "46", "10"},
         {'-', '+', '+'},
         false,
         true,
         kDefaultRules,
         kNoRulesYet + "025110035103"},
        {"older record without zone",
         kOldForm,
         {"Alaska", "Juneau", "58", "18", "134", "25", ""},
         {'+', '-', '+'},
         false,
         true,
         kDefaultRules,
         ""},
        {"blank sign columns",
         kBlankSigns,
         {"Ghana", "Accra", "5", "33", "0", "12", "0"},
         {'+', '+', '+'},
         false,
         false,
         kNoRules,
         "1Ghana                Accra            +  5 33+  0 12+   00"},
        {"a week digit that names no week",
         kBadWeekDigit,
         {"Chile", "Santiago", "33", "27", "70", "40", "4"},
         {'-', '-', '-'},
         false,
         true,
         {2, -1, 0, 8, 2, 1, 0, 3},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LocationForm form;
        form.FormSetup(c.record, 0);
        EXPECT_EQ(form.Caption(), "Editing A Location");
        for (std::size_t i = 0; i < kBoxes.size(); ++i) {
            EXPECT_EQ(form.Text(kBoxes[i]), c.texts[i]) << "box " << i;
        }
        EXPECT_EQ(form.LatitudeSign(), c.signs[0]);
        EXPECT_EQ(form.LongitudeSign(), c.signs[1]);
        EXPECT_EQ(form.ZoneSign(), c.signs[2]);
        EXPECT_EQ(form.Checked(SignBox::S), c.signs[0] == '-');
        EXPECT_EQ(form.Checked(SignBox::N), c.signs[0] == '+');
        EXPECT_EQ(form.Checked(SignBox::W), c.signs[1] == '-');
        EXPECT_EQ(form.Checked(SignBox::E), c.signs[1] == '+');
        EXPECT_EQ(form.Checked(SignBox::M), c.signs[2] == '-');
        EXPECT_EQ(form.Checked(SignBox::P), c.signs[2] == '+');
        EXPECT_EQ(form.Favourite(), c.favourite);
        EXPECT_EQ(form.Dst(), c.dst);
        EXPECT_EQ(form.DstFrameEnabled(), c.dst);
        EXPECT_EQ(SelectionsOf(form), c.selections);
        EXPECT_EQ(form.CheckEntries(), !c.rebuilt.empty());
        if (!c.rebuilt.empty()) {
            EXPECT_EQ(form.BuildLocationRecord(), c.rebuilt);
        }
    }
}

TEST(LocationForm, OlderRecordNeedsAZoneBeforeOk) {
    LocationForm form;
    form.FormSetup(kOldForm, 0);
    ASSERT_TRUE(form.ValidateBox(FormBox::Zone));  // leaving the empty box writes "0"
    ASSERT_TRUE(form.CheckEntries());
    EXPECT_EQ(form.BuildLocationRecord(), kOldForm + "+   01025110035103");
}

TEST(LocationForm, SignPairsActAsSwitches) {
    struct Case {
        const char* name;
        SignBox clicked;
        bool value;                   // the clicked box's new check mark
        std::array<bool, 6> checked;  // N, S, E, W, P, M afterwards
        std::array<char, 3> signs;
    };
    // Each case starts from a new place: N, E and M checked.
    const Case cases[] = {
        {"clicking the checked N checks S",
         SignBox::N,
         false,
         {false, true, true, false, false, true},
         {'-', '+', '-'}},
        {"checking S unchecks N",
         SignBox::S,
         true,
         {false, true, true, false, false, true},
         {'-', '+', '-'}},
        {"checking W unchecks E",
         SignBox::W,
         true,
         {true, false, false, true, false, true},
         {'+', '-', '-'}},
        {"clicking the checked M checks P",
         SignBox::M,
         false,
         {true, false, true, false, true, false},
         {'+', '+', '+'}},
        {"checking P unchecks M",
         SignBox::P,
         true,
         {true, false, true, false, true, false},
         {'+', '+', '+'}},
        {"checking a checked box changes nothing",
         SignBox::N,
         true,
         {true, false, true, false, false, true},
         {'+', '+', '-'}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LocationForm form;
        form.FormSetup("", 1);
        form.SetChecked(c.clicked, c.value);
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(form.Checked(static_cast<SignBox>(i)), c.checked[i]) << "box " << i;
        }
        EXPECT_EQ(form.LatitudeSign(), c.signs[0]);
        EXPECT_EQ(form.LongitudeSign(), c.signs[1]);
        EXPECT_EQ(form.ZoneSign(), c.signs[2]);
        EXPECT_FALSE(form.Busy());
    }
}

TEST(LocationForm, SignsReachTheRecord) {
    LocationForm form;
    form.FormSetup(kParis, 0);
    form.SetChecked(SignBox::N, false);
    form.SetChecked(SignBox::W, true);
    form.SetChecked(SignBox::P, false);
    EXPECT_EQ(form.BuildLocationRecord(),
              "1"
              "France               "
              "Paris            "
              "- 48 52"
              "-  2 20"
              "-   1"
              "0");
}

TEST(LocationForm, EveryFormSetupStartsClean) {
    LocationForm form;
    form.FormSetup(kBadWeekDigit, 0);  // south, west, minus, one list without selection
    form.SetText(FormBox::Country, "");
    ASSERT_FALSE(form.ValidateBox(FormBox::Country));
    form.SetText(FormBox::DLatt, "abc");
    ASSERT_FALSE(form.ValidateBox(FormBox::DLatt));
    form.SetFavourite(true);
    form.SetDst(false);

    form.FormSetup("", 1);
    EXPECT_FALSE(form.Highlighted(FormBox::Country));
    EXPECT_FALSE(form.Highlighted(FormBox::DLatt));
    EXPECT_EQ(form.Text(FormBox::DLatt), "0");
    EXPECT_TRUE(form.Checked(SignBox::N));
    EXPECT_FALSE(form.Checked(SignBox::S));
    EXPECT_TRUE(form.Checked(SignBox::E));
    EXPECT_FALSE(form.Checked(SignBox::W));
    EXPECT_TRUE(form.Checked(SignBox::M));
    EXPECT_EQ(form.LatitudeSign(), '+');
    EXPECT_EQ(form.LongitudeSign(), '+');
    EXPECT_EQ(form.ZoneSign(), '-');
    EXPECT_FALSE(form.Favourite());
    EXPECT_TRUE(form.Dst());
    EXPECT_TRUE(form.DstFrameEnabled());
    EXPECT_EQ(SelectionsOf(form), kDefaultRules);

    // An edit after an edit: rules of the earlier record must not linger.
    form.FormSetup(kSydney, 0);
    form.FormSetup(kParis, 0);
    EXPECT_EQ(SelectionsOf(form), kNoRules);
    EXPECT_EQ(form.BuildLocationRecord(), kParis);
}

TEST(LocationForm, UncheckingDaylightSavingGives59Characters) {
    LocationForm form;
    form.FormSetup(kSydney, 0);
    form.SetDst(false);
    EXPECT_FALSE(form.DstFrameEnabled());
    EXPECT_EQ(SelectionsOf(form), kDefaultRules) << "the lists keep their selections";
    ASSERT_TRUE(form.CheckEntries());
    const std::string record = form.BuildLocationRecord();
    EXPECT_EQ(record, kSydney.substr(0, 58) + "0");
}

TEST(LocationForm, CheckingDaylightSavingNeedsAllEightLists) {
    LocationForm form;
    form.FormSetup(kParis, 0);
    EXPECT_FALSE(form.DstFrameEnabled());
    form.SetDst(true);
    EXPECT_TRUE(form.DstFrameEnabled());
    EXPECT_FALSE(form.CheckEntries());
    EXPECT_THROW(form.BuildLocationRecord(), CoreError);
    // Second Sunday of March at 01:00 to first Saturday of November at 23:00.
    const Selections chosen = {1, 1, 0, 2, 23, 0, 6, 10};
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        EXPECT_FALSE(form.CheckEntries()) << "after " << i << " lists";
        form.Select(kLists[i], chosen[i]);
    }
    ASSERT_TRUE(form.CheckEntries());
    EXPECT_EQ(form.BuildLocationRecord(), kParis.substr(0, 58) + "1" + "012103" + "231711");
}

TEST(LocationForm, SelectOutsideTheListClearsTheSelection) {
    LocationForm form;
    form.FormSetup("", 1);
    form.Select(RuleList::WkStart, 5);
    EXPECT_EQ(form.Selected(RuleList::WkStart), -1);
    form.Select(RuleList::HrEnd, 23);
    EXPECT_EQ(form.Selected(RuleList::HrEnd), 23);
    form.Select(RuleList::HrEnd, -7);
    EXPECT_EQ(form.Selected(RuleList::HrEnd), -1);
}

TEST(LocationForm, EveryBoxIsRequired) {
    for (FormBox box : kBoxes) {
        LocationForm form;
        form.FormSetup(kSydney, 0);
        ASSERT_TRUE(form.CheckEntries());
        form.SetText(box, "");
        EXPECT_FALSE(form.CheckEntries()) << "box " << static_cast<int>(box);
    }
}

TEST(LocationForm, FieldsFillTheirColumnsExactly) {
    LocationForm form;
    form.FormSetup("", 1);
    form.SetText(FormBox::Country, "Northern Territory Ab");  // 21 characters
    form.SetText(FormBox::City, "Alice Springs Nt");          // 16 characters
    form.SetText(FormBox::DLatt, "23");
    form.SetText(FormBox::MLatt, "7");
    form.SetText(FormBox::DLong, "133");
    form.SetText(FormBox::MLong, "52");
    form.SetText(FormBox::Zone, "9.5");
    form.SetChecked(SignBox::S, true);
    form.SetChecked(SignBox::P, true);
    form.SetDst(false);
    form.SetFavourite(true);
    const std::string record = form.BuildLocationRecord();
    ASSERT_EQ(record.size(), 59u);
    EXPECT_EQ(record.substr(0, 1), "0");
    EXPECT_EQ(record.substr(1, 21), "Northern Territory Ab");
    EXPECT_EQ(record.substr(22, 17), "Alice Springs Nt ");
    EXPECT_EQ(record.substr(39, 7), "- 23  7");
    EXPECT_EQ(record.substr(46, 7), "+133 52");
    EXPECT_EQ(record.substr(53, 5), "+ 9.5");
    EXPECT_EQ(record.substr(58), "0");
}

TEST(LocationForm, BoxesTakeAtMostTheirLengthInCharacters) {
    LocationForm form;
    form.FormSetup("", 1);
    std::string accented;
    for (int i = 0; i < 25; ++i) {
        accented += "é";  // two bytes in UTF-8, one character
    }
    form.SetText(FormBox::Country, accented);
    EXPECT_EQ(form.Text(FormBox::Country).size(), 42u) << "21 characters of two bytes";
    form.SetText(FormBox::City, "abcdefghijklmnopqrs");
    EXPECT_EQ(form.Text(FormBox::City), "abcdefghijklmnop");
    form.SetText(FormBox::Zone, "12.75");
    EXPECT_EQ(form.Text(FormBox::Zone), "12.7");
    const std::string record = form.BuildLocationRecord();
    EXPECT_EQ(record.substr(1, 21), std::string(21, '\xE9'));
}

TEST(LocationForm, AccentedNamesRoundTripThroughTheCodePage) {
    const std::string record =
        "1"
        "Qu\xE9"
        "bec               "
        "Trois-Rivi\xE8"
        "res   "
        "+ 46 21"
        "- 72 33"
        "-   5"
        "0";
    ASSERT_EQ(record.size(), 59u);
    LocationForm form;
    form.FormSetup(record, 0);
    EXPECT_EQ(form.Text(FormBox::Country), "Québec");
    EXPECT_EQ(form.Text(FormBox::City), "Trois-Rivières");
    ASSERT_TRUE(form.ValidateBox(FormBox::City));
    EXPECT_EQ(form.Text(FormBox::City), "Trois-rivières") << "a hyphen starts no word";
    form.SetText(FormBox::City, "Trois-Rivières");
    EXPECT_EQ(form.BuildLocationRecord(), record);
}

TEST(LocationForm, CharactersTheCodePageLacksBecomeQuestionMarks) {
    LocationForm form;
    form.FormSetup("", 1);
    form.SetText(FormBox::Country, "Polska");
    form.SetText(FormBox::City, "łódź");
    ASSERT_TRUE(form.ValidateBox(FormBox::City));
    const std::string record = form.BuildLocationRecord();
    EXPECT_EQ(record.substr(22, 17),
              "?\xF3"
              "d?             ");
    EXPECT_EQ(record.size(), 71u);
}

TEST(LocationForm, DegreesAtOrAboveTheLimitResetTheMinutes) {
    struct Case {
        const char* name;
        FormBox box;
        const char* typed;
        FormBox minutes;
        const char* expectedDegrees;
        const char* expectedMinutes;
    };
    const Case cases[] = {
        {"latitude 95", FormBox::DLatt, "95", FormBox::MLatt, "90", "0"},
        // 90 degrees 30 minutes is no latitude: at the limit the minutes go as above it.
        {"latitude 90", FormBox::DLatt, "90", FormBox::MLatt, "90", "0"},
        {"latitude 89 keeps its minutes", FormBox::DLatt, "89", FormBox::MLatt, "89", "30"},
        {"longitude 181", FormBox::DLong, "181", FormBox::MLong, "180", "0"},
        {"longitude 180", FormBox::DLong, "180", FormBox::MLong, "180", "0"},
        // Minutes typed after the degrees are held to the limit in the same way.
        {"minutes after latitude 90", FormBox::MLatt, "13", FormBox::DLatt, "0", "90"},
        {"minutes after longitude 180", FormBox::MLong, "13", FormBox::DLong, "0", "180"},
        {"minutes after longitude 179", FormBox::MLong, "13", FormBox::DLong, "13", "179"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LocationForm form;
        form.FormSetup("", 1);
        const bool minutesTyped = c.box == FormBox::MLatt || c.box == FormBox::MLong;
        form.SetText(c.minutes, minutesTyped ? c.expectedMinutes : "30");
        form.SetText(c.box, c.typed);
        EXPECT_TRUE(form.ValidateBox(c.box));
        EXPECT_EQ(form.Text(c.box), c.expectedDegrees);
        EXPECT_EQ(form.Text(c.minutes), c.expectedMinutes);
    }
}

TEST(LocationForm, RefusedBoxesStayHighlightedUntilMended) {
    struct Case {
        FormBox box;
        const char* bad;
        const char* good;
    };
    const Case cases[] = {{FormBox::Country, "", "fiji"}, {FormBox::City, "", "suva"},
                          {FormBox::DLatt, "abc", "18"},  {FormBox::MLatt, "-", "8"},
                          {FormBox::DLong, " ", "178"},   {FormBox::MLong, "-5", "25"},
                          {FormBox::Zone, "x", "12"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.box));
        LocationForm form;
        form.FormSetup("", 1);
        form.SetText(c.box, c.bad);
        EXPECT_FALSE(form.ValidateBox(c.box));
        EXPECT_TRUE(form.Highlighted(c.box));
        EXPECT_EQ(form.Text(c.box), c.bad) << "a refused text is left for the user to mend";
        form.SetText(c.box, c.good);
        EXPECT_TRUE(form.ValidateBox(c.box));
        EXPECT_FALSE(form.Highlighted(c.box));
    }
}

}  // namespace
}  // namespace quintrel

namespace quintrel {
namespace {

TEST(LocationForm, ARefusedBoxSaysWhyInWordsUntilItIsPutRight) {
    const struct {
        FormBox box;
        const char* bad;
        const char* good;
        const char* caption;
    } cases[] = {
        {FormBox::Country, "", "France", "Country, State"},
        {FormBox::City, "", "Paris", "City/Town Name"},
        {FormBox::DLatt, "abc", "48", "Latitude degrees"},
        {FormBox::MLatt, "-3", "52", "Latitude minutes"},
        {FormBox::DLong, "x", "2", "Longitude degrees"},
        {FormBox::MLong, "?", "20", "Longitude minutes"},
        {FormBox::Zone, "one", "1", "GMT Time Diff"},
    };
    for (const auto& c : cases) {
        LocationForm form;
        form.FormSetup(kParis, 0);
        form.SetText(c.box, c.bad);
        EXPECT_FALSE(form.ValidateBox(c.box)) << c.caption;
        EXPECT_EQ(form.Note(), LocationForm::RefusedText(c.box));
        EXPECT_EQ(form.Note().rfind(c.caption, 0), 0u) << form.Note();
        form.SetText(c.box, c.good);
        EXPECT_TRUE(form.ValidateBox(c.box)) << c.caption;
        EXPECT_EQ(form.Note(), "") << c.caption;
    }
    // A note of another kind (a town's fill) stays when a box passes its check.
    LocationForm form;
    form.FormSetup(kParis, 0);
    form.SetNote("Paris keeps standard time");
    EXPECT_TRUE(form.ValidateBox(FormBox::City));
    EXPECT_EQ(form.Note(), "Paris keeps standard time");
}

TEST(LocationForm, DecimalDegreesBecomeDegreesAndMinutesAndTheSignTheHemisphere) {
    struct Case {
        const char* name;
        FormBox box;
        const char* typed;
        const char* degrees;
        const char* minutes;
        SignBox checked;  // the hemisphere box checked afterwards
    };
    const Case cases[] = {
        {"north", FormBox::DLatt, "47.88", "47", "53", SignBox::N},
        {"minus is south", FormBox::DLatt, "-33.8688", "33", "52", SignBox::S},
        {"minus is west", FormBox::DLong, "-93.52", "93", "31", SignBox::W},
        {"decimal comma", FormBox::DLong, "151,2093", "151", "13", SignBox::E},
        {"rounds into the next degree", FormBox::DLatt, "47.9999", "48", "0", SignBox::N},
        {"a whole negative number", FormBox::DLong, "-71", "71", "0", SignBox::W},
        {"beyond the limit", FormBox::DLong, "-181.5", "180", "0", SignBox::W},
        {"leading zeros", FormBox::DLatt, "000047", "47", "30", SignBox::N},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocationForm form;
        form.FormSetup("", 1);  // north and east
        const FormBox minutes = c.box == FormBox::DLatt ? FormBox::MLatt : FormBox::MLong;
        form.SetText(minutes, "30");
        form.SetText(c.box, c.typed);
        EXPECT_TRUE(form.ValidateBox(c.box));
        EXPECT_EQ(form.Text(c.box), c.degrees);
        EXPECT_EQ(form.Text(minutes), c.minutes);
        EXPECT_TRUE(form.Checked(c.checked));
    }
}

}  // namespace
}  // namespace quintrel
