#include "stylefiles/korf_styles.h"

#include <algorithm>
#include <cctype>

namespace orb {
namespace {

bool sameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::size_t KORFStyles::indexOf(long position) const {
    if (position < 1 || position > Count()) {
        throw InvalidArgumentError("Invalid procedure call or argument: position " +
                                   std::to_string(position) + " of a collection of " +
                                   std::to_string(Count()));
    }
    return static_cast<std::size_t>(position - 1);
}

std::size_t KORFStyles::indexOf(std::string_view key) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (!entries_[i].first.empty() && sameKey(entries_[i].first, key)) {
            return i;
        }
    }
    throw InvalidArgumentError("Invalid procedure call or argument: no element with key \"" +
                               std::string(key) + "\"");
}

void KORFStyles::Swap(long style1, long style2) {
    KORFStyle& first = *entries_[indexOf(style1)].second;
    KORFStyle& second = *entries_[indexOf(style2)].second;
    std::swap(first, second);
}

KORFStyle& KORFStyles::Add(std::int32_t styleProg, std::string styleName1, std::string styleName2,
                           std::int32_t styleLength1, std::int32_t styleLength2,
                           std::string styleContent1, std::string styleContent2,
                           const std::string& sKey) {
    return Add(KORFStyle{styleProg, std::move(styleName1), std::move(styleName2), styleLength1,
                         styleLength2, std::move(styleContent1), std::move(styleContent2)},
               sKey);
}

KORFStyle& KORFStyles::Add(KORFStyle style, const std::string& sKey) {
    if (!sKey.empty()) {
        for (const auto& entry : entries_) {
            if (!entry.first.empty() && sameKey(entry.first, sKey)) {
                throw InvalidArgumentError(
                    "Invalid procedure call or argument: the key \"" + sKey +
                    "\" is already associated with an element of this collection");
            }
        }
    }
    entries_.emplace_back(sKey, std::make_unique<KORFStyle>(std::move(style)));
    return *entries_.back().second;
}

void KORFStyles::Remove(long position) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(indexOf(position)));
}

void KORFStyles::Remove(std::string_view key) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(indexOf(key)));
}

KORFStyle& KORFStyles::Item(long position) {
    return *entries_[indexOf(position)].second;
}

const KORFStyle& KORFStyles::Item(long position) const {
    return *entries_[indexOf(position)].second;
}

KORFStyle& KORFStyles::Item(std::string_view key) {
    return *entries_[indexOf(key)].second;
}

}  // namespace orb
