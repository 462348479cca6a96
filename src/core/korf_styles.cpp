#include "core/korf_styles.h"

#include <utility>

namespace orb {

void KORFStyles::Swap(long style1, long style2) {
    KORFStyle& first = Item(style1);
    KORFStyle& second = Item(style2);
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

}  // namespace orb
