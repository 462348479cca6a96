#include "stylefiles/style_values.h"

#include "db/text_gate.h"

namespace orb {

std::string styleValueRefusal(std::size_t index, const std::string& value) {
    const TextPlace place(index == 3 ? "the imported bank" : "the imported styles");
    return textRefusal(*kStyleValueColumns.at(index), value, place).value_or("");
}

}  // namespace orb
