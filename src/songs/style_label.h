#pragma once

#include <cstdint>
#include <string>

namespace orb {

// A style as the song lists show it, so that styles of one name can be told apart: the name,
// then its number, description and family in brackets, each trimmed, an empty one left out:
// "ROCK1 (41, Hard rock, Rock)", "ROCK1 (96)".
std::string styleLabelText(const std::string& name, std::int32_t number,
                           const std::string& description, const std::string& family);

}  // namespace orb
