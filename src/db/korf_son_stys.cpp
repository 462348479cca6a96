#include "db/korf_son_stys.h"

#include <utility>

namespace orb {

KORFSonSty& KORFSonStys::Add(std::int32_t songCode, std::int32_t styleProg, std::string songDesc,
                             std::string styleDesc, std::string songNote, std::string styleTempo,
                             std::string styleTranspose, const std::string& sKey) {
    return Add(KORFSonSty{styleProg, songCode, std::move(styleDesc), std::move(songDesc),
                          std::move(songNote), std::move(styleTempo), std::move(styleTranspose)},
               sKey);
}

}  // namespace orb
