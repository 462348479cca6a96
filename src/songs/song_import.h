#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "songs/song_list_file.h"

namespace orb {

class AppState;
class UserDialogs;

// A song list that could not be stored; nothing of it was kept. The message names the line and
// the reason (the database's own text when the database refused).
class SongImportError : public OrbError {
public:
    explicit SongImportError(const std::string& message) : OrbError(message) {}
};

// What to do with a song whose title and performer are stored already.
enum class DuplicateSongs { Ask, Skip, Insert };

struct SongImportOptions {
    char separator = ';';
    SongFieldChoices fields{};
    DuplicateSongs duplicates = DuplicateSongs::Ask;
};

struct SongImportSummary {
    int songs = 0;
    int links = 0;
    // "line N: NAME" for each line whose style name matched no stored style.
    std::vector<std::string> unmatchedStyles;
};

// "Song import ended: 120 songs and 131 links stored, 2 lines naming no stored style."
std::string songImportEnding(const SongImportSummary& summary);

// Called after each line with the lines done and the lines in all.
using SongImportProgress = std::function<void(long long done, long long total)>;

// Stores each line as a new song linked to every style of the line's style name, with the
// line's tempo, transposition and note, as one transaction: a song or link the database or the
// text gate refuses throws SongImportError naming the line and stores nothing. Lines without a
// title are passed over. Throws StoreError when the database fails outside a line or is in use.
SongImportSummary ImportSongLines(AppState& state, UserDialogs& dialogs,
                                  const std::vector<std::string>& lines,
                                  const SongImportOptions& options,
                                  const SongImportProgress& progress = {});

}  // namespace orb
