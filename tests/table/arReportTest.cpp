#include "table/arReport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "astro/CoreError.h"

namespace quintrel {
namespace {

using ::testing::HasSubstr;

const std::string kSydney =
    "0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104";

MonthTable TableOfDays(int days) {
    MonthTable table;
    table.Month = 2;
    table.Year = 2003;
    for (int day = 1; day <= days; ++day) {
        DayRow row;
        row.Day = static_cast<std::int16_t>(day);
        row.DayName = "Day" + std::to_string(day);
        row.SRise = "05:" + std::to_string(10 + day);
        row.SSet = "sets";
        row.MRise = ":";
        row.MSet = "01:00";
        row.Phase = std::to_string(day);
        row.WaxWan = "+";
        row.Maj1 = "07:00";
        row.Maj2 = ":";
        row.Min1 = "01:00";
        row.Min2 = "13:00";
        row.Rating = "Good";
        row.Stars = "***";
        table.rows.push_back(row);
    }
    return table;
}

// Counts the fetches an engine makes, as the report engine sees them.
class CountingReport : public arReport {
  public:
    using arReport::arReport;
    void ActiveReport_FetchData(bool& eof) override {
        ++fetches;
        arReport::ActiveReport_FetchData(eof);
    }
    int fetches = 0;
};

TEST(arReport_test, a_28_day_month_gives_28_rows_and_eof_on_the_29th_fetch) {
    CountingReport report(TableOfDays(28));
    report.ActiveReport_DataInitialize();
    std::vector<std::string> days;
    bool eof = false;
    while (true) {
        report.ActiveReport_FetchData(eof);
        if (eof)
            break;
        days.push_back(report.FieldText("Day"));
        ASSERT_LE(days.size(), 28u) << "FetchData never answered eof";
    }
    EXPECT_EQ(report.fetches, 29);
    ASSERT_EQ(days.size(), 28u);
    EXPECT_EQ(days.front(), "1");
    EXPECT_EQ(days.back(), "28");
}

TEST(arReport_test, fetch_copies_every_field_of_the_cursor_row) {
    arReport report(TableOfDays(3));
    report.ActiveReport_DataInitialize();
    bool eof = true;
    report.ActiveReport_FetchData(eof);
    report.ActiveReport_FetchData(eof);
    ASSERT_FALSE(eof);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Day", "2"},       {"DayName", "Day2"}, {"SRise", "05:12"}, {"SSet", "sets"},
        {"MRise", ":"},     {"MSet", "01:00"},   {"Phase", "2"},     {"WaxWan", "+"},
        {"Maj1", "07:00"},  {"Maj2", ":"},       {"Min1", "01:00"},  {"Min2", "13:00"},
        {"Rating", "Good"}, {"Stars", "***"}};
    for (const auto& [field, text] : expected)
        EXPECT_EQ(report.FieldText(field), text) << field;
    EXPECT_EQ(report.RowCursor(), 3);
    // "Day" is a number field, the rest text.
    EXPECT_TRUE(std::holds_alternative<std::int16_t>(report.Fields()[0].value));
}

TEST(arReport_test, fetch_past_the_end_changes_nothing_but_eof) {
    arReport report(TableOfDays(2));
    report.ActiveReport_DataInitialize();
    bool eof = false;
    report.ActiveReport_FetchData(eof);
    report.ActiveReport_FetchData(eof);
    report.ActiveReport_FetchData(eof);
    EXPECT_TRUE(eof);
    report.ActiveReport_FetchData(eof);
    EXPECT_TRUE(eof);
    EXPECT_EQ(report.FieldText("Day"), "2");
    EXPECT_EQ(report.RowCursor(), 3);
}

TEST(arReport_test, an_empty_table_answers_eof_at_once) {
    arReport report;
    report.ActiveReport_DataInitialize();
    bool eof = false;
    report.ActiveReport_FetchData(eof);
    EXPECT_TRUE(eof);
}

TEST(arReport_test, data_initialisation_adds_the_14_fields_in_order_and_rewinds_each_run) {
    arReport report(TableOfDays(5));
    for (int run = 0; run < 2; ++run) {
        report.ActiveReport_DataInitialize();
        std::vector<std::string> names;
        for (const ReportField& field : report.Fields())
            names.push_back(field.name);
        EXPECT_EQ(names, (std::vector<std::string>{"Day", "DayName", "SRise", "SSet", "MRise",
                                                   "MSet", "Phase", "WaxWan", "Maj1", "Maj2",
                                                   "Min1", "Min2", "Rating", "Stars"}));
        EXPECT_EQ(report.RowCursor(), 1);
        bool eof = false;
        report.ActiveReport_FetchData(eof);
        EXPECT_EQ(report.FieldText("Day"), "1") << "run " << run;
    }
}

TEST(arReport_test, report_start_forces_portrait_and_report_end_restores_the_setting) {
    arReport report;
    report.Printer().Orientation = 2;
    report.ActiveReport_ReportStart();
    EXPECT_EQ(report.Printer().Orientation, 1);
    report.ActiveReport_ReportEnd();
    EXPECT_EQ(report.Printer().Orientation, 2);
}

TEST(arReport_test, a_printer_setting_beyond_16_bits_is_an_overflow_error) {
    arReport report;
    report.Printer().Orientation = 40000;
    try {
        report.ActiveReport_ReportStart();
        FAIL() << "no error";
    } catch (const CoreError& error) {
        EXPECT_THAT(error.what(), HasSubstr("40000"));
    }
    EXPECT_EQ(report.Printer().Orientation, 40000) << "the setting was changed before failing";
}

TEST(arReport_test, heading_texts) {
    EXPECT_EQ(ReportVersionText(), "Quintrel - Version " QUINTREL_PROJECT_VERSION);
    EXPECT_EQ(ReportTitleText("France (Paris)", 1, 2004),
              "Quintrel For France (Paris) for January 2004");
    EXPECT_EQ(ReportTitleText("Australia - NSW (Sydney)", 12, 1999),
              "Quintrel For Australia - NSW (Sydney) for December 1999");
    // UTF-8 place names pass through untouched.
    EXPECT_EQ(ReportTitleText("M\xC3\xA9xico (Le\xC3\xB3n)", 9, 2025),
              "Quintrel For M\xC3\xA9xico (Le\xC3\xB3n) for September 2025");
}

TEST(arReport_test, place_line_spells_lattitude_and_shows_the_marks_as_utf8) {
    EXPECT_EQ(PlaceLineText(kSydney),
              "Lattitude: 33\xC2\xBA  52\xC2\xB4 South, Longitude: 151\xC2\xBA  13\xC2\xB4 East, "
              "GMT +10 hours");
}

TEST(arReport_test, new_month_report_fills_the_heading_and_the_title) {
    MonthTable table = TableOfDays(31);
    table.Month = 1;
    table.Year = 2004;
    const auto report = NewMonthReport(table, kSydney, "Australia - NSW (Sydney)");
    EXPECT_EQ(report->Caption("lblRptHeader"), "Quintrel - Version " QUINTREL_PROJECT_VERSION);
    EXPECT_EQ(report->Caption("lblPageHeader"),
              "Quintrel For Australia - NSW (Sydney) for January 2004");
    EXPECT_THAT(report->Caption("lblLattLong"), HasSubstr("Lattitude: 33"));
    EXPECT_EQ(report->Title(), report->Caption("lblPageHeader"));
    EXPECT_EQ(report->Table().rows.size(), 31u);
}

TEST(arReport_test, unknown_controls_and_fields_are_named_in_the_error) {
    arReport report;
    EXPECT_THROW(report.SetCaption("lblNoSuch", "x"), CoreError);
    try {
        report.Control("lblNoSuch");
        FAIL();
    } catch (const CoreError& error) {
        EXPECT_THAT(error.what(), HasSubstr("lblNoSuch"));
    }
    report.ActiveReport_DataInitialize();
    EXPECT_THROW(report.SetFieldValue("Nope", std::string("x")), CoreError);
}

// The layout's numbers are copied from a drawing; these catch a slipped digit.
TEST(arReport_layout_test, sections_come_in_printing_order) {
    const arReport report;
    std::vector<ReportSectionKind> kinds;
    for (const ReportSection& section : report.Sections())
        kinds.push_back(section.kind);
    EXPECT_EQ(kinds, (std::vector<ReportSectionKind>{
                         ReportSectionKind::ReportHeader, ReportSectionKind::PageHeader,
                         ReportSectionKind::Detail, ReportSectionKind::PageFooter,
                         ReportSectionKind::ReportFooter}));
}

TEST(arReport_layout_test, every_control_lies_inside_its_section_and_the_content_width) {
    const arReport report;
    for (const ReportSection& section : report.Sections()) {
        for (const ReportControl& c : section.controls) {
            EXPECT_GE(c.left, 0) << c.name;
            EXPECT_LE(c.left + c.width, 9411) << c.name;
            EXPECT_GE(c.top, 0) << c.name;
            EXPECT_LE(c.top + c.height, section.height) << c.name;
        }
    }
}

TEST(arReport_layout_test, detail_fields_do_not_overlap_and_bind_each_field_once) {
    const arReport report;
    const ReportSection& detail = report.Section(ReportSectionKind::Detail);
    std::multiset<std::string> bound;
    int previousRight = 0;
    for (const ReportControl& c : detail.controls) {
        ASSERT_EQ(c.kind, ReportControlKind::Field) << c.name;
        bound.insert(c.dataField);
        EXPECT_GE(c.left, previousRight) << c.name << " overlaps the field before it";
        previousRight = c.left + c.width;
        EXPECT_EQ(c.height, 227) << c.name;
    }
    const std::vector<std::string>& names = ReportFieldNames();
    EXPECT_EQ(bound, std::multiset<std::string>(names.begin(), names.end()));
}

TEST(arReport_layout_test, control_names_are_unique) {
    const arReport report;
    std::set<std::string> names;
    for (const ReportSection& section : report.Sections()) {
        for (const ReportControl& c : section.controls) {
            EXPECT_TRUE(names.insert(c.name).second) << c.name;
        }
    }
}

}  // namespace
}  // namespace quintrel
