#include "db/db_korf_son_sty.h"

#include "db/access_support.h"

namespace orb {
namespace {

constexpr const char* kUpdateSql =
    "UPDATE KORFSonSty SET StyleTempo = pStyleTempo, StyleTranspose = pStyleTranspose, "
    "SongNote = pSongNote WHERE SongCode = pSongCode AND StyleProg = pStyleProg";

constexpr const char* kSelectSql =
    "SELECT * FROM KORFSonSty WHERE SongCode = pSongCode AND StyleProg = pStyleProg";

}  // namespace

bool DBKORFSonSty::InsKORFSonSty() {
    return runReportingFailure(clsKORFSonStyError, [&] {
        requireConnection(ActiveConnection)
            .execute(
                "INSERT INTO KORFSonSty (SongCode,StyleProg,StyleTempo,StyleTranspose,SongNote) "
                "VALUES (pSongCode,pStyleProg,pStyleTempo,pStyleTranspose,pSongNote)",
                {SongCode, StyleProg, StyleTempo.str(), StyleTranspose.str(), SongNote.str()});
        return true;
    });
}

bool DBKORFSonSty::UpdKORFSonSty() {
    return runReportingFailure(clsKORFSonStyError, [&] {
        Database& connection = requireConnection(ActiveConnection);
        // One statement, so that a refused note does not leave a new tempo behind.
        connection.execute(kUpdateSql, {StyleTempo.str(), StyleTranspose.str(), SongNote.str(),
                                        SongCode, StyleProg});
        return connection.changes() > 0;
    });
}

bool DBKORFSonSty::DelKORFSonSty() {
    return runReportingFailure(clsKORFSonStyError, [&] {
        requireConnection(ActiveConnection)
            .execute("DELETE FROM KORFSonSty WHERE SongCode = pSongCode AND StyleProg = pStyleProg",
                     {SongCode, StyleProg});
        return true;
    });
}

bool DBKORFSonSty::DelKORFSonStySong() {
    return runReportingFailure(clsKORFSonStyError, [&] {
        requireConnection(ActiveConnection)
            .execute("DELETE FROM KORFSonSty WHERE SongCode = pSongCode", {SongCode});
        return true;
    });
}

bool DBKORFSonSty::GetKORFSonSty() {
    return runReportingFailure(clsKORFSonStyError, [&] {
        Rows rows = requireConnection(ActiveConnection).query(kSelectSql, {SongCode, StyleProg});
        if (!rows.next()) {
            return false;
        }
        SongCode = static_cast<std::int32_t>(rows.integer("SongCode"));
        StyleProg = static_cast<std::int32_t>(rows.integer("StyleProg"));
        StyleTempo = rows.text("StyleTempo");
        StyleTranspose = rows.text("StyleTranspose");
        SongNote = rows.text("SongNote");
        return true;
    });
}

}  // namespace orb
