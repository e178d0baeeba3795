#include "table/arReport.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "astro/CoreError.h"
#include "table/DayColumns.h"
#include "table/ReportLayout.h"

namespace quintrel {

namespace {

constexpr double kHeadingPoints = 8.5;
constexpr int kRegular = 400;
constexpr int kBold = 700;

// Every full-width rule and label runs from here to the right edge of the content.
constexpr int kContentLeft = 113;
constexpr int kContentRight = 9354;
constexpr int kContentWidth = kContentRight - kContentLeft;

using namespace report_layout;

ReportControl Note(std::string name, int top, int height, std::string text) {
    ReportControl c = Label(std::move(name), kContentLeft, top, kContentWidth, height,
                            std::move(text), kHeadingPoints, kRegular, ReportAlignment::Centre);
    c.wordWrap = true;
    return c;
}

// Where the field of each day column sits on a detail line, in kDayColumns' order.
struct DetailPlacement {
    std::string_view control;
    int left;
    int width;
    int weight;
    ReportAlignment alignment;
};

constexpr std::array<DetailPlacement, kDayColumns.size()> kDetailPlacements = {{
    {"fldDay", 113, 284, kBold, ReportAlignment::Centre},
    // A gap after the day box: a bold two-digit day fills it.
    {"fldDayName", 454, 1020, kRegular, ReportAlignment::Left},
    {"fldSRise", 1474, 624, kRegular, ReportAlignment::Centre},
    {"fldSSet", 2098, 623, kRegular, ReportAlignment::Centre},
    {"fldMRise", 2721, 624, kRegular, ReportAlignment::Centre},
    {"fldmSet", 3345, 680, kRegular, ReportAlignment::Centre},
    {"fldPhase", 4025, 454, kRegular, ReportAlignment::Right},
    {"FldWaxWan", 4479, 170, kRegular, ReportAlignment::Centre},
    {"fldMaj1", 4762, 737, kRegular, ReportAlignment::Centre},
    {"fldMaj2", 5499, 737, kRegular, ReportAlignment::Centre},
    {"fldMin1", 6293, 680, kRegular, ReportAlignment::Centre},
    {"fldMin2", 6973, 681, kRegular, ReportAlignment::Centre},
    {"fldRating", 7710, 737, kRegular, ReportAlignment::Left},
    {"fldStars", 8504, 850, kBold, ReportAlignment::Left},
}};

// A column added to kDayColumns without a place here would get an empty, zero-wide field.
constexpr bool EveryDayColumnPlaced() {
    for (const DetailPlacement& placement : kDetailPlacements) {
        if (placement.width == 0) {
            return false;
        }
    }
    return true;
}
static_assert(EveryDayColumnPlaced(), "every day column needs its place on the detail line");

std::vector<ReportSection> BuildLayout() {
    using A = ReportAlignment;
    std::vector<ReportSection> sections;

    sections.push_back(
        {ReportSectionKind::ReportHeader,
         "ReportHeader",
         1065,
         {
             Picture("Image6", 113, 0, 9241, 964, kBannerPicture),
             Label("lblRptHeader", 113, 113, 9241, 567, "", 22, kRegular, A::Centre, "Georgia"),
             Line("Line3", 113, 1020, 9354, 1020),
         }});

    const double h = kHeadingPoints;
    sections.push_back(
        {ReportSectionKind::PageHeader,
         "PageHeader",
         1185,
         {
             Picture("Image1", 0, 57, 624, 567, kMoonPicture),
             Picture("Image2", 8731, 57, 623, 567, kLeapingFishPicture),
             Label("lblPageHeader", 624, 0, 8107, 340, "", 11.5, kBold, A::Centre),
             Label("lblLattLong", 624, 340, 8107, 284, "", 9, kBold, A::Centre),
             Line("Line2", 113, 624, 9354, 624),
             Label("Label4", 1474, 680, 1247, 227, "<--Sun-->", h, kBold, A::Centre),
             Label("Label7", 2721, 680, 1985, 227, "<------Moon------>", h, kBold, A::Centre),
             Label("Label14", 4819, 680, 2835, 227, "<---Peak Activity Times--->", h, kBold,
                   A::Centre),
             Label("Label1", 113, 907, 454, 227, "Day", h, kBold, A::Centre),
             Label("Label2", 1474, 907, 624, 227, "Rise", h, kBold, A::Centre),
             Label("Label3", 2098, 907, 623, 227, "Set", h, kBold, A::Centre),
             Label("Label5", 2721, 907, 624, 227, "Rise", h, kBold, A::Centre),
             Label("Label6", 3345, 907, 624, 227, "Set", h, kBold, A::Centre),
             Label("Label8", 3969, 907, 737, 227, "Phase", h, kBold, A::Left),
             Label("Label9", 4762, 907, 1474, 227, "Major Times", h, kBold, A::Centre),
             Label("Label10", 6293, 907, 1361, 227, "Minor Times", h, kBold, A::Centre),
             Label("Label11", 7710, 907, 1644, 227, "Rating For Day", h, kBold, A::Left),
             Line("Line1", 113, 1134, 9354, 1134),
         }});

    // One field per day column, in the same order; only where each sits is said here.
    ReportSection detail{ReportSectionKind::Detail, "Detail", 255, {}};
    for (std::size_t i = 0; i < kDayColumns.size(); ++i) {
        const DetailPlacement& at = kDetailPlacements[i];
        detail.controls.push_back(Field(std::string(at.control), std::string(kDayColumns[i].name),
                                        at.left, at.width, at.weight, at.alignment));
    }
    sections.push_back(std::move(detail));

    sections.push_back({ReportSectionKind::PageFooter, "PageFooter", 0, {}});

    sections.push_back(
        {ReportSectionKind::ReportFooter,
         "ReportFooter",
         4875,
         {
             Line("Line4", 113, 57, 9354, 57),
             Note("Label12", 113, 227,
                  "Note: DST has been factored into the calculations in this report and can be "
                  "set in the locations screen"),
             Note("Label13", 340, 624,
                  "The phase of the moon is expressed as the percentage of the moon that is lit. "
                  "A '+' indicates a waxing (growing) moon, while a '-' indicates a waning "
                  "(shrinking) moon. The phase of the moon is now calculated as at midnight "
                  "(00:00) on the reported day."),
             Note("Label15", 964, 850,
                  "Major and minor times on this report are the mid point of the activity "
                  "period. Major periods can last up to 2 hours on the best days down to around "
                  "1 hour or less on the poor days. Minor periods can last around an hour on the "
                  "best days, down to around half an hour on the poor days. Ratings for the "
                  "minor periods are typically 1 star less than for the major periods on that "
                  "day."),
             Note("Label16", 1814, 680,
                  "In addition to the major and minor times shown, sun rise and sun set are also "
                  "times of increased activity due to the interchange of large nocturnal "
                  "predators and smaller daytime feeders starting/finishing their feeding cycles "
                  "and therefore moving around at the same time."),
             Note("Label17", 2494, 227,
                  "For tide times and heights, try WXTide32 by Michael Hopper, free from "
                  "www.wxtide32.com"),
             Line("Line5", 113, 2778, 9411, 2778),
             Picture("Image5", 227, 2835, 9071, 1927, kClosingPicture),
         }});
    return sections;
}

}  // namespace

const std::vector<std::string>& ReportFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const DayColumn& column : kDayColumns) {
            list.emplace_back(column.name);
        }
        return list;
    }();
    return names;
}

