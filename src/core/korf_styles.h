#pragma once

#include <cstdint>
#include <string>

#include "core/keyed_collection.h"
#include "core/korf_style.h"

namespace orb {

// The styles of one bank in slot order (or any list of styles), positions from 1, optional keys.
class KORFStyles : public KeyedCollection<KORFStyle> {
public:
    using KeyedCollection<KORFStyle>::Add;

    // Exchanges all seven values of the records at the two positions; the record objects stay
    // where they are. An invalid position changes nothing.
    void Swap(long style1, long style2);
    KORFStyle& Add(std::int32_t styleProg, std::string styleName1, std::string styleName2,
                   std::int32_t styleLength1, std::int32_t styleLength2, std::string styleContent1,
                   std::string styleContent2, const std::string& sKey = "");
};

}  // namespace orb
