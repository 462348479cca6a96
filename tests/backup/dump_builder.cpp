#include "backup/dump_builder.h"

#include <algorithm>

namespace orb::test {
namespace {

void line(std::string& out, const std::string& text) {
    out += text + "\r\n";
}

void section(std::string& out, const char* header,
             const std::vector<std::vector<std::string>>& rows) {
    line(out, header);
    line(out, "##NR" + std::to_string(rows.size()));
    for (const auto& row : rows) {
        for (const auto& value : row) {
            line(out, value);
        }
    }
}

}  // namespace

DumpBuilder& DumpBuilder::bank(std::vector<std::string> nineteenLines) {
    banks_.push_back(std::move(nineteenLines));
    return *this;
}

DumpBuilder& DumpBuilder::song(int code, const std::string& title, const std::string& performer) {
    songs_.push_back({std::to_string(code), title, performer});
    return *this;
}

DumpBuilder& DumpBuilder::link(int song, int style, const std::string& tempo,
                               const std::string& transpose, const std::string& note) {
    links_.push_back({std::to_string(song), std::to_string(style), tempo, transpose, note});
    return *this;
}

DumpBuilder& DumpBuilder::style(const Style& style) {
    styles_.push_back(style);
    return *this;
}

std::string DumpBuilder::bytes() const {
    std::string out;
    line(out, "ORB BACKUP");
    section(out, "TABLE KORFBANKS", banks_);
    section(out, "TABLE KORFSONGS", songs_);
    section(out, "TABLE KORFSONSTY", links_);
    line(out, "TABLE KORFSTYLES");
    line(out, "##NR" + std::to_string(styles_.size()));
    for (const Style& s : styles_) {
        // The stored form: an empty block is a single blank with length 0.
        const std::string c1 = s.content1.empty() ? " " : s.content1;
        const std::string c2 = s.content2.empty() ? " " : s.content2;
        line(out, std::to_string(s.prog));
        line(out, s.name1);
        line(out, s.name2);
        line(out, std::to_string(s.content1.size()));
        line(out, std::to_string(s.content2.size()));
        line(out, c1);
        line(out, c2);
        line(out, c1.substr(0, std::min<std::size_t>(250, c1.size())));
        for (const std::string* value : {&s.date, &s.desc, &s.cat, &s.family, &s.file, &s.author}) {
            line(out, *value);
        }
    }
    line(out, "ORB BACKUP");
    return out;
}

}  // namespace orb::test
