#include "catalogue/catalogue_check.h"

#include <algorithm>
#include <set>

#include "core/text.h"
#include "db/bank_store.h"
#include "db/catalogue_health.h"
#include "db/database.h"
#include "db/link_store.h"
#include "db/restore_points.h"
#include "db/style_store.h"
#include "db/write_transaction.h"
#include "state/app_state.h"

namespace orb {
namespace {

using Kind = CheckFinding::Kind;

// What to do about a text, by the table it stands in.
std::string adviceFor(const ColumnSize& column) {
    if (column.table == "KORFStyles") {
        return " Change it in the style's edit window (double-click the style in the styles "
               "window).";
    }
    if (column.table == "KORFBanks") {
        return " Load the bank and save it under a new name or description.";
    }
    if (column.table == "KORFSongs") {
        return " Change it in the song's edit window (songs window, Update).";
    }
    return " Change it in the song's links (songs window, Link to style).";
}

// What the engine finds wrong with the file; a file broken where the engine starts reading stops
// the integrity check itself, which is damage all the same.
std::vector<std::string> damageOf(Database& connection) {
    try {
        return integrityProblems(connection);
    } catch (const std::exception& failure) {
        return {failure.what()};
    }
}

// "2,402".
std::string withThousands(std::size_t number) {
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

// The one line that stands for `count` findings of `kind`; `twice`: every style stored more than
// once is stored exactly twice.
std::string summaryLine(Kind kind, std::size_t count, bool twice) {
    const std::string number = withThousands(count);
    switch (kind) {
        case Kind::DamagedFile:
            break;
        case Kind::GoneBankSlot:
            return number +
                   " bank slots hold styles that are no longer stored. Repair takes them out of "
                   "the banks (later slots move up).";
        case Kind::GoneLinkStyle:
            return number +
                   " song links name styles that are no longer stored. Repair keeps the links "
                   "without a style.";
        case Kind::WrongLengths:
            return number +
                   " styles have stored lengths that differ from their blocks. Repair sets the "
                   "lengths from the blocks.";
        case Kind::UncarriedText:
            return number +
                   " texts hold what the keyboard's files cannot carry or a line break; each line "
                   "of the list says where to change it.";
        case Kind::SameContent:
            return number + " styles are stored " + (twice ? "twice" : "more than once") +
                   ": Look-alikes (Styles menu) keeps one of each and moves the bank slots and "
                   "song links of the others onto it.";
    }
    return {};
}

// Many findings of one kind become one line with the list behind it, where the first stood.
std::vector<CheckFinding> summarised(std::vector<CheckFinding> findings, bool twice) {
    std::vector<CheckFinding> result;
    for (CheckFinding& finding : findings) {
        const auto first = std::find_if(result.begin(), result.end(), [&](const CheckFinding& f) {
            return f.kind == finding.kind;
        });
        const std::size_t many = static_cast<std::size_t>(
            std::count_if(findings.begin(), findings.end(),
                          [&](const CheckFinding& f) { return f.kind == finding.kind; }));
        if (many <= kFindingsListedOneByOne) {
            result.push_back(std::move(finding));
        } else if (first == result.end()) {
            result.push_back(
                {finding.kind, summaryLine(finding.kind, many, twice), {std::move(finding.text)}});
        } else {
            first->details.push_back(std::move(finding.text));
        }
    }
    return result;
}

}  // namespace

bool CheckReport::damaged() const {
    return std::any_of(findings.begin(), findings.end(), [](const CheckFinding& finding) {
        return finding.kind == Kind::DamagedFile;
    });
}

std::size_t CheckReport::count() const {
    std::size_t total = 0;
    for (const CheckFinding& finding : findings) {
        total += finding.count();
    }
    return total;
}

std::size_t CheckReport::repairableCount() const {
    std::size_t total = 0;
    for (const CheckFinding& finding : findings) {
        total += finding.repairable() ? finding.count() : 0;
    }
    return total;
}

std::string CheckReport::summary() const {
    if (healthy()) {
        return "The catalogue is healthy.";
    }
    if (damaged()) {
        return "The database file is damaged.";
    }
    const std::size_t repairable = repairableCount();
    if (count() == 1) {
        return repairable == 0 ? "1 finding; ORB cannot repair it."
                               : "1 finding; ORB can repair it.";
    }
    return counted(static_cast<long long>(count()), "finding", "findings") + "; " +
           (repairable == 0 ? std::string("none of them can be repaired by ORB.")
                            : std::to_string(repairable) + " of them can be repaired.");
}

int CheckReport::exitStatus() const {
    return healthy() ? 0 : damaged() ? 2 : 1;
}

CheckReport checkCatalogue(Database& connection) {
    CheckReport report;
    const std::vector<std::string> problems = damageOf(connection);
    if (!problems.empty()) {
        std::string text =
            "The database file " + connection.path().string() + " is damaged (" + problems.front();
        if (problems.size() > 1) {
            text += ", and more";
        }
        text += "). Bring back a restore point or a backup; nothing else was checked.";
        report.findings.push_back({Kind::DamagedFile, text});
        return report;
    }
    for (const GoneBankSlot& slot : bankSlotsOfGoneStyles(connection)) {
        report.findings.push_back(
            {Kind::GoneBankSlot,
             "Bank " + std::to_string(slot.BankProg) + " " + withoutPadding(slot.BankName) +
                 ": slot " + std::to_string(slot.slot) + " holds style " +
                 std::to_string(slot.StyleProg) +
                 ", which is no longer stored. Repair takes it out of the bank (later slots move "
                 "up)."});
    }
    for (const GoneLinkStyle& link : linksOfGoneStyles(connection)) {
        report.findings.push_back(
            {Kind::GoneLinkStyle,
             "Song " + std::to_string(link.SongCode) +
                 (link.SongTitle.empty() ? std::string() : " \"" + link.SongTitle + "\"") +
                 " is linked to style " + std::to_string(link.StyleProg) +
                 ", which is no longer stored. Repair keeps the link without a style."});
    }
    for (const WrongStyleLengths& style : stylesWithWrongLengths(connection)) {
        report.findings.push_back(
            {Kind::WrongLengths,
             "Style " + std::to_string(style.StyleProg) + " " + withoutPadding(style.StyleName1) +
                 ": its stored lengths (" + std::to_string(style.storedLength1) + ", " +
                 std::to_string(style.storedLength2) + ") differ from its blocks (" +
                 std::to_string(style.blockLength1) + ", " + std::to_string(style.blockLength2) +
                 "). Repair sets the lengths from the blocks."});
    }
    forEachStoredText(
        connection, [&](const ColumnSize& column, std::string_view text, const TextPlace& place) {
            if (const auto refusal = textRefusal(column, text, place)) {
                report.findings.push_back({Kind::UncarriedText, *refusal + adviceFor(column)});
            }
        });
    bool twice = true;
    for (const std::vector<std::int32_t>& group : StyleStore(connection).sameContentGroups()) {
        twice = twice && group.size() == 2;
        report.findings.push_back(
            {Kind::SameContent,
             "Styles " + listedNumbers(group) +
                 " hold the same content. Look-alikes (Styles menu) keeps one of them and moves "
                 "the bank slots and song links of the others onto it."});
    }
    report.findings = summarised(std::move(report.findings), twice);
    return report;
}

std::string RepairOutcome::summary() const {
    if (slotsEmptied + linksCleared + lengthsSet == 0) {
        return "There was nothing that ORB can repair.";
    }
    std::vector<std::string> parts;
    if (slotsEmptied > 0) {
        parts.push_back(counted(slotsEmptied, "bank slot", "bank slots") + " emptied");
    }
    if (linksCleared > 0) {
        parts.push_back(counted(linksCleared, "song link", "song links") + " cleared");
    }
    if (lengthsSet > 0) {
        parts.push_back(counted(lengthsSet, "style's lengths", "styles' lengths") + " set");
    }
    std::string text = "Repaired: ";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    }
    return text + " (restore point of " + restorePointTime + ").";
}

RepairOutcome repairCatalogue(AppState& state) {
    Database& connection = state.connection;
    RepairOutcome outcome;
    if (!damageOf(connection).empty()) {
        throw OrbError("The database file " + connection.path().string() +
                       " is damaged; ORB repairs nothing in it. Bring back a restore point or a "
                       "backup.");
    }
    const std::vector<GoneBankSlot> slots = bankSlotsOfGoneStyles(connection);
    const std::vector<GoneLinkStyle> links = linksOfGoneStyles(connection);
    const std::size_t lengths = stylesWithWrongLengths(connection).size();
    if (slots.empty() && links.empty() && lengths == 0) {
        return outcome;
    }
    const StepPoint point(state.restorePoints(), connection, "repairing the catalogue");
    outcome.restorePointTime = point.time();

    WriteTransaction transaction(connection);
    std::set<std::int32_t> goneInBanks;
    for (const GoneBankSlot& slot : slots) {
        goneInBanks.insert(slot.StyleProg);
    }
    BankStore banks(connection);
    for (const std::int32_t style : goneInBanks) {
        banks.removeStyle(style);
    }
    std::set<std::int32_t> goneInLinks;
    for (const GoneLinkStyle& link : links) {
        goneInLinks.insert(link.StyleProg);
    }
    LinkStore linkStore(connection);
    for (const std::int32_t style : goneInLinks) {
        linkStore.unlinkStyle(style);
    }
    outcome.lengthsSet = static_cast<std::size_t>(StyleStore(connection).setLengthsFromBlocks());
    transaction.commit();
    outcome.slotsEmptied = slots.size();
    outcome.linksCleared = links.size();
    return outcome;
}

}  // namespace orb
