#pragma once

#include <cstdint>
#include <string>

namespace orb {
class Database;
}

namespace orb::test {

// Stores a catalogue row with the given descriptive columns and a small content of its own.
void addStyle(Database& db, std::int32_t prog, const std::string& name,
              const std::string& desc = "", const std::string& family = "",
              const std::string& cat = "", const std::string& author = "");

}  // namespace orb::test
