#pragma once

#include <string>
#include <utility>
#include <vector>

namespace orb::test {

// Builds dump files the way any writer of the format lays them out: CRLF lines, Windows-1252
// text, style blocks written raw by length.
class DumpBuilder {
public:
    struct Style {
        int prog;
        std::string name1, name2;  // Windows-1252 bytes
        std::string content1, content2;
        std::string date = "2004/01/15", desc = " ", cat = "POP", family = "8BEAT",
                    file = "USER01.STY", author = "ME";
    };

    DumpBuilder& bank(std::vector<std::string> nineteenLines) {
        banks_.push_back(std::move(nineteenLines));
        return *this;
    }
    DumpBuilder& song(int code, const std::string& title, const std::string& performer) {
        songs_.push_back({std::to_string(code), title, performer});
        return *this;
    }
    DumpBuilder& link(int song, int style, const std::string& tempo, const std::string& transpose,
                      const std::string& note) {
        links_.push_back({std::to_string(song), std::to_string(style), tempo, transpose, note});
        return *this;
    }
    DumpBuilder& style(const Style& s) {
        // The stored form: an empty block is a single blank with length 0; the key is the first
        // 250 bytes of the first block.
        const std::string c1 = s.content1.empty() ? " " : s.content1;
        const std::string c2 = s.content2.empty() ? " " : s.content2;
        styles_.push_back({std::to_string(s.prog), s.name1, s.name2,
                           std::to_string(s.content1.size()), std::to_string(s.content2.size()), c1,
                           c2, c1.substr(0, 250), s.date, s.desc, s.cat, s.family, s.file,
                           s.author});
        return *this;
    }

    // The whole file.
    std::string bytes() const {
        std::string out = "ORB BACKUP\r\n";
        const std::pair<const char*, const Table*> tables[] = {
            {"BANKS", &banks_}, {"SONGS", &songs_}, {"SONSTY", &links_}, {"STYLES", &styles_}};
        for (const auto& [table, rows] : tables) {
            out += std::string("TABLE KORF") + table + "\r\n##NR" + std::to_string(rows->size()) +
                   "\r\n";
            for (const std::vector<std::string>& row : *rows) {
                for (const std::string& value : row) {
                    out += value + "\r\n";
                }
            }
        }
        return out + "ORB BACKUP\r\n";
    }

private:
    using Table = std::vector<std::vector<std::string>>;
    Table banks_, songs_, links_, styles_;
};

}  // namespace orb::test
