#pragma once

#include <cstdint>
#include <string>

#include "core/keyed_collection.h"

namespace orb {

// One song-style link as the linking windows show it.
struct KORFSonSty {
    std::int32_t StyleProg = 0;
    std::int32_t SongCode = 0;
    // The style's name as listed.
    std::string StyleDesc;
    // The song as listed.
    std::string SongDesc;
    std::string SongNote;
    std::string StyleTempo;
    std::string StyleTranspose;

    bool operator==(const KORFSonSty&) const = default;
};

// The links of one song or one style while a linking window edits them; positions from 1,
// optional keys.
class KORFSonStys : public KeyedCollection<KORFSonSty> {
public:
    using KeyedCollection<KORFSonSty>::Add;

    // Appends a new link, under sKey when it is not empty.
    KORFSonSty& Add(std::int32_t songCode, std::int32_t styleProg, std::string songDesc,
                    std::string styleDesc, std::string songNote, std::string styleTempo,
                    std::string styleTranspose, const std::string& sKey = "");
};

}  // namespace orb
