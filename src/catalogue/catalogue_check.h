#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orb {

class AppState;
class Database;

// One thing the check found, told in one line with what to do about it.
struct CheckFinding {
    enum class Kind {
        DamagedFile,    // the engine's integrity check failed: nothing else is checked
        GoneBankSlot,   // a bank slot names a style that is no longer stored
        GoneLinkStyle,  // a song link names a style that is no longer stored
        WrongLengths,   // a style's stored lengths differ from its blocks
        UncarriedText,  // a text the keyboard's files cannot carry, or that holds a line break
        SameContent,    // styles stored more than once, byte for byte
    };
    Kind kind;
    std::string text;
    // For many findings of one kind told in one line: the findings behind it, a line each.
    std::vector<std::string> details{};

    // Repair mends it without losing a style.
    bool repairable() const {
        return kind == Kind::GoneBankSlot || kind == Kind::GoneLinkStyle ||
               kind == Kind::WrongLengths;
    }
    // How many findings the line stands for.
    std::size_t count() const { return details.empty() ? 1 : details.size(); }
    bool operator==(const CheckFinding&) const = default;
};

// More findings of one kind than this are told in one line, with the list behind it.
inline constexpr std::size_t kFindingsListedOneByOne = 10;

struct CheckReport {
    std::vector<CheckFinding> findings;

    bool damaged() const;
    bool healthy() const { return findings.empty(); }
    // How many findings, those behind a summarising line counted one by one.
    std::size_t count() const;
    std::size_t repairableCount() const;
    // "The catalogue is healthy." or how many findings there are and how many repair mends.
    std::string summary() const;
    // The command's exit status: 0 healthy, 1 findings, 2 a damaged file.
    int exitStatus() const;
};

// Checks the open catalogue: the file's integrity first (a damaged file stops the check), then
// bank slots and song links naming styles that are gone, stored lengths that differ from the
// blocks, texts that the keyboard's files cannot carry, and styles stored more than once. More
// than kFindingsListedOneByOne findings of one kind become one line ("2,402 styles are stored
// twice: ...") whose details list them.
CheckReport checkCatalogue(Database& connection);

// What a repair changed.
struct RepairOutcome {
    std::size_t slotsEmptied = 0;
    std::size_t linksCleared = 0;
    std::size_t lengthsSet = 0;
    // The restore point kept first, as "yyyy-mm-dd hh:mm:ss".
    std::string restorePointTime;

    // "Repaired: 2 bank slots emptied, 1 song link cleared, 1 style's lengths set (restore point
    // of 2026-12-06 10:00:00)." or that there was nothing to repair.
    std::string summary() const;
};

// Mends what can be mended without losing a style: takes styles that are gone out of the banks
// (later slots move up), keeps song links to them without a style, and sets stored lengths from
// the blocks. Keeps a restore point first, then does everything in one transaction; a damaged
// file is not touched. Throws OrbError (nothing changed) when the restore point or the
// transaction fails.
RepairOutcome repairCatalogue(AppState& state);

}  // namespace orb
