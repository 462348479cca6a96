#include "db/point_notes.h"

#include <cstdio>
#include <vector>

#include "core/ascii_text.h"

namespace orb {
namespace {

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) {
            return std::nullopt;
        }
        switch (text[i]) {
            case '\\':
                out += '\\';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

// A whole decimal number from `low` to `high`, nothing else.
std::optional<std::int64_t> number(std::string_view text, std::int64_t low, std::int64_t high) {
    const auto value = wholeNumber<std::int64_t>(text);
    return value && *value >= low && *value <= high ? value : std::nullopt;
}

constexpr std::int64_t kLargestCount = std::int64_t{1} << 40;

}  // namespace

std::string printable(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            out += '?';
        } else if (c == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            out += '?';
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string digestOf(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string noteText(const RestorePoint& point) {
    std::string text =
        "format=2\nsequence=" + std::to_string(point.sequence) +
        "\nkind=" + (point.kind == RestorePoint::Kind::Changes ? "changes" : "copy") +
        "\ndatabase=" + escaped(point.database.string()) + "\ntime=" + point.time +
        "\naction=" + escaped(point.action) + "\nstyles=" + std::to_string(point.styles) +
        "\nbanks=" + std::to_string(point.banks) + "\nsongs=" + std::to_string(point.songs) + "\n";
    if (point.kind == RestorePoint::Kind::Changes) {
        text += "bytes=" + std::to_string(point.size) + "\ndigest=" + point.digest + "\n";
    }
    return text;
}

std::optional<RestorePoint> parseNote(std::string_view text) {
    RestorePoint point;
    bool hasSequence = false;
    bool format2 = false;
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (first && key == "format") {
            if (value != "2") {
                return std::nullopt;  // a later layout: not ours to read
            }
            format2 = true;
            first = false;
            continue;
        }
        first = false;
        const auto textValue = [&]() -> std::optional<std::string> {
            return format2 ? unescaped(value) : std::optional(std::string(value));
        };
        std::optional<std::int64_t> parsed = 0;
        if (key == "sequence") {
            parsed = number(value, 1, kLargestSequence);
            point.sequence = parsed.value_or(0);
            hasSequence = true;
        } else if (key == "kind") {
            if (value != "changes" && value != "copy") {
                return std::nullopt;
            }
            point.kind =
                value == "changes" ? RestorePoint::Kind::Changes : RestorePoint::Kind::WholeCopy;
        } else if (key == "database") {
            const auto path = textValue();
            if (!path) {
                return std::nullopt;
            }
            point.database = *path;
        } else if (key == "time") {
            point.time = printable(value);
        } else if (key == "action") {
            const auto action = textValue();
            if (!action) {
                return std::nullopt;
            }
            point.action = printable(*action);
        } else if (key == "styles") {
            parsed = number(value, 0, kLargestCount);
            point.styles = parsed.value_or(0);
        } else if (key == "banks") {
            parsed = number(value, 0, kLargestCount);
            point.banks = parsed.value_or(0);
        } else if (key == "songs") {
            parsed = number(value, 0, kLargestCount);
            point.songs = parsed.value_or(0);
        } else if (key == "bytes") {
            parsed = number(value, 0, kLargestCount);
            point.notedBytes = static_cast<std::uintmax_t>(parsed.value_or(0));
        } else if (key == "digest") {
            point.digest = std::string(value);
        }
        if (!parsed) {
            return std::nullopt;
        }
    }
    if (!hasSequence || (point.kind == RestorePoint::Kind::Changes && point.digest.size() != 16)) {
        return std::nullopt;
    }
    return point;
}

}  // namespace orb
