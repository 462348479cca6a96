#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "db/restore_points.h"

namespace orb {

// The note beside each restore point: one "key=value" line each. Values that could hold a line
// break (the database's path, the action) are written with backslash escapes, which a
// "format=2" first line announces; notes without it are read as earlier versions wrote them.
std::string noteText(const RestorePoint& point);

// The point a note describes, or nullopt when it is no note of ours: a line it cannot read, a
// number out of range, no sequence. `file` is the point's own file beside the note. Texts that
// are shown (time, action) come back with control characters replaced by "?", so that a note
// cannot send escape codes to a terminal.
std::optional<RestorePoint> parseNote(std::string_view text);

// Sequences run from 1 to this; a larger one is no note of ours.
inline constexpr std::int64_t kLargestSequence = 999'999'999'999;

// A 64-bit FNV-1a digest of `bytes` as 16 hex digits: tells a damaged changes file.
std::string digestOf(std::string_view bytes);

// `text` with every control character (C0, DEL, C1) replaced by "?".
std::string printable(std::string_view text);

}  // namespace orb
