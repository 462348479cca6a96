#include "catalogue/lookalikes.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "core/ascii_text.h"
#include "core/text.h"
#include "db/bank_store.h"
#include "db/link_store.h"
#include "db/style_store.h"
#include "db/write_transaction.h"
#include "state/app_state.h"

namespace orb {
namespace {

using Kind = LookalikeGroup::Kind;

// A name as a person reads it: without the blanks and code-0 characters that pad it, in
// capitals.
std::string nameKey(const std::string& name) {
    return upperAscii(withoutPadding(name));
}

}  // namespace

std::string contentFingerprint(const std::string& content1, const std::string& content2) {
    // FNV-1a over both blocks, the first one's length between them so that bytes moved from one
    // block to the other give another print; folded to 24 bits.
    std::uint32_t hash = 2166136261u;
    const auto add = [&hash](std::string_view bytes) {
        for (const char byte : bytes) {
            hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
        }
    };
    add(content1);
    add(std::to_string(content1.size()));
    add(content2);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::uint32_t folded = (hash >> 24) ^ (hash & 0xFFFFFFu);
    std::string text(6, '0');
    for (int i = 5, value = static_cast<int>(folded); i >= 0; --i, value >>= 4) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    }
    return text;
}

namespace {

// What the look-alike groups are made of: every style's name and content, and how many bank
// slots and song links each has.
class LookalikeFinder {
public:
    explicit LookalikeFinder(Database& connection)
        : connection_(connection),
          sameContent_(StyleStore(connection).sameContentGroups()),
          slots_(BankStore(connection).slotCounts()),
          links_(LinkStore(connection).countsByStyle()) {
        // The styles of one content share the group's first number.
        for (const std::vector<std::int32_t>& group : sameContent_) {
            for (const std::int32_t style : group) {
                contentOf_[style] = group.front();
            }
        }
        for (const StyleName& style : StyleStore(connection).allNames()) {
            nameOf_[style.StyleProg] = style.StyleName1;
            byName_[nameKey(style.StyleName1)].push_back(style.StyleProg);
        }
    }

    // Names carried by styles of more than one content; the keys of the names listed are kept.
    void addSameNameGroups(std::vector<LookalikeGroup>& groups) {
        for (const auto& [key, members] : byName_) {
            std::vector<std::int32_t> contents;
            for (const std::int32_t style : members) {
                if (std::find(contents.begin(), contents.end(), content(style)) == contents.end()) {
                    contents.push_back(content(style));
                }
            }
            if (contents.size() < 2) {
                continue;
            }
            namesListed_.insert(key);
            LookalikeGroup group{
                Kind::SameNameOtherContent,
                withoutPadding(nameOf_[members.front()]) + ": " +
                    counted(static_cast<long long>(members.size()), "style", "styles") + ", " +
                    counted(static_cast<long long>(contents.size()), "content", "contents"),
                {}};
            for (const std::int32_t style : members) {
                const auto number = std::find(contents.begin(), contents.end(), content(style));
                group.styles.push_back(
                    member(style, static_cast<int>(number - contents.begin()) + 1));
            }
            groups.push_back(std::move(group));
        }
    }

    // Contents carried by several styles: under other names, or exact copies of one name that
    // no name's group lists already.
    void addSameContentGroups(std::vector<LookalikeGroup>& groups) {
        for (const std::vector<std::int32_t>& members : sameContent_) {
            std::vector<std::string> keys;
            std::string listed;
            for (const std::int32_t style : members) {
                const std::string key = nameKey(nameOf_[style]);
                if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
                    keys.push_back(key);
                    listed += (listed.empty() ? "" : ", ") + withoutPadding(nameOf_[style]);
                }
            }
            if (keys.size() < 2 && namesListed_.count(keys.front()) > 0) {
                continue;
            }
            LookalikeGroup group{Kind::SameContentOtherNames, "The same content: " + listed, {}};
            if (keys.size() < 2) {
                group = {Kind::SameNameSameContent,
                         listed + ": " +
                             counted(static_cast<long long>(members.size()), "style", "styles") +
                             ", the same content",
                         {}};
            }
            for (const std::int32_t style : members) {
                group.styles.push_back(member(style, 1));
            }
            groups.push_back(std::move(group));
        }
    }

private:
    std::int32_t content(std::int32_t style) const {
        const auto found = contentOf_.find(style);
        return found == contentOf_.end() ? style : found->second;
    }

