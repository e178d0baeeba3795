#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "locations/ZoneRule.h"

namespace quintrel {

/// The seven text boxes of the location window.
enum class FormBox { Country, City, DLatt, MLatt, DLong, MLong, Zone };

/// The six sign check boxes, in their pairs chkN/chkS, chkE/chkW and chkP/chkM.
enum class SignBox { N, S, E, W, P, M };

/// The eight drop-down lists of the daylight-saving rules.
enum class RuleList { HrStart, WkStart, DayStart, MthStart, HrEnd, WkEnd, DayEnd, MthEnd };

/// One entry of a drop-down list: the text shown and the number attached to it.
struct ListItem {
    std::string text;
    int data = 0;
};

/// The rules of the location maintenance window, without any toolkit: it holds what each
/// control shows (texts as UTF-8, check marks, list selections), reacts to the user's
/// changes as the window does, and builds the location record (Windows-1252 bytes) from
/// the controls. The window widgets only mirror this state.
class LocationForm {
  public:
    LocationForm();

    /// Fills every control afresh: defaults for a new place (mode 1), otherwise the
    /// fields of `record` (Windows-1252 bytes of any length; missing columns read as
    /// empty). Clears the busy flag and every light orange background.
    void FormSetup(std::string_view record, int mode);

    /// "Add New Location" or "Editing A Location" after FormSetup; "Location Maintenance"
    /// before the first one.
    const std::string& Caption() const { return caption_; }

    /// The text of a box, UTF-8.
    const std::string& Text(FormBox box) const { return texts_[Index(box)]; }
    /// Replaces a box's text as the user typed it, cut to the box's maximum length in
    /// characters (not bytes).
    void SetText(FormBox box, std::string_view utf8);
    /// Maximum number of characters a box takes: 21, 16, 11, 2, 11, 2, 4 (a degree box takes
    /// decimal degrees, which its check turns into degrees and minutes).
    static int MaxLength(FormBox box);
    /// How full a name box is, e.g. "12/21": characters typed, and how many the record holds.
    std::string LengthText(FormBox box) const;
    /// True for the five number boxes, whose text is shown centred.
    static bool IsNumberBox(FormBox box);
    /// True while the box shows the light orange background of a refused entry.
    bool Highlighted(FormBox box) const { return highlighted_[Index(box)]; }

    /// The box's own check as the focus leaves it: tidies the text (and, for a degree
    /// box above its limit, the minutes box beside it; decimal degrees such as "47.88" or
    /// "-93.52" become whole degrees and the minutes beside them, rounded to the nearest
    /// minute, a minus sign choosing S or W). Returns false when the focus must
    /// stay in the box (empty name, or a number box that does not hold a number of 0 or
    /// more); the box is then highlighted until a check passes, and the note says why
    /// (RefusedText) until the box is put right.
    bool ValidateBox(FormBox box);
    /// Why a box keeps the focus: "Country, State cannot be empty: ...".
    static std::string RefusedText(FormBox box);

    bool Checked(SignBox box) const { return checked_[Index(box)]; }
    /// Sets a sign box as a click or FormSetup does. A change of value runs the pair
    /// handling (unless the busy flag is set): the partner gets the opposite mark and the
    /// pair's sign follows the box that ends up checked.
    void SetChecked(SignBox box, bool checked);
    /// The signs written to the record: '+' or '-'.
    char LatitudeSign() const { return latitudeSign_; }
    char LongitudeSign() const { return longitudeSign_; }
    char ZoneSign() const { return zoneSign_; }
    /// Set only while a pair handler is changing the partner box.
    bool Busy() const { return busy_; }

    bool Favourite() const { return favourite_; }
    void SetFavourite(bool favourite) { favourite_ = favourite; }

    bool Dst() const { return dst_; }
    /// chkDST as clicked: unless busy, the rule frame follows the check mark. The lists
    /// keep their selections.
    void SetDst(bool dst);
    /// Whether frDST and the lists in it take input.
    bool DstFrameEnabled() const { return dstFrameEnabled_; }

    /// The fixed entries of a list (hours 00:00..23:00, weeks, weekdays, months).
    static const std::vector<ListItem>& Items(RuleList list);
    /// Selected position in the list, -1 for none.
    int Selected(RuleList list) const { return selected_[Index(list)]; }
    /// Selects a position; anything outside the list clears the selection.
    void Select(RuleList list, int position);

    /// Fills the name boxes, the position (degrees and minutes to the nearest minute, with
    /// their hemisphere boxes) and the zone (FillZone) from a found town. The names must
    /// already fit their boxes. Favourite mark and caption stay; everything stays editable.
    void FillPlace(std::string_view country, std::string_view town, double latitude,
                   double longitude, const ZoneRuleResult& zone);
    /// Fills the four position boxes (to the nearest minute) and their hemisphere marks from
    /// degrees, north and east positive.
    void FillPosition(double latitude, double longitude);
    /// Fills the zone box and sign, the daylight-saving box and the rule lists from a zone
    /// rule, and shows its note. A zone that does not fit the record leaves the zone box
    /// as it is; a zone without an expressible rule clears the daylight-saving box.
    void FillZone(const ZoneRuleResult& zone);
    /// The position the boxes and hemisphere marks hold, in degrees (north and east
    /// positive); none while a position box does not hold a number.
    std::optional<std::array<double, 2>> Position() const;

    /// The one-line note of the last fill, or a message for the user; empty when none.
    const std::string& Note() const { return note_; }
    void SetNote(std::string note) { note_ = std::move(note); }

    /// True when every required entry is present: no empty box, one box of each sign
    /// pair checked, and with daylight saving a selection in each of the eight lists; and
    /// the position lies within 90 degrees of latitude and 180 of longitude, minutes
    /// included (90 degrees 13 minutes is no place).
    bool CheckEntries() const;
    /// The minutes box of a coordinate beyond its limit, or none: OK puts the focus there.
    std::optional<FormBox> PositionOutOfRange() const;

    /// The record built from the controls as Windows-1252 bytes: 59 characters, or 71
    /// with the daylight-saving rules. Characters the code page cannot hold become "?".
    /// Call it only when CheckEntries is true; a rule list without selection throws
    /// CoreError.
    std::string BuildLocationRecord() const;

  private:
    static constexpr std::size_t Index(FormBox box) { return static_cast<std::size_t>(box); }
    static constexpr std::size_t Index(SignBox box) { return static_cast<std::size_t>(box); }
    static constexpr std::size_t Index(RuleList l) { return static_cast<std::size_t>(l); }

    void PairClick(SignBox box);
    void FillAngle(double degrees, FormBox degreeBox, FormBox minuteBox);
    void SetDefaultRules();
    void ClearSelections();
    void SelectFromRule(std::string_view rule, bool start);
    void SetTextFromRecord(FormBox box, std::string_view bytes);
    void ChangeText(FormBox box, std::string text);

    std::string caption_ = "Location Maintenance";
    std::string note_;
    std::array<std::string, 7> texts_{};
    std::array<bool, 7> highlighted_{};
    std::array<bool, 6> checked_{};
    std::array<int, 8> selected_{};
    char latitudeSign_ = '+';
    char longitudeSign_ = '+';
    char zoneSign_ = '+';
    bool favourite_ = false;
    bool dst_ = false;
    bool dstFrameEnabled_ = false;
    bool busy_ = false;
};

}  // namespace quintrel