arReport::arReport(MonthTable table) : table_(std::move(table)), sections_(BuildLayout()) {}

arReport::arReport(MonthTable table, std::vector<ReportSection> sections)
    : table_(std::move(table)), sections_(std::move(sections)) {}

const ReportSection& arReport::Section(ReportSectionKind kind) const {
    for (const ReportSection& section : sections_) {
        if (section.kind == kind)
            return section;
    }
    throw CoreError("The report has no such section");
}

const ReportControl& arReport::Control(std::string_view name) const {
    for (const ReportSection& section : sections_) {
        for (const ReportControl& control : section.controls) {
            if (control.name == name)
                return control;
        }
    }
    throw CoreError("The report has no control called \"" + std::string(name) + "\"");
}

ReportControl& arReport::MutableControl(std::string_view name) {
    return const_cast<ReportControl&>(std::as_const(*this).Control(name));
}

void arReport::SetCaption(std::string_view name, std::string caption) {
    MutableControl(name).caption = std::move(caption);
}

void arReport::AddField(std::string name) {
    fields_.push_back({std::move(name), {}});
}

void arReport::SetFieldValue(std::string_view name, ReportFieldValue value) {
    for (ReportField& field : fields_) {
        if (field.name == name) {
            field.value = std::move(value);
            return;
        }
    }
    throw CoreError("The report has no field called \"" + std::string(name) + "\"");
}

std::string arReport::FieldText(std::string_view name) const {
    for (const ReportField& field : fields_) {
        if (field.name != name)
            continue;
        if (const auto* number = std::get_if<std::int16_t>(&field.value)) {
            return std::to_string(*number);
        }
        if (const auto* text = std::get_if<std::string>(&field.value))
            return *text;
        return {};
    }
    return {};
}

void arReport::ActiveReport_DataInitialize() {
    // A report run more than once (print after show) must not collect the fields twice.
    fields_.clear();
    for (const std::string& name : ReportFieldNames())
        AddField(name);
    rowCursor_ = 1;
}

void arReport::ActiveReport_FetchData(bool& eof) {
    // The cursor is 16-bit like the table's bounds; a month never comes near its limit.
    if (rowCursor_ < 1 || static_cast<std::size_t>(rowCursor_) > table_.rows.size()) {
        eof = true;
        return;
    }
    const DayRow& row = table_.rows[static_cast<std::size_t>(rowCursor_) - 1];
    for (const DayColumn& column : kDayColumns) {
        if (column.text != nullptr) {
            SetFieldValue(column.name, row.*column.text);
        } else {
            SetFieldValue(column.name, row.Day);
        }
    }
    eof = false;
    ++rowCursor_;
}

void arReport::ActiveReport_ReportStart() {
    const std::int32_t setting = printer_.Orientation;
    if (setting < std::numeric_limits<std::int16_t>::min() ||
        setting > std::numeric_limits<std::int16_t>::max()) {
        throw CoreError("The printer setting " + std::to_string(setting) +
                        " does not fit a 16-bit number");
    }
    savedPrinterSetting_ = static_cast<std::int16_t>(setting);
    printer_.Orientation = 1;
}

void arReport::ActiveReport_ReportEnd() {
    printer_.Orientation = savedPrinterSetting_;
}

std::unique_ptr<arReport> NewMonthReport(MonthTable table, std::string_view record,
                                         std::string_view placeText) {
    const std::int16_t month = table.Month;
    const std::int16_t year = table.Year;
    auto report = std::make_unique<arReport>(std::move(table));
    report->SetCaption("lblRptHeader", ReportVersionText());
    report->SetCaption("lblPageHeader", ReportTitleText(placeText, month, year));
    report->SetCaption("lblLattLong", PlaceLineText(record));
    report->SetTitle(report->Caption("lblPageHeader"));
    return report;
}

}  // namespace quintrel
