#include <gtest/gtest.h>

#include <string>

#include "locations/LocationForm.h"

namespace quintrel {
namespace {

ZoneRuleResult Zone(char sign, const char* hours, const char* start = "", const char* end = "",
                    const char* note = "") {
    return {sign, hours, *start != 0, start, end, note};
}

// A fill from the gazetteer gives the same record as the shipped list's own.
TEST(LocationFormFill, FoundTownBuildsTheShippedRecord) {
    LocationForm form;
    form.FormSetup("", 1);
    form.FillPlace("New Zealand", "Christchurch", -43.5333, 172.6333,
                   Zone('+', "12", "025109", "031104"));
    ASSERT_TRUE(form.CheckEntries());
    EXPECT_EQ(form.BuildLocationRecord(),
              "1New Zealand          Christchurch     - 43 32+172 38+  121025109031104");
    EXPECT_EQ(form.Note(), "");
    EXPECT_EQ(form.LengthText(FormBox::Country), "11/21");
}

TEST(LocationFormFill, WestAndMinutesRoundingAcrossTheDegree) {
    LocationForm form;
    form.FormSetup("", 1);
    // 71.9999 degrees is 71 degrees 59.994 minutes: 72 degrees 0 minutes, never "71 60".
    form.FillPlace("USA - Maine", "Portland", 43.6574, -71.9999,
                   Zone('-', "5", "022103", "021111"));
    EXPECT_EQ(form.BuildLocationRecord(),
              "1USA - Maine          Portland         + 43 39- 72  0-   51022103021111");
}

TEST(LocationFormFill, ZoneWithoutRuleClearsTheSavingAndShowsWhy) {
    LocationForm form;
    form.FormSetup("", 1);  // a new place starts with saving and the default rules
    const char* note =
        "Clocks here move by 30 minutes, not a whole hour; the table will use "
        "standard time all year.";
    form.FillZone(Zone('+', "10.5", "", "", note));
    EXPECT_FALSE(form.Dst());
    EXPECT_FALSE(form.DstFrameEnabled());
    EXPECT_EQ(form.Selected(RuleList::MthStart), -1);
    EXPECT_EQ(form.Note(), note);
    EXPECT_EQ(form.Text(FormBox::Zone), "10.5");
    EXPECT_TRUE(form.Checked(SignBox::P));

    // A zone the record cannot hold leaves the zone box to the user.
    form.SetText(FormBox::Zone, "9");
    form.FillZone(Zone('+', "", "", "", "cannot hold"));
    EXPECT_EQ(form.Text(FormBox::Zone), "9");
    EXPECT_EQ(form.Note(), "cannot hold");
    form.FormSetup("", 1);
    EXPECT_EQ(form.Note(), "");
}

TEST(LocationFormFill, PositionReadsTheBoxesAndMarks) {
    LocationForm form;
    form.FormSetup("", 1);
    form.SetText(FormBox::DLatt, "43");
    form.SetText(FormBox::MLatt, "30");
    form.SetChecked(SignBox::S, true);
    form.SetText(FormBox::DLong, "172");
    const auto position = form.Position();
    ASSERT_TRUE(position.has_value());
    EXPECT_DOUBLE_EQ((*position)[0], -43.5);
    EXPECT_DOUBLE_EQ((*position)[1], 172.0);
    form.SetText(FormBox::MLong, "x");
    EXPECT_FALSE(form.Position().has_value());
}

// A place edited straight to OK is checked as a whole: 180 degrees 13 minutes is refused.
TEST(LocationFormFill, PositionBeyondTheLimitsIsNotAccepted) {
    LocationForm form;
    form.FormSetup("1Somewhere            Far              + 90  0+180 13+  120", 0);
    EXPECT_EQ(form.PositionOutOfRange(), FormBox::MLong);
    EXPECT_FALSE(form.CheckEntries());
    form.SetText(FormBox::MLong, "0");
    EXPECT_FALSE(form.PositionOutOfRange().has_value());
    EXPECT_TRUE(form.CheckEntries());
    form.SetText(FormBox::MLatt, "1");
    EXPECT_EQ(form.PositionOutOfRange(), FormBox::MLatt);
}

}  // namespace
}  // namespace quintrel
