#include "db/sql_parameters.h"

#include <cctype>
#include <vector>

namespace orb {
namespace {

bool isIdentifierStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool isIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// A parameter name is a lower-case "p" followed by an upper-case letter: pStyleProg, pSongCode.
bool isParameterName(std::string_view word) {
    return word.size() >= 2 && word[0] == 'p' && std::isupper(static_cast<unsigned char>(word[1]));
}

}  // namespace

PositionalSql toPositionalParameters(std::string_view sql) {
    PositionalSql result;
    result.text.reserve(sql.size());
    std::vector<std::string_view> names;
    std::size_t pos = 0;
    while (pos < sql.size()) {
        const char c = sql[pos];
        if (c == '\'' || c == '"' || c == '[' || c == '`') {
            const char close = c == '[' ? ']' : c;
            std::size_t end = pos + 1;
            while (end < sql.size()) {
                if (sql[end] == close) {
                    // A doubled quote inside a literal is an escaped quote.
                    if (close != ']' && end + 1 < sql.size() && sql[end + 1] == close) {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
            end = end < sql.size() ? end + 1 : end;
            result.text.append(sql.substr(pos, end - pos));
            pos = end;
        } else if (isIdentifierStart(c)) {
            std::size_t end = pos + 1;
            while (end < sql.size() && isIdentifierChar(sql[end])) {
                ++end;
            }
            const std::string_view word = sql.substr(pos, end - pos);
            if (isParameterName(word)) {
                std::size_t index = 0;
                while (index < names.size() && names[index] != word) {
                    ++index;
                }
                if (index == names.size()) {
                    names.push_back(word);
                }
                result.text += '?';
                result.text += std::to_string(index + 1);
            } else {
                result.text.append(word);
            }
            pos = end;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            // Keep numbers such as 1e5 or 0x1F whole, so that no letter inside them is taken
            // for the start of a name.
            std::size_t end = pos + 1;
            while (end < sql.size() && isIdentifierChar(sql[end])) {
                ++end;
            }
            result.text.append(sql.substr(pos, end - pos));
            pos = end;
        } else {
            result.text += c;
            ++pos;
        }
    }
    result.parameterCount = static_cast<int>(names.size());
    return result;
}

}  // namespace orb
