#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "table/MonthTable.h"
#include "table/ReportTexts.h"

namespace quintrel {

/// The bands of a banded report, in the order the report engine prints them.
enum class ReportSectionKind { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter };

enum class ReportControlKind {
    Label,    ///< fixed or run-time caption
    Field,    ///< shows the report field named by `dataField`
    Line,     ///< a rule from (x1, y1) to (x2, y2)
    Picture,  ///< an image addressed by `picture`, stretched to the box
};

enum class ReportAlignment { Left, Centre, Right };

/// A font as the layout names it. The family is the layout's own ("Verdana", "Georgia");
/// the renderer maps it to an installed face with close metrics.
struct ReportFont {
    std::string family = "Verdana";
    double pointSize = 8.5;
    int weight = 400;  ///< 400 regular, 700 bold
};

/// One control of a section. Positions are twips (1/1440 inch) from the section's top left.
struct ReportControl {
    std::string name;
    ReportControlKind kind = ReportControlKind::Label;
    int left = 0, top = 0, width = 0, height = 0;  ///< the box (labels, fields, pictures)
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;            ///< end points (lines)
    std::string caption;                           ///< label text, UTF-8
    std::string dataField;                         ///< bound field (fields)
    std::string picture;                           ///< picture name (pictures)
    ReportFont font;
    ReportAlignment alignment = ReportAlignment::Left;
    bool wordWrap = false;  ///< long notes wrap within their box; everything else is one line
};

struct ReportSection {
    ReportSectionKind kind = ReportSectionKind::Detail;
    std::string name;
    int height = 0;  ///< twips
    std::vector<ReportControl> controls;
};

/// A field value: "Day" carries a 16-bit number, every other field text (UTF-8).
using ReportFieldValue = std::variant<std::monostate, std::int16_t, std::string>;

struct ReportField {
    std::string name;
    ReportFieldValue value;
};

/// The report's printer object. Its one whole-number setting is the page orientation:
/// 1 portrait, 2 landscape.
struct ReportPrinter {
    std::int32_t Orientation = 1;
};

/// Picture names of the layout; the renderer resolves them to its artwork.
inline constexpr std::string_view kBannerPicture = "banner";
inline constexpr std::string_view kMoonPicture = "moon";
inline constexpr std::string_view kLeapingFishPicture = "leaping-fish";
inline constexpr std::string_view kClosingPicture = "closing";

/// The printable month report: the banded layout as data, the run-time heading captions,
/// the field collection, and the four events through which a report engine pulls the
/// rows of a month table. A report engine runs it as: ActiveReport_ReportStart,
/// ActiveReport_DataInitialize, ActiveReport_FetchData until eof, ActiveReport_ReportEnd.
/// The events are virtual so that an engine (or a test) can watch them.
class arReport {
  public:
    /// A report over its own copy of `table`, so a later calculation cannot pull rows away
    /// from under a report that is still being shown.
    explicit arReport(MonthTable table = {});
    virtual ~arReport() = default;
    arReport(const arReport&) = default;
    arReport& operator=(const arReport&) = default;

    /// The five sections, in printing order.
    const std::vector<ReportSection>& Sections() const { return sections_; }
    const ReportSection& Section(ReportSectionKind kind) const;

    /// The control called `name` in any section. Throws CoreError naming an unknown control.
    const ReportControl& Control(std::string_view name) const;
    std::string Caption(std::string_view name) const { return Control(name).caption; }
    /// Sets a label's caption (UTF-8). Throws CoreError naming an unknown control.
    void SetCaption(std::string_view name, std::string caption);

    /// The report's title text: the engine uses it as the document name of prints and PDFs.
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    /// The field collection, in the order the fields were added.
    const std::vector<ReportField>& Fields() const { return fields_; }
    void AddField(std::string name);
    /// Throws CoreError naming a field that was never added.
    void SetFieldValue(std::string_view name, ReportFieldValue value);
    /// A field's value as display text ("" for a field without a value or not added).
    std::string FieldText(std::string_view name) const;

    ReportPrinter& Printer() { return printer_; }
    const ReportPrinter& Printer() const { return printer_; }

    const MonthTable& Table() const { return table_; }
    /// The 1-based index of the next row FetchData delivers.
    std::int16_t RowCursor() const { return rowCursor_; }

    /// Before the first row: adds one field per day column and points the cursor at row 1.
    virtual void ActiveReport_DataInitialize();
    /// Once per detail row. Past the last row: eof = true and nothing else changes.
    /// Otherwise the fields take the values of the cursor's row, eof = false and the
    /// cursor moves on.
    virtual void ActiveReport_FetchData(bool& eof);
    /// When the run starts: keeps the printer's orientation and sets portrait.
    /// Throws CoreError when the orientation does not fit a 16-bit number.
    virtual void ActiveReport_ReportStart();
    /// When the run ends: gives the printer back the orientation kept at the start.
    virtual void ActiveReport_ReportEnd();

  protected:
    /// A report of another layout (the planner's list) run by the same engine; such a
    /// report overrides the data events to deliver its own rows.
    arReport(MonthTable table, std::vector<ReportSection> sections);

  private:
    ReportControl& MutableControl(std::string_view name);

    MonthTable table_;
    std::vector<ReportSection> sections_;
    std::vector<ReportField> fields_;
    std::string title_;
    ReportPrinter printer_;
    std::int16_t rowCursor_ = 1;
    std::int16_t savedPrinterSetting_ = 0;
};

/// The report field names, one per day column, in the order DataInitialize adds them.
const std::vector<std::string>& ReportFieldNames();

/// A new report for `table` with the heading captions (version, title, place line) and
/// the title text set: what a calculation hands to the viewer.
std::unique_ptr<arReport> NewMonthReport(MonthTable table, std::string_view record,
                                         std::string_view placeText);

}  // namespace quintrel
