#pragma once

#include <string>
#include <utility>
#include <vector>

#include "db/database.h"

namespace orb::fuzz {

// Opens `database` in memory with the catalogue's tables and nothing in them.
void openEmptyCatalogue(Database& database);

// Fills an empty catalogue with two banks, three songs (one with a null title), links and four
// styles whose blocks hold line ends, one block empty and one longer than the key.
void fillSmallCatalogue(Database& database);

// Every row of the four tables, each value as its kind and text, rows sorted: two catalogues
// are equal when their snapshots are.
using CatalogueSnapshot = std::vector<std::vector<std::pair<std::size_t, std::string>>>;
CatalogueSnapshot snapshotOf(Database& database);

}  // namespace orb::fuzz
