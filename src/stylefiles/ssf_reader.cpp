#include "stylefiles/ssf_reader.h"

#include <array>
#include <istream>

#include "core/ascii_text.h"
#include "core/windows1252.h"
#include "stylefiles/ssf_format.h"
#include "stylefiles/style_file_error.h"

namespace orb {
namespace {

class FieldReader {
public:
    FieldReader(std::istream& in, const std::string& fileName) : in_(in), fileName_(fileName) {}

    // Up to `count` bytes; fewer only at the end of the stream.
    std::string read(std::size_t count) {
        std::string bytes(count, '\0');
        in_.read(bytes.data(), static_cast<std::streamsize>(count));
        bytes.resize(static_cast<std::size_t>(in_.gcount()));
        if (in_.bad()) {
            throw StyleFileError("The file " + fileName_ + " cannot be read.");
        }
        return bytes;
    }

    // The value of field `index`, with its five-digit length before it.
    std::string field(std::size_t index) {
        const char* what = ssf::kFieldNames[index];
        const std::string digits = read(ssf::kLengthDigits);
        if (digits.size() < ssf::kLengthDigits) {
            throw damaged(std::string("it ends before the length of its ") + what);
        }
        std::size_t length = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9') {
                throw damaged(std::string("the length of its ") + what + " is not five digits");
            }
            length = length * 10 + static_cast<std::size_t>(c - '0');
        }
        std::string value = read(length);
        if (value.size() < length) {
            throw damaged("its " + std::string(what) + " is cut short: " + std::to_string(length) +
                          " bytes announced, " + std::to_string(value.size()) + " present");
        }
        return value;
    }

    // A length field's value: one to five decimal digits.
    std::int32_t number(std::size_t index) {
        const std::string digits = field(index);
        const auto value = wholeNumber<std::int32_t>(digits);
        if (!value || digits.size() > ssf::kLengthDigits) {
            throw damaged(std::string("its ") + ssf::kFieldNames[index] + " \"" +
                          windows1252ToUtf8(digits) + "\" is no number");
        }
        return *value;
    }

    bool atEnd() { return in_.peek() == std::istream::traits_type::eof(); }

    StyleFileError damaged(const std::string& what) const {
        return StyleFileError("The file " + fileName_ + " is damaged: " + what + ".");
    }

private:
    std::istream& in_;
    const std::string& fileName_;
};

}  // namespace

std::optional<StyleRow> readSsf(std::istream& in, const std::string& fileName) {
    FieldReader reader(in, fileName);
    if (reader.read(ssf::kSignature.size()) != ssf::kSignature) {
        return std::nullopt;
    }
    StyleRow style;
    style.StyleName1 = windows1252ToUtf8(reader.field(0));
    style.StyleName2 = windows1252ToUtf8(reader.field(1));
    style.StyleLength1 = reader.number(2);
    style.StyleLength2 = reader.number(3);
    style.StyleContent1 = reader.field(4);
    style.StyleContent2 = reader.field(5);
    std::string* texts[] = {&style.StyleAuthor, &style.StyleCat, &style.StyleFamily,
                            &style.StyleDesc, &style.StyleFile};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        *texts[i] = windows1252ToUtf8(reader.field(6 + i));
    }
    const std::string date = reader.field(11);
    const std::optional<std::string> stored = storedDateOf(date);
    if (!stored) {
        throw reader.damaged("its date \"" + windows1252ToUtf8(date) + "\" is no date");
    }
    style.StyleDate = *stored;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string mismatch = ssfLengthMismatch(
            ssf::kFieldNames[2 + i], i == 0 ? style.StyleLength1 : style.StyleLength2,
            i == 0 ? style.StyleContent1 : style.StyleContent2);
        if (!mismatch.empty()) {
            throw reader.damaged(mismatch);
        }
    }
    if (!reader.atEnd()) {
        throw reader.damaged("it goes on after its date");
    }
    return style;
}

}  // namespace orb
