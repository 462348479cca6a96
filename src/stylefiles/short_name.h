#pragma once

#include <filesystem>
#include <string>

namespace orb {

// The short (8.3) name under which the catalogue records a file: the name itself, upper-cased,
// when it already fits 8.3; otherwise the first six letters or digits of the base, upper-cased,
// "~1", a dot and the first three characters of the extension, upper-cased
// ("My Rock Set.sty" gives "MYROCK~1.STY"). Never longer than 12 characters.
std::string shortFileName(const std::filesystem::path& path);

}  // namespace orb
