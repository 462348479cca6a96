#include "db/db_korf_songs.h"

#include "db/access_support.h"

namespace orb {
namespace {

constexpr const char* kSelectSql = "SELECT * FROM KORFSongs WHERE SongCode = pSongCode";

// Title and performer are bound, so that an apostrophe in them is looked up like any other
// character.
constexpr const char* kSelectByTitlePerformerSql =
    "SELECT * FROM KORFSongs WHERE SongTitle = pSongTitle AND  SongPerformer = pSongPerformer";

}  // namespace

bool DbKORFSongs::InsKORFSongs() {
    return runReportingFailure(clsKORFSongsError, [&] {
        requireConnection(ActiveConnection)
            .execute(
                "INSERT INTO KORFSongs (SongCode,SongTitle,SongPerformer) VALUES "
                "(pSongCode,pSongTitle,pSongPerformer)",
                {SongCode, SongTitle, SongPerformer});
        return true;
    });
}

bool DbKORFSongs::UpdKORFSongs() {
    return runReportingFailure(clsKORFSongsError, [&] {
        Database& connection = requireConnection(ActiveConnection);
        // One statement, so that a refused performer does not leave a new title behind.
        connection.execute(
            "UPDATE KORFSongs SET SongTitle = pSongTitle, SongPerformer = pSongPerformer WHERE "
            "SongCode = pSongCode",
            {SongTitle, SongPerformer, SongCode});
        return connection.changes() > 0;
    });
}

bool DbKORFSongs::DelKORFSongs() {
    return runReportingFailure(clsKORFSongsError, [&] {
        requireConnection(ActiveConnection)
            .execute("DELETE FROM KORFSongs WHERE SongCode = pSongCode", {SongCode});
        return true;
    });
}

bool DbKORFSongs::GetKORFSongs() {
    return runReportingFailure(clsKORFSongsError, [&] {
        Rows rows = requireConnection(ActiveConnection).query(kSelectSql, {SongCode});
        if (!rows.next()) {
            return false;
        }
        const auto code = static_cast<std::int32_t>(rows.integer("SongCode"));
        std::string title = rows.text("SongTitle");
        std::string performer = rows.text("SongPerformer");
        SongCode = code;
        SongTitle = std::move(title);
        SongPerformer = std::move(performer);
        return true;
    });
}

bool DbKORFSongs::GetKORFSongsTP() {
    if (SongPerformer.find_first_not_of(' ') == std::string::npos) {
        return false;
    }
    return runReportingFailure(clsKORFSongsError, [&] {
        Rows rows = requireConnection(ActiveConnection)
                        .query(kSelectByTitlePerformerSql, {SongTitle, SongPerformer});
        return rows.next();
    });
}

std::int32_t DbKORFSongs::NextKORFSong() {
    return nextNumber(requireConnection(ActiveConnection),
                      "SELECT MAX(SongCode) AS MAXPROG FROM KORFSongs");
}

}  // namespace orb
