// Feeds arbitrary bytes to the bank reader. Besides crashes, leaks and undefined behaviour it
// checks one property: every bank read, written again and read back, is the same bank.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "stylefiles/sty_reader.h"
#include "stylefiles/sty_writer.h"
#include "stylefiles/style_file_error.h"

namespace {

// The bank as a collection in which position i is slot i, empty records keeping free slots.
std::vector<orb::BankFileStyle> bySlot(const std::vector<orb::BankFileStyle>& styles) {
    std::vector<orb::BankFileStyle> result;
    for (const orb::BankFileStyle& style : styles) {
        while (static_cast<int>(result.size()) + 1 < style.slot) {
            result.push_back(orb::BankFileStyle{});
        }
        result.push_back(style);
    }
    return result;
}

void checkRoundTrip(const orb::StyleFileBank& bank) {
    std::ostringstream out;
    orb::writeStyleFile(out, bySlot(bank.styles), bank.bankNumber, "fuzz");
    std::istringstream in(out.str());
    const orb::StyleFileContents again = orb::readStyleFile(in, "fuzz");
    if (again.kind != orb::StyleFileKind::PaBank || again.banks.size() != 1) {
        std::abort();
    }
    const orb::StyleFileBank& back = again.banks.front();
    if (back.styles.size() != bank.styles.size() ||
        (!bank.styles.empty() && back.bankNumber != bank.bankNumber)) {
        std::abort();
    }
    for (std::size_t i = 0; i < bank.styles.size(); ++i) {
        if (!(back.styles[i] == bank.styles[i])) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    try {
        const orb::StyleFileContents contents = orb::readStyleFile(in, "fuzz");
        for (const orb::StyleFileBank& bank : contents.banks) {
            checkRoundTrip(bank);
        }
    } catch (const orb::StyleFileError&) {
        // A damaged file is refused with a message; that is the expected outcome.
    }
    return 0;
}
