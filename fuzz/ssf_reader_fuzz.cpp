// Feeds arbitrary bytes to the single style file reader. Besides crashes, leaks and undefined
// behaviour it checks one property: every style read, written again and read back, is the
// same style, and the second file equals the first byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "stylefiles/ssf_reader.h"
#include "stylefiles/ssf_writer.h"
#include "stylefiles/style_file_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    std::optional<orb::StyleRow> style;
    try {
        style = orb::readSsf(in, "fuzz");
    } catch (const orb::StyleFileError&) {
        return 0;  // a damaged file is refused with a message; that is the expected outcome
    }
    if (!style) {
        return 0;
    }
    std::ostringstream out;
    orb::writeSsf(out, *style, "fuzz");
    std::istringstream again(out.str());
    const std::optional<orb::StyleRow> back = orb::readSsf(again, "fuzz");
    if (!back || !(*back == *style)) {
        std::abort();
    }
    std::ostringstream rewritten;
    orb::writeSsf(rewritten, *back, "fuzz");
    if (rewritten.str() != out.str()) {
        std::abort();
    }
    return 0;
}
