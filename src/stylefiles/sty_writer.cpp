#include "stylefiles/sty_writer.h"

#include <ostream>
#include <vector>

#include "core/byte_conversions.h"
#include "core/windows1252.h"
#include "stylefiles/style_file_error.h"

namespace orb {
namespace {

std::string nameField(const std::string& name) {
    std::string bytes = utf8ToWindows1252(name);
    bytes.resize(sty::kNameSize, '\0');
    return bytes;
}

struct Part {
    const std::string* name;
    const std::string* content;
    int type;
    std::size_t slot;
};

// A part is present when its length is not 0; its length must then be its content's size,
// since every offset of the file is computed from the lengths.
void checkPart(const BankFileStyle& style, long position, bool first, const std::string& fileName) {
    const std::int32_t length = first ? style.StyleLength1 : style.StyleLength2;
    const std::string& content = first ? style.StyleContent1 : style.StyleContent2;
    if (length != 0 && static_cast<std::uint64_t>(static_cast<std::int64_t>(length)) !=
                           static_cast<std::uint64_t>(content.size())) {
        throw StyleFileError("The bank file " + fileName + " cannot be written: the " +
                             (first ? "first" : "second") + " part of the style at position " +
                             std::to_string(position) + " (\"" + style.StyleName1 +
                             "\") has the length " + std::to_string(length) + " but holds " +
                             std::to_string(content.size()) + " bytes.");
    }
}

void writeBytes(std::ostream& out, std::string_view bytes, const std::string& fileName) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw StyleFileError("The bank file " + fileName +
                             " could not be written completely (is the disk full or gone?).");
    }
}

// Gathers the many pieces of a bank into few large writes: a bank of 16 styles becomes one
// request to the device instead of some forty.
class GatheringWriter {
public:
    GatheringWriter(std::ostream& out, const std::string& fileName)
        : out_(out), fileName_(fileName) {
        pending_.reserve(kCapacity);
    }

    void add(std::string_view bytes) {
        if (pending_.size() + bytes.size() > kCapacity) {
            flush();
        }
        if (bytes.size() >= kCapacity) {
            writeBytes(out_, bytes, fileName_);
        } else {
            pending_.append(bytes);
        }
    }

    void flush() {
        writeBytes(out_, pending_, fileName_);
        pending_.clear();
    }

private:
    static constexpr std::size_t kCapacity = 1u << 20;
    std::ostream& out_;
    const std::string& fileName_;
    std::string pending_;
};

}  // namespace

void writeStyleFile(std::ostream& out, std::span<const BankFileStyle> styles, int bankNumber,
                    const std::string& fileName, const sty::EventPump& letEventsRun) {
    if (bankNumber < 0 || bankNumber > 255) {
        throw StyleFileError("The bank file " + fileName + " cannot be written: the bank number " +
                             std::to_string(bankNumber) + " is not between 0 and 255.");
    }
    if (styles.size() > 256) {
        throw StyleFileError("The bank file " + fileName + " cannot be written: it has room for " +
                             "256 styles, not " + std::to_string(styles.size()) + ".");
    }

    std::vector<Part> parts;
    parts.reserve(styles.size() * 2);
    std::uint64_t contentSize = 0;
    long position = 0;
    for (const BankFileStyle& style : styles) {
        ++position;
        checkPart(style, position, true, fileName);
        checkPart(style, position, false, fileName);
        const auto slot = static_cast<std::size_t>(position - 1);
        if (style.StyleLength1 != 0) {
            parts.push_back({&style.StyleName1, &style.StyleContent1, sty::kFirstPartType, slot});
            contentSize += style.StyleContent1.size();
        }
        if (style.StyleLength2 != 0) {
            parts.push_back({&style.StyleName2, &style.StyleContent2, sty::kSecondPartType, slot});
            contentSize += style.StyleContent2.size();
        }
    }
    const std::uint64_t entryCount = parts.size();
    const std::uint64_t fileSize = sty::kFixedSize + sty::kSizePerEntry * entryCount + contentSize;
    if (fileSize > sty::kLargestLength) {
        throw StyleFileError("The bank file " + fileName + " cannot be written: its " +
                             std::to_string(fileSize) +
                             " bytes exceed the 2 GB a bank file holds.");
    }

    std::string head;
    head.reserve(sty::kHeaderSize + sty::kChunkHeaderSize + entryCount * sty::kEntrySize);
    head.append("\x01\x00\x01\x14", 4);
    head += LongToBytes(static_cast<std::int32_t>(fileSize - 8), 4);
    head.append("\x02\x00\x00\x18", 4);
    head += LongToBytes(12, 4);
    head.append("\x0B\x00\x00\x00\x00\x00\x00", 7);
    head.append(sty::kSignature);
    head += '\0';
    head.append("\x05\x00\x00\x18", 4);
    head += LongToBytes(static_cast<std::int32_t>(sty::kEntrySize * entryCount), 4);
    for (const Part& part : parts) {
        head += nameField(*part.name);
        head.append(7, '\0');
        head += static_cast<char>(part.type);
        head += static_cast<char>(bankNumber);
        head += static_cast<char>(part.slot);
        if (part.type == sty::kFirstPartType) {
            head.append("\x00\x00\x00", 3);
        } else {
            head.append("\x00\x02\x00", 3);
        }
    }
    GatheringWriter writer(out, fileName);
    writer.add(head);
    for (const Part& part : parts) {
        writer.add(*part.content);
        if (letEventsRun) {
            letEventsRun();
        }
    }

    std::string index;
    index.reserve(24 + 4 * entryCount);
    index.append("\xFE\x00\x00\x18", 4);
    index += LongToBytes(static_cast<std::int32_t>(16 + 4 * entryCount), 4);
    index.append("KBEG");
    index += LongToBytes(static_cast<std::int32_t>(sty::kHeaderSize), 4);
    std::uint64_t offset = head.size();
    for (const Part& part : parts) {
        index += LongToBytes(static_cast<std::int32_t>(offset), 4);
        offset += part.content->size();
    }
    index.append("KEND");
    index += LongToBytes(static_cast<std::int32_t>(entryCount + 1), 4);
    writer.add(index);
    writer.flush();
    out.flush();
    if (!out) {
        throw StyleFileError("The bank file " + fileName +
                             " could not be written completely (is the disk full or gone?).");
    }
}

}  // namespace orb
