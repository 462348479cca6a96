#include "db/korf_son_stys.h"

#include <algorithm>
#include <cctype>

#include "app/errors.h"

namespace orb {
namespace {

bool sameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::size_t KORFSonStys::indexOf(long position) const {
    if (position < 1 || position > Count()) {
        throw InvalidArgumentError("Invalid procedure call or argument: position " +
                                   std::to_string(position) + " of a collection of " +
                                   std::to_string(Count()));
    }
    return static_cast<std::size_t>(position - 1);
}

std::size_t KORFSonStys::indexOf(std::string_view key) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return !entry.first.empty() && sameKey(entry.first, key);
    });
    if (key.empty() || found == entries_.end()) {
        throw InvalidArgumentError("Invalid procedure call or argument: no element with key \"" +
                                   std::string(key) + "\"");
    }
    return static_cast<std::size_t>(found - entries_.begin());
}

KORFSonSty& KORFSonStys::Add(std::int32_t songCode, std::int32_t styleProg, std::string songDesc,
                             std::string styleDesc, std::string songNote, std::string styleTempo,
                             std::string styleTranspose, const std::string& sKey) {
    if (!sKey.empty()) {
        for (const Entry& entry : entries_) {
            if (!entry.first.empty() && sameKey(entry.first, sKey)) {
                throw InvalidArgumentError(
                    "Invalid procedure call or argument: the key \"" + sKey +
                    "\" is already associated with an element of this collection");
            }
        }
    }
    auto link = std::make_unique<KORFSonSty>(
        KORFSonSty{styleProg, songCode, std::move(styleDesc), std::move(songDesc),
                   std::move(songNote), std::move(styleTempo), std::move(styleTranspose)});
    entries_.emplace_back(sKey, std::move(link));
    return *entries_.back().second;
}

KORFSonSty& KORFSonStys::Item(long position) {
    return *entries_[indexOf(position)].second;
}

const KORFSonSty& KORFSonStys::Item(long position) const {
    return *entries_[indexOf(position)].second;
}

KORFSonSty& KORFSonStys::Item(std::string_view key) {
    return *entries_[indexOf(key)].second;
}

void KORFSonStys::Remove(long position) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(indexOf(position)));
}

void KORFSonStys::Remove(std::string_view key) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(indexOf(key)));
}

}  // namespace orb
