#pragma once

#include <span>
#include <string>
#include <vector>

#include "db/database.h"
#include "db/text_gate.h"

namespace orb {

// The tables of the catalogue, in the order a dump file holds them; set-ups only when there are
// any.
enum class CatalogueTable { Banks, Songs, Links, Styles, Setups };

// The table's name: "KORFBanks" ...
const char* tableName(CatalogueTable table);

// The dump's reads and writes of whole tables. The dump keeps every column as it is stored,
// nulls included, and checks the tables' columns against its format, so it reads the rows as
// the engine gives them rather than as the stores' typed rows.

// How many rows the table holds.
long long countStoredRows(Database& database, CatalogueTable table);

// Every row of the table with every column in table order, in the dump's order: banks by number
// and name, songs by code, links by song and style, styles by number, set-ups by name.
Rows readStoredRows(Database& database, CatalogueTable table);

// A row's place in a refusal, named by its key columns (the values in table order): "bank 3",
// "song 5", "the link of song 5 to style 7", "set-up Gig", "style 4".
TextPlace placeOfRow(CatalogueTable table, std::span<const SqlParam> values);

// Stores rows read from a dump into one of the tables banks, songs, links and set-ups, each
// row's values in the table's column order. Every text passes the text gate, the row named by
// its key ("bank 3", "song 5", "the link of song 5 to style 7", "set-up Gig"). Styles are stored
// through StyleStore.
class RestoredRows {
public:
    RestoredRows(Database& database, CatalogueTable table);

    // The table's columns as the database holds them.
    const std::vector<std::string>& columns() const { return columns_; }
    // Throws StoreError when a text is refused or the database refuses the row.
    void insert(std::span<const SqlParam> values);

private:
    Database& database_;
    CatalogueTable table_;
    std::vector<std::string> columns_;
    std::string insertSql_;
};

}  // namespace orb