    LookalikeStyle member(std::int32_t prog, int contentNumber) {
        LookalikeStyle style;
        style.StyleProg = prog;
        style.StyleName1 = withoutPadding(nameOf_[prog]);
        if (const auto row = StyleStore(connection_).find(prog)) {
            style.StyleDesc = trimmed(row->StyleDesc);
            style.StyleFamily = trimmed(row->StyleFamily);
            style.StyleFile = trimmed(row->StyleFile);
            style.StyleDate = trimmed(row->StyleDate);
            style.StyleLength1 = row->StyleLength1;
            style.StyleLength2 = row->StyleLength2;
            style.fingerprint = contentFingerprint(row->StyleContent1, row->StyleContent2);
        }
        const auto slot = slots_.find(prog);
        style.bankSlots = slot == slots_.end() ? 0 : slot->second;
        const auto link = links_.find(prog);
        style.songLinks = link == links_.end() ? 0 : link->second;
        style.content = contentNumber;
        return style;
    }

    Database& connection_;
    std::vector<std::vector<std::int32_t>> sameContent_;
    std::unordered_map<std::int32_t, int> slots_;
    std::unordered_map<std::int32_t, int> links_;
    std::unordered_map<std::int32_t, std::int32_t> contentOf_;
    std::unordered_map<std::int32_t, std::string> nameOf_;
    std::map<std::string, std::vector<std::int32_t>> byName_;
    std::set<std::string> namesListed_;
};

}  // namespace

std::vector<LookalikeGroup> findLookalikes(Database& connection) {
    LookalikeFinder finder(connection);
    std::vector<LookalikeGroup> groups;
    finder.addSameNameGroups(groups);
    finder.addSameContentGroups(groups);
    return groups;
}

namespace {

// The styles in the order given, each once: a style named twice is one style.
std::vector<std::int32_t> distinctStyles(const std::vector<std::int32_t>& styles) {
    std::vector<std::int32_t> distinct;
    for (const std::int32_t style : styles) {
        if (std::find(distinct.begin(), distinct.end(), style) == distinct.end()) {
            distinct.push_back(style);
        }
    }
    return distinct;
}

}  // namespace

std::string KeepOutcome::summary(std::int32_t kept) const {
    std::string text = "Style " + std::to_string(kept) + " now stands in " +
                       counted(slotsMoved, "bank slot", "bank slots") + " and " +
                       counted(linksMoved, "song link", "song links") + " of the others";
    if (stylesDeleted > 0) {
        text += "; " + counted(stylesDeleted, "style was", "styles were") + " deleted";
    }
    return text + " (restore point of " + restorePointTime + ").";
}

std::string keepQuestion(std::int32_t keep, const std::string& name,
                         const std::vector<std::int32_t>& given, bool deleteOthers) {
    const std::vector<std::int32_t> others = distinctStyles(given);
    std::string text = "Keep style " + std::to_string(keep) + " " + withoutPadding(name) +
                       " and move every bank slot and song link of " +
                       (others.size() == 1 ? "style " : "styles ") + listedNumbers(others) +
                       " onto it?";
    if (deleteOthers) {
        text += std::string(others.size() == 1 ? " That style is" : " Those styles are") +
                " deleted afterwards.";
    }
    return text + " ORB keeps a restore point first.";
}

KeepOutcome keepLookalike(AppState& state, std::int32_t keep,
                          const std::vector<std::int32_t>& given, bool deleteOthers) {
    const std::vector<std::int32_t> others = distinctStyles(given);
    Database& connection = state.connection;
    StyleStore styles(connection);
    if (others.empty()) {
        throw OrbError("Name at least one other style whose bank slots and song links move.");
    }
    if (std::find(others.begin(), others.end(), keep) != others.end()) {
        throw OrbError("Style " + std::to_string(keep) +
                       " is the one kept; it cannot also be one of the others.");
    }
    std::vector<std::int32_t> all = others;
    all.insert(all.begin(), keep);
    for (const std::int32_t style : all) {
        if (!styles.findWithoutBlocks(style)) {
            throw OrbError("There is no style " + std::to_string(style) + "; nothing was changed.");
        }
    }
    KeepOutcome outcome;
    const StepPoint point(state.restorePoints(), connection,
                          "keeping style " + std::to_string(keep) + " in place of " +
                              (others.size() == 1 ? "style " : "styles ") + listedNumbers(others));
    outcome.restorePointTime = point.time();
    WriteTransaction transaction(connection);
    BankStore banks(connection);
    LinkStore links(connection);
    for (const std::int32_t other : others) {
        outcome.slotsMoved += banks.replaceStyle(other, keep);
        outcome.linksMoved += links.moveStyle(other, keep);
        if (deleteOthers) {
            // Nothing refers to it any more: its slots and links are the kept style's now.
            styles.remove(other);
            ++outcome.stylesDeleted;
        }
    }
    transaction.commit();
    return outcome;
}

}  // namespace orb
