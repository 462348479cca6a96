#include "songs/style_label.h"

#include "core/text.h"

namespace orb {

std::string styleLabelText(const std::string& name, std::int32_t number,
                           const std::string& description, const std::string& family) {
    std::string shown = name;
    std::erase(shown, '\0');
    std::string label = trimmed(shown) + " (" + std::to_string(number);
    for (const std::string& part : {trimmed(description), trimmed(family)}) {
        if (!part.empty()) {
            label += ", " + part;
        }
    }
    return label + ")";
}

std::string styleLabelText(const StyleLabels& labels, const std::string& name,
                           std::int32_t number) {
    const auto known = labels.find(number);
    return known == labels.end()
               ? styleLabelText(name, number, "", "")
               : styleLabelText(name, number, known->second.StyleDesc, known->second.StyleFamily);
}

}  // namespace orb
