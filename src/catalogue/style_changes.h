#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"

namespace orb {

class Database;
class DbKORFStyle;

// A change to several styles that the database refused; the text carries the database's own
// error text. Nothing of the change was kept.
class StyleChangeError : public OrbError {
public:
    explicit StyleChangeError(const std::string& message) : OrbError(message) {}
};

// New values for the descriptive columns of styles; a column without a value stays as it is.
struct StyleColumnChanges {
    std::optional<std::string> StyleName1;
    std::optional<std::string> StyleDesc;
    std::optional<std::string> StyleFamily;
    std::optional<std::string> StyleCat;
    std::optional<std::string> StyleFile;
    std::optional<std::string> StyleAuthor;

    bool empty() const {
        return !StyleName1 && !StyleDesc && !StyleFamily && !StyleCat && !StyleFile && !StyleAuthor;
    }
    bool operator==(const StyleColumnChanges&) const = default;
};

// The labels under which a person types the six descriptive values, and the sizes of their
// columns in KORFStyles (name, description, family, group, file, author).
inline constexpr std::array<const char*, 6> kStyleFieldLabels = {
    "Name", "Description", "Family", "Group", "STY file name", "Author"};
inline constexpr std::array<int, 6> kStyleFieldLengths = {11, 250, 20, 20, 20, 50};

// The message for a text that the keyboard's files cannot carry, naming the field; nullopt when
// every character has a Windows-1252 byte.
std::optional<std::string> textRefusal(const std::string& label, const std::string& text);
// The first such message among the given values.
std::optional<std::string> textRefusal(const StyleColumnChanges& changes);

// Writes the changes into every listed style that exists, all in one transaction: when the
// database refuses any row, nothing changes and StyleChangeError carries its error text. Uses
// `access` as the row buffer, so it holds the last style written afterwards. Returns the number
// of styles written.
int ApplyGroupUpdate(Database& database, DbKORFStyle& access,
                     const std::vector<std::int32_t>& styles, const StyleColumnChanges& changes);

// Deletes each listed style from the catalogue, takes it out of every bank (later slots move
// up) and out of every song link (which then points at no style), all in one transaction: on a
// refusal nothing changes and StyleChangeError carries the database's error text.
void DeleteStylesEverywhere(Database& database, DbKORFStyle& access,
                            const std::vector<std::int32_t>& styles);

}  // namespace orb
