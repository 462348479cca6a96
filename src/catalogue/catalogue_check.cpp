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

}  // namespace

bool CheckReport::damaged() const {
    return std::any_of(findings.begin(), findings.end(), [](const CheckFinding& finding) {
        return finding.kind == Kind::DamagedFile;
    });
}

std::size_t CheckReport::repairableCount() const {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [](const CheckFinding& finding) { return finding.repairable(); }));
}

std::string CheckReport::summary() const {
    if (healthy()) {
        return "The catalogue is healthy.";
    }
    if (damaged()) {
        return "The database file is damaged.";
    }
    const std::size_t repairable = repairableCount();
    return counted(findings.size(), "finding", "findings") + "; " +
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
    for (const std::vector<std::int32_t>& group : StyleStore(connection).sameContentGroups()) {
        report.findings.push_back(
            {Kind::SameContent,
             "Styles " + listedNumbers(group) +
                 " hold the same content. Look-alikes (Styles menu) keeps one of them and moves "
                 "the bank slots and song links of the others onto it."});
    }
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
