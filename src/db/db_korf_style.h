#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/korf_style.h"
#include "db/database.h"

namespace orb {

// The columns of one row of KORFStyles: the style itself (number, names, lengths, blocks), its
// search key and its descriptive values. Blocks and key are bytes, one char per byte, never
// converted.
struct KORFStylesRow : KORFStyle {
    std::string StyleSeek;
    std::string StyleDate;
    std::string StyleDesc;
    std::string StyleCat;
    std::string StyleFamily;
    std::string StyleFile;
    std::string StyleAuthor;

    bool operator==(const KORFStylesRow&) const = default;
};

// Access to table KORFStyles: one style row held in the column properties, moved to and from
// the table by the operations. The Boolean operations report a database failure only through
// their result and clsKORFStylesError ("<code> <message>", cleared at the start of each);
// GetKORFStylesByContent and NextKORFStyle let it through as DbError.
class DbKORFStyle : public KORFStylesRow {
public:
    DbKORFStyle() = default;
    explicit DbKORFStyle(Database& connection) : ActiveConnection(&connection) {}

    Database* ActiveConnection = nullptr;
    std::string clsKORFStylesError;

    // Inserts the row. An empty block is stored as a single blank, and StyleSeek becomes the
    // first 250 bytes of StyleContent1; both changes stay in the properties.
    bool InsKORFStyles();
    // Writes the ten descriptive columns of row StyleProg; false without error text when there
    // is no such row. The blocks and the key are left alone.
    bool UpdKORFStyles();
    // Rewrites the two blocks and the key of row StyleProg with the rules of InsKORFStyles
    // (used when an import overwrites a style of the same name); false without error text when
    // there is no such row.
    bool UpdKORFStylesContent();
    // Deletes row StyleProg; true also when there was none.
    bool DelKORFStyles();
    // Loads every column of row StyleProg; StyleSeek is made from the loaded first block.
    // False without error text, and the properties unchanged, when there is no such row.
    bool GetKORFStyles();
    // Every row whose StyleName1 equals the property (letter case ignored), with all columns;
    // nothing on failure, with the error text set.
    std::optional<std::vector<KORFStylesRow>> GetKORFStylesByName();
    // As GetKORFStyles without reading the blocks: both blocks and the key become " ".
    bool GetKORFStylesNoContent();
    // StyleProg of a stored style whose two blocks equal these byte for byte, or -1. Sets
    // StyleSeek to the key of the first block; the candidates are the styles whose key starts
    // with the same kStyleSeekKeyBytes bytes, found through the schema's index. An empty block
    // matches a stored " ", the form in which InsKORFStyles stores it.
    std::int32_t GetKORFStylesByContent(std::string_view content1, std::string_view content2);
    // The largest StyleProg plus 1, or 1 for an empty table. An import reads it once per run.
    std::int32_t NextKORFStyle();
};

}  // namespace orb
