#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <string_view>

#include "catalogue/style_filter.h"
#include "catalogue/style_list.h"
#include "cli/cli.h"
#include "cli/command_arguments.h"
#include "db/style_store.h"
#include "state/app_state.h"

namespace orb {
namespace {

// The option of each filter field and the sort key names, in the order of StyleColumn (the filter
// window's order).
constexpr std::array<const char*, 6> kOrderKeys = {"name",  "description", "family",
                                                   "group", "file",        "author"};

// Reads "KEY[:desc],KEY..." into sort keys; nothing on an unknown key or more keys than the
// filter has.
std::optional<std::vector<StyleSortKey>> readOrder(const std::string& text) {
    std::vector<StyleSortKey> order;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        std::string_view term = std::string_view(text).substr(start, end - start);
        bool descending = false;
        if (term.ends_with(":desc")) {
            term.remove_suffix(5);
            descending = true;
        }
        const auto found = std::find(kOrderKeys.begin(), kOrderKeys.end(), term);
        if (found == kOrderKeys.end() || order.size() >= StyleQuery::kMaxSortKeys) {
            return std::nullopt;
        }
        order.push_back({static_cast<StyleColumn>(found - kOrderKeys.begin()), descending});
        start = end + 1;
    }
    return order;
}

}  // namespace

// The catalogue as the styles window lists it, through the filter window's own rules.
CliCommand makeStylesCommand() {
    return CliCommand{
        "styles",
        "[--name T] [--description T] [--family T] [--group T] [--file T] [--author T] "
        "[--order KEY[,KEY...]]",
        "Lists the catalogue as the styles window does with that filter, one tab-separated "
        "line per style: number, name, description, family, group, author, date. A text with "
        "\"%\" matches as a pattern, any other text exactly (letter case aside). KEY is name, "
        "description, family, group, file or author, optionally followed by \":desc\".",
        CliCommand::DatabaseUse::OpenExisting,
        [](CliContext& context, const CommandArguments& args) {
            std::array<std::string, kStyleColumnCount> texts;
            for (std::size_t i = 0; i < texts.size(); ++i) {
                texts[i] = args.value(kOrderKeys[i]).value_or("");
            }
            const auto order = readOrder(args.value("order").value_or(""));
            if (args.has("order") && !order) {
                return usageError(context);
            }
            const StyleQuery query =
                filterQuery(texts, args.has("order") ? *order : std::vector<StyleSortKey>{});
            for (const StyleListRow& row : StyleStore(context.state.connection).list(query)) {
                context.out << row.StyleProg << '\t' << withoutNulls(row.StyleName1) << '\t'
                            << row.StyleDesc << '\t' << row.StyleFamily << '\t' << row.StyleCat
                            << '\t' << row.StyleAuthor << '\t' << row.StyleDate << '\n';
            }
            return kExitOk;
        }};
}

}  // namespace orb
