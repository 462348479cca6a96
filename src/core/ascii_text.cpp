#include "core/ascii_text.h"

namespace orb {

std::string upperAscii(std::string text) {
    for (char& c : text) {
        c = upperAscii(c);
    }
    return text;
}

}  // namespace orb
