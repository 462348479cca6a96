#include "catalogue/unlink_style_from_songs.h"

#include "db/database.h"

namespace orb {

void UnlinkStyleFromSongs(Database& database, std::int32_t styleProg) {
    if (styleProg == 0) {
        return;  // such links point at no style already
    }
    // The pair of song and style is the link's key: a link that would become a second
    // style-less link of its song is dropped instead.
    database.execute(
        "DELETE FROM KORFSONSTY WHERE STYLEPROG = pStyleProg AND SONGCODE IN "
        "(SELECT SONGCODE FROM KORFSONSTY WHERE STYLEPROG = pNoStyle)",
        {styleProg, std::int32_t{0}});
    database.execute(
        "UPDATE KORFSONSTY SET STYLEPROG= pNoStyle, STYLETEMPO = pStyleTempo, "
        "STYLETRANSPOSE = pStyleTranspose WHERE STYLEPROG = pStyleProg",
        {std::int32_t{0}, "", "", styleProg});
}

}  // namespace orb
