#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zendro {

// Whether the field files look like the collector's, judged from their
// layout before anything is written. A file the format allows but no
// collector writes (text, random bytes, another program's file under a field
// file's name) would otherwise convert into a plausible OBS file of nonsense.
//
// The rules hold for every job the generator makes (360 jobs of both layouts,
// feet and metres, checked when the rules were set): none has a record of an
// unknown kind, an angle no instrument reads, a description record of more than
// two blocks or a point number above 32767.

// The share of doubtful records above which a file is not taken for a field file.
inline constexpr double kForeignShare = 0.25;

// Why the HVD bytes are not an observation file, or nothing: more than a
// quarter of its whole records are of kinds the collector does not write, or
// are setups, orientations or shots whose packed angles hold 60 minutes or
// seconds or more, or 360 degrees or more horizontally.
std::optional<std::string> notAnObservationFile(std::string_view hvd);

// The same for a CTX file: records of more than nine blocks, or point numbers
// above 32767.
std::optional<std::string> notADescriptionFile(std::string_view ctx);

// And for an RTX file: notes of more than nine records.
std::optional<std::string> notANotesFile(std::string_view rtx);

// A job converted in metres whose instrument heights (their median over the
// setups) look like feet: above 3 (a tripod stands 1.3 to 1.8 m, or 4.5 to
// 6 ft, high). The distance unit record says nothing the converter can read,
// so the heights tell. Nothing for a job without setups or when they agree.
std::optional<std::string> unitContradiction(std::string_view hvd, bool metricChosen);

}  // namespace zendro
