#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orb {

// What a field of a song list line holds.
enum class SongField { Skip, Title, Artist, Style, Tempo, Transpose, Notes };
inline constexpr std::array<const char*, 7> kSongFieldCaptions = {
    "< skip >", "Title", "Artist", "Style", "Tempo", "Transpose", "Notes"};
inline constexpr std::size_t kSongFieldCount = 12;
using SongFieldChoices = std::array<SongField, kSongFieldCount>;

// One line of a song list cut into its values; a value no field gave is a single blank.
struct SongLine {
    std::string title = " ";
    std::string artist = " ";
    std::string style = " ";
    std::string tempo = " ";
    std::string transpose = " ";
    std::string notes = " ";

    bool operator==(const SongLine&) const = default;
};

// The line's fields in order, one per choice: a line with fewer fields repeats its last one,
// an empty field gives a single blank and every apostrophe becomes a backquote. When several
// choices name the same value, the last one wins; an artist equal to the title becomes a blank.
SongLine splitSongLine(std::string_view line, char separator, const SongFieldChoices& fields);

// The lines of a song list, as UTF-8 without their line ends (LF or CR LF). A file that starts
// with a UTF-16 byte-order mark (little- or big-endian) is UTF-16; one that starts with the UTF-8
// mark or is valid UTF-8 is UTF-8; any other is Windows-1252. Throws FileAccessError naming the
// file, also for a UTF-16 mark before bytes that are no UTF-16.
std::vector<std::string> readSongList(const std::filesystem::path& path);

// The first five lines (fewer when the file has fewer), each followed by a line break, and
// ". . ."; empty when no file can be read at `path`.
std::string songListPreview(const std::filesystem::path& path);

}  // namespace orb
