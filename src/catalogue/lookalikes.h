#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orb {

class AppState;
class Database;

// A style of a look-alike group, with what refers to it.
struct LookalikeStyle {
    std::int32_t StyleProg = 0;
    std::string StyleName1;
    std::string StyleDesc;
    std::string StyleFamily;
    int bankSlots = 0;
    int songLinks = 0;
    // Styles of a group with the same content share this number (1, 2 ...).
    int content = 0;
    // What tells the styles of a group apart: the file it came from, its import date, its
    // lengths, and six hexadecimal digits made from its content, equal for equal contents.
    std::string StyleFile{};
    std::string StyleDate{};
    std::int32_t StyleLength1 = 0;
    std::int32_t StyleLength2 = 0;
    std::string fingerprint{};
    bool operator==(const LookalikeStyle&) const = default;
};

// Styles a musician may take for one: variants of one name collected from different sources,
// one content stored under different names, or one style stored more than once (the same name
// and content, as importing a folder twice leaves).
struct LookalikeGroup {
    enum class Kind { SameNameOtherContent, SameContentOtherNames, SameNameSameContent };
    Kind kind;
    // "ROCK1: 3 styles, 2 contents", "The same content: ROCK1, ROCKY" or "ROCK1: 2 styles, the
    // same content".
    std::string title;
    std::vector<LookalikeStyle> styles;
    bool operator==(const LookalikeGroup&) const = default;
};

// "3FA90C": six hexadecimal digits made from both blocks, for a person to compare contents.
std::string contentFingerprint(const std::string& content1, const std::string& content2);

// Every look-alike group of the catalogue: first those of one name (in name order), then those
// of one content (by their first style), exact copies among them unless their name's group
// lists them already. A name counts without letter case and padding.
std::vector<LookalikeGroup> findLookalikes(Database& connection);

struct KeepOutcome {
    int slotsMoved = 0;
    int linksMoved = 0;
    int stylesDeleted = 0;
    std::string restorePointTime;
    // "Style 12 now stands in 3 bank slots and 2 song links of the others; 2 styles were
    // deleted (restore point of ...)."
    std::string summary(std::int32_t kept) const;
};

// The question asked before keepLookalike.
std::string keepQuestion(std::int32_t keep, const std::string& name,
                         const std::vector<std::int32_t>& others, bool deleteOthers);

// Keeps style `keep` and moves every bank slot and song link of `others` onto it (a song already
// linked to `keep` keeps that link); with `deleteOthers` the others are then deleted. Keeps a
// restore point first and does the rest in one transaction. Throws OrbError, nothing changed,
// when a style is not stored, `keep` is among the others, or a step fails.
KeepOutcome keepLookalike(AppState& state, std::int32_t keep,
                          const std::vector<std::int32_t>& others, bool deleteOthers);

}  // namespace orb
