#include "songs/song_list_print.h"

#include "core/windows1252.h"

namespace orb {
namespace {

constexpr const char* kTitleFont = "ARIAL";
constexpr int kTitleSize = 12;
// A fixed-pitch font keeps the columns aligned.
constexpr const char* kListFont = "Courier New";
constexpr int kListSize = 8;

std::string listLine(const std::string& title, const std::string& performer,
                     const std::string& style, const std::string& tempo,
                     const std::string& transpose, const std::string& note) {
    return printColumn(title, 30) + printColumn(performer, 20) + printColumn(style, 11) +
           printColumn(tempo, 6) + printColumn(transpose, 6) + note;
}

}  // namespace

std::vector<PrintLine> SongListLines(const std::vector<SongGridRow>& rows) {
    std::vector<PrintLine> lines;
    lines.push_back({"Songs (" + std::to_string(rows.size()) + ")", kTitleFont, kTitleSize});
    lines.push_back({"", kListFont, kListSize});
    lines.push_back(
        {listLine("Title", "Performer", "Style", "Tempo", "Tran", "Notes"), kListFont, kListSize});
    for (const SongGridRow& row : rows) {
        lines.push_back({listLine(row.SongTitle, row.SongPerformer, row.StyleName1, row.StyleTempo,
                                  row.StyleTranspose, row.SongNote),
                         kListFont, kListSize});
    }
    return lines;
}

}  // namespace orb
