#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "cli/TableOptions.h"
#include "gazetteer/Gazetteer.h"

namespace quintrel::cli {

/// The towns matching `text`, most populous first, each as a line naming it ("Tromsø,
/// Troms og Finnmark, Norway (Europe/Oslo, 52436 people)") and an indented line with the
/// location record it would get (UTF-8), plus the zone note where there is one; a town
/// whose zone the record cannot hold gets the note alone. Throws
/// UsageError for text of fewer than two letters and CoreError when nothing matches.
std::string FindText(Gazetteer& gazetteer, std::string_view text);

/// The location record (Windows-1252 bytes) of the one town `text` means (see TownsMeant
/// and TownTaken): the only match, the only one whose whole name the text is, or one ten
/// times larger than the others, which a line on `messages` then names. Throws
/// UsageError listing the towns, each with a text that means it alone, when several are
/// meant; CoreError with the note when the record cannot hold the town's zone, and like
/// FindText otherwise.
std::string TownRecordFor(Gazetteer& gazetteer, std::string_view text, std::ostream& messages);

/// The zone columns the place list would give IANA zone `zoneId`, for a place north and
/// for one south of the equator: one line each, "north +1 1 025103 035110" (sign and
/// hours, daylight-saving flag, start and end rule) or "north +1 0 - - " and the note.
std::string ZoneRuleText(const std::string& zoneId);

/// --find and --zone-rule: the towns or the zone columns, written to standard output.
/// Neither reads a place list.
bool IsFindMode(const TableOptions& options);
void RunFindCommand(const TableOptions& options, std::ostream& standardOutput,
                    std::ostream& messages);

}  // namespace quintrel::cli
