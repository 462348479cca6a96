#include "stylefiles/ssf_format.h"

#include <chrono>

#include "core/ascii_text.h"
#include "core/windows1252.h"

namespace orb {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number written by the digits at [start, start + count), or nothing when one is no digit.
std::optional<int> digitsAt(std::string_view text, std::size_t start, std::size_t count) {
    int value = 0;
    for (std::size_t i = start; i < start + count; ++i) {
        if (!isDigit(text[i])) {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool isCalendarDate(int year, int month, int day) {
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    return year >= 1 && date.ok();
}

std::string twoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

std::string fourDigits(int value) {
    return twoDigits(value / 100) + twoDigits(value % 100);
}

}  // namespace

std::optional<std::string> ssfDateOf(std::string_view storedDate) {
    if (storedDate.size() != 10 || storedDate[4] != '/' || storedDate[7] != '/') {
        return std::nullopt;
    }
    const auto year = digitsAt(storedDate, 0, 4);
    const auto month = digitsAt(storedDate, 5, 2);
    const auto day = digitsAt(storedDate, 8, 2);
    if (!year || !month || !day || !isCalendarDate(*year, *month, *day)) {
        return std::nullopt;
    }
    return twoDigits(*day) + "/" + twoDigits(*month) + "/" + fourDigits(*year);
}

std::optional<std::string> storedDateOf(std::string_view ssfDate) {
    if (ssfDate.size() != 10) {
        return std::nullopt;
    }
    const char separator = ssfDate[2];
    if ((separator != '/' && separator != '.' && separator != '-') || ssfDate[5] != separator) {
        return std::nullopt;
    }
    const auto day = digitsAt(ssfDate, 0, 2);
    const auto month = digitsAt(ssfDate, 3, 2);
    const auto year = digitsAt(ssfDate, 6, 4);
    if (!year || !month || !day || !isCalendarDate(*year, *month, *day)) {
        return std::nullopt;
    }
    return fourDigits(*year) + "/" + twoDigits(*month) + "/" + twoDigits(*day);
}

std::string ssfLengthMismatch(const char* field, std::int64_t length, std::string_view part) {
    const bool storedEmpty = length == 0 && part == " ";
    if (storedEmpty || length == static_cast<std::int64_t>(part.size())) {
        return {};
    }
    return std::string("its ") + field + " " + std::to_string(length) + " differs from the " +
           std::to_string(part.size()) + " bytes of its part";
}

std::string ssfRefusal(const StyleRow& style) {
    const std::string* texts[] = {&style.StyleName1,
                                  &style.StyleName2,
                                  nullptr,
                                  nullptr,
                                  nullptr,
                                  nullptr,
                                  &style.StyleAuthor,
                                  &style.StyleCat,
                                  &style.StyleFamily,
                                  &style.StyleDesc,
                                  &style.StyleFile,
                                  nullptr};
    for (std::size_t i = 0; i < ssf::kFieldCount; ++i) {
        if (texts[i] != nullptr && !fitsWindows1252(*texts[i])) {
            return std::string("its ") + ssf::kFieldNames[i] +
                   " holds characters that Windows-1252 cannot carry";
        }
    }
    const std::int64_t lengths[2] = {style.StyleLength1, style.StyleLength2};
    const std::string* parts[2] = {&style.StyleContent1, &style.StyleContent2};
    for (std::size_t i = 0; i < 2; ++i) {
        if (lengths[i] < 0 || lengths[i] > static_cast<std::int64_t>(ssf::kLargestValue)) {
            return std::string("its ") + ssf::kFieldNames[2 + i] + " " +
                   std::to_string(lengths[i]) + " does not fit five digits";
        }
        if (std::string mismatch =
                ssfLengthMismatch(ssf::kFieldNames[2 + i], lengths[i], *parts[i]);
            !mismatch.empty()) {
            return mismatch;
        }
    }
    for (std::size_t i = 0; i < ssf::kFieldCount; ++i) {
        const std::string* value = i == 4 ? parts[0] : i == 5 ? parts[1] : texts[i];
        if (value == nullptr) {
            continue;
        }
        const std::size_t bytes =
            i >= 4 && i <= 5 ? value->size() : utf8ToWindows1252(*value).size();
        if (bytes > ssf::kLargestValue) {
            return std::string("its ") + ssf::kFieldNames[i] + " is " + std::to_string(bytes) +
                   " bytes long, more than the 99999 a single style file can hold";
        }
    }
    if (!ssfDateOf(style.StyleDate)) {
        return "its date \"" + style.StyleDate + "\" is no date of the form yyyy/mm/dd";
    }
    return {};
}

std::string ssfBaseName(std::string_view styleName1) {
    std::string name;
    for (const char c : styleName1) {
        const char upper = upperAscii(c);
        if ((upper >= 'A' && upper <= 'Z') || isDigit(upper) || upper == '_') {
            name += upper;
        }
    }
    return name;
}

}  // namespace orb
