#include "stylefiles/ssf_writer.h"

#include <cstdio>
#include <ostream>

#include "core/windows1252.h"
#include "stylefiles/ssf_format.h"
#include "stylefiles/style_file_error.h"

namespace orb {
namespace {

void writeField(std::ostream& out, std::string_view value) {
    char length[ssf::kLengthDigits + 1];
    std::snprintf(length, sizeof length, "%05zu", value.size());
    out.write(length, static_cast<std::streamsize>(ssf::kLengthDigits));
    out.write(value.data(), static_cast<std::streamsize>(value.size()));
}

std::string fiveDigits(std::int32_t value) {
    char digits[ssf::kLengthDigits + 1];
    std::snprintf(digits, sizeof digits, "%05d", static_cast<int>(value));
    return digits;
}

}  // namespace

void writeSsf(std::ostream& out, const StyleRow& style, const std::string& fileName) {
    if (const std::string refusal = ssfRefusal(style); !refusal.empty()) {
        throw StyleFileError("The style " + std::to_string(style.StyleProg) +
                             " cannot be written to " + fileName + ": " + refusal + ".");
    }
    out.write(ssf::kSignature.data(), static_cast<std::streamsize>(ssf::kSignature.size()));
    writeField(out, utf8ToWindows1252(style.StyleName1));
    writeField(out, utf8ToWindows1252(style.StyleName2));
    writeField(out, fiveDigits(style.StyleLength1));
    writeField(out, fiveDigits(style.StyleLength2));
    writeField(out, style.StyleContent1);
    writeField(out, style.StyleContent2);
    for (const std::string* text : {&style.StyleAuthor, &style.StyleCat, &style.StyleFamily,
                                    &style.StyleDesc, &style.StyleFile}) {
        writeField(out, utf8ToWindows1252(*text));
    }
    writeField(out, *ssfDateOf(style.StyleDate));
    if (!out) {
        throw StyleFileError("The file " + fileName + " could not be written.");
    }
}

}  // namespace orb
