#include <algorithm>
#include <ostream>

#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "cli/console_dialogs.h"
#include "core/ascii_text.h"
#include "db/song_store.h"
#include "songs/song_deletion.h"
#include "songs/song_import.h"
#include "songs/songs_controller.h"
#include "state/app_state.h"

namespace orb {
namespace {

// The names of --fields, in the order of SongField.
constexpr std::array<const char*, 7> kFieldNames = {"skip",  "title",     "artist", "style",
                                                    "tempo", "transpose", "notes"};

bool readFields(const std::string& text, SongFieldChoices& fields) {
    fields.fill(SongField::Skip);
    std::size_t index = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string name = text.substr(start, end - start);
        const auto found = std::find(kFieldNames.begin(), kFieldNames.end(), name);
        if (found == kFieldNames.end() || index >= fields.size()) {
            return false;
        }
        fields[index++] = static_cast<SongField>(found - kFieldNames.begin());
        start = end + 1;
    }
    return true;
}

int importSongs(CliContext& context, const CommandArguments& args) {
    const std::string& file = args.positional()[0];
    SongImportOptions options;
    const auto fields = args.value("fields");
    const auto separator = args.value("separator");
    const std::string duplicates = args.value("duplicates").value_or("skip");
    options.duplicates = duplicates == "insert" ? DuplicateSongs::Insert : DuplicateSongs::Skip;
    if (separator) {
        options.separator = separator->empty() ? '\0' : separator->front();
    }
    if (!fields || !readFields(*fields, options.fields) || (separator && separator->size() != 1) ||
        (duplicates != "skip" && duplicates != "insert")) {
        return usageError(context);
    }
    const auto has = [&](SongField field) {
        return std::find(options.fields.begin(), options.fields.end(), field) !=
               options.fields.end();
    };
    if (!has(SongField::Title) || !has(SongField::Style)) {
        context.err << "WARNING: song title and style name are mandatory!\n";
        return kExitUsage;
    }
    const SongImportSummary summary =
        ImportSongLines(context.state, context.dialogs, readSongList(file), options);
    for (const std::string& line : summary.unmatchedStyles) {
        context.err << "No stored style has the style name of " << line << "\n";
    }
    context.out << songImportEnding(summary) << "\n";
    return kExitOk;
}

int deleteSongs(CliContext& context, const CommandArguments& args) {
    const auto codes = args.numbers();
    if (!codes) {
        return usageError(context);
    }
    const SongDeletion deletion = DeleteSongs(context.state, *codes);
    if (!deletion.deleted) {
        context.err << deletion.refusal << "\n";
        return kExitFailure;
    }
    context.out << codes->size() << (codes->size() == 1 ? " song" : " songs") << " deleted\n";
    return kExitOk;
}

}  // namespace

CliCommand makeSongsCommand() {
    return CliCommand{
        "songs", "",
        "Prints the song grid, one tab-separated line per row: code, title, performer, style "
        "number, style name, tempo, transposition, note.",
        CliCommand::DatabaseUse::OpenExisting, [](CliContext& context, const CommandArguments&) {
            for (const SongGridRow& row : SongStore(context.state.connection).grid({})) {
                context.out << row.SongCode << '\t' << row.SongTitle << '\t' << row.SongPerformer
                            << '\t' << row.StyleProg << '\t' << row.StyleName1 << '\t'
                            << row.StyleTempo << '\t' << row.StyleTranspose << '\t' << row.SongNote
                            << '\n';
            }
            return kExitOk;
        }};
}

CliCommand makeSongImportCommand() {
    return CliCommand{
        "song-import", "FILE --fields F1,F2,... [--separator C] [--duplicates skip|insert]",
        "Imports a song list: each line a song, linked to every style of its style name. "
        "Fields are title, artist, style, tempo, transpose, notes or skip, in the order of the "
        "line's fields; a song already stored is skipped (default) or inserted again. When the "
        "database refuses a line, nothing of the list is stored.",
        CliCommand::DatabaseUse::OpenExisting, importSongs};
}

CliCommand makeSongDeleteCommand() {
    return CliCommand{"song-delete", "SONG...",
                      "Deletes the songs numbered SONG... and their links, all at once or not at "
                      "all.",
                      CliCommand::DatabaseUse::OpenExisting, deleteSongs};
}

}  // namespace orb
