#include "songs/song_list_file.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "core/file_access.h"
#include "core/windows1252.h"

namespace orb {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

// Gives the fields of one line one after the other; past the last separator it keeps giving
// the last field.
class FieldReader {
public:
    FieldReader(std::string_view line, char separator) : rest_(line), separator_(separator) {}

    std::string next() {
        std::string_view field = rest_;
        const auto at = rest_.find(separator_);
        if (at != std::string_view::npos) {
            field = rest_.substr(0, at);
            rest_.remove_prefix(at + 1);
        }
        std::string value = field.empty() ? std::string(" ") : std::string(field);
        std::replace(value.begin(), value.end(), '\'', '`');
        return value;
    }

private:
    std::string_view rest_;
    char separator_;
};

// The file's text as UTF-8: UTF-16 after its byte-order mark (a "Unicode" text file), UTF-8
// with or without its mark, else Windows-1252 (also after a UTF-8 mark: an editor may have put
// one before text it never converted). Nothing for a UTF-16 mark before bytes that are no
// UTF-16.
std::optional<std::string> decode(std::string bytes) {
    const std::string_view view(bytes);
    if (view.starts_with(kUtf16LittleEndianMark) || view.starts_with(kUtf16BigEndianMark)) {
        return utf16ToUtf8(view.substr(2), view.starts_with(kUtf16BigEndianMark));
    }
    if (view.starts_with(kByteOrderMark)) {
        bytes.erase(0, kByteOrderMark.size());
    }
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii || isValidUtf8(bytes)) {
        return bytes;
    }
    return windows1252ToUtf8(bytes);
}

}  // namespace

SongLine splitSongLine(std::string_view line, char separator, const SongFieldChoices& fields) {
    SongLine values;
    FieldReader reader(line, separator);
    for (const SongField field : fields) {
        std::string value = reader.next();
        switch (field) {
            case SongField::Title:
                values.title = std::move(value);
                break;
            case SongField::Artist:
                values.artist = std::move(value);
                break;
            case SongField::Style:
                values.style = std::move(value);
                break;
            case SongField::Tempo:
                values.tempo = std::move(value);
                break;
            case SongField::Transpose:
                values.transpose = std::move(value);
                break;
            case SongField::Notes:
                values.notes = std::move(value);
                break;
            case SongField::Skip:
                break;
        }
    }
    if (values.artist == values.title) {
        values.artist = " ";
    }
    return values;
}

std::vector<std::string> readSongList(const std::filesystem::path& path) {
    std::ifstream in = openRegularFile(path, "The song list");
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        throw FileAccessError("The song list " + path.string() + " cannot be read.");
    }
    const std::optional<std::string> decoded = decode(std::move(bytes));
    if (!decoded) {
        throw FileAccessError("The song list " + path.string() +
                              " begins with the mark of UTF-16 text but is not UTF-16 text.");
    }
    const std::string& text = *decoded;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string songListPreview(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    try {
        lines = readSongList(path);
    } catch (const FileAccessError&) {
        return {};
    }
    std::string preview;
    for (std::size_t i = 0; i < lines.size() && i < 5; ++i) {
        preview += lines[i] + "\n";
    }
    return preview + ". . .";
}

}  // namespace orb
