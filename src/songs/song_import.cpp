#include "songs/song_import.h"

#include <algorithm>

#include "core/text.h"
#include "core/user_dialogs.h"
#include "core/windows1252.h"
#include "db/db_korf_son_sty.h"
#include "db/db_korf_songs.h"
#include "db/transaction.h"
#include "songs/style_by_name.h"
#include "state/app_state.h"

namespace orb {
namespace {

[[noreturn]] void refuseLine(std::size_t index, const std::string& reason) {
    throw SongImportError("Line " + std::to_string(index + 1) + ": " + reason +
                          " Nothing of the song list has been stored.");
}

void requireWindows1252(std::size_t index, const SongLine& values) {
    for (const auto* value : {&values.title, &values.artist, &values.style, &values.tempo,
                              &values.transpose, &values.notes}) {
        if (!fitsWindows1252(*value)) {
            refuseLine(index, "\"" + *value +
                                  "\" holds characters that the keyboard's files cannot carry "
                                  "(Windows-1252 only).");
        }
    }
}

}  // namespace

SongImportSummary ImportSongLines(AppState& state, UserDialogs& dialogs,
                                  const std::vector<std::string>& lines,
                                  const SongImportOptions& options,
                                  const SongImportProgress& progress) {
    SongImportSummary summary;
    Transaction transaction(state.connection);
    DbKORFSongs songs(state.connection);
    DBKORFSonSty link(state.connection);
    // Inside the transaction only this run adds songs, so the next free code is counted on
    // instead of read again for every line.
    std::int32_t nextCode = songs.NextKORFSong();
    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (progress) {
            progress(static_cast<long long>(index), static_cast<long long>(lines.size()));
        }
        const SongLine values = splitSongLine(lines[index], options.separator, options.fields);
        if (trimmed(values.title).empty()) {
            continue;
        }
        requireWindows1252(index, values);
        songs.SongTitle = values.title;
        songs.SongPerformer = values.artist;
        if (songs.GetKORFSongsTP()) {
            const bool insert =
                options.duplicates == DuplicateSongs::Insert ||
                (options.duplicates == DuplicateSongs::Ask &&
                 dialogs.question("Song " + values.title +
                                  " already inside database. Would you like to insert it anyway?"));
            if (!insert) {
                continue;
            }
        } else if (!songs.clsKORFSongsError.empty()) {
            refuseLine(index, "the look-up of the song failed: " + songs.clsKORFSongsError + ".");
        }
        songs.SongCode = nextCode++;
        if (!songs.InsKORFSongs()) {
            refuseLine(index, "the song \"" + values.title +
                                  "\" cannot be stored: " + songs.clsKORFSongsError + ".");
        }
        ++summary.songs;
        if (trimmed(values.style).empty()) {
            continue;
        }
        const std::vector<std::int32_t> styles = StylesNamed(state.connection, values.style);
        if (styles.empty()) {
            summary.unmatchedStyles.push_back("line " + std::to_string(index + 1) + ": " +
                                              trimmed(values.style));
        }
        for (const std::int32_t style : styles) {
            link.SongCode = songs.SongCode;
            link.StyleProg = style;
            link.StyleTempo = values.tempo;
            link.StyleTranspose = values.transpose;
            link.SongNote = values.notes;
            if (!link.InsKORFSonSty()) {
                refuseLine(index, "the link of \"" + values.title + "\" to style " +
                                      std::to_string(style) +
                                      " cannot be stored: " + link.clsKORFSonStyError + ".");
            }
            ++summary.links;
        }
    }
    transaction.commit();
    if (progress) {
        progress(static_cast<long long>(lines.size()), static_cast<long long>(lines.size()));
    }
    return summary;
}

}  // namespace orb
