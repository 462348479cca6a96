#pragma once

#include <string>
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

    DumpBuilder& bank(std::vector<std::string> nineteenLines);
    DumpBuilder& song(int code, const std::string& title, const std::string& performer);
    DumpBuilder& link(int song, int style, const std::string& tempo, const std::string& transpose,
                      const std::string& note);
    DumpBuilder& style(const Style& style);

    // The whole file.
    std::string bytes() const;

private:
    std::vector<std::vector<std::string>> banks_;
    std::vector<std::vector<std::string>> songs_;
    std::vector<std::vector<std::string>> links_;
    std::vector<Style> styles_;
};

}  // namespace orb::test
