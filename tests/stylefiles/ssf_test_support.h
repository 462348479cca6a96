#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/style_store.h"
#include "stylefiles/ssf_export.h"
#include "support/sty_file_builder.h"
#include "support/test_environment.h"

namespace orb::test {

// A part of `size` bytes holding every byte value, shifted by `seed`.
inline std::string everyByte(std::size_t size, int seed) {
    std::string part(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        part[i] = static_cast<char>((i + static_cast<std::size_t>(seed)) & 0xFF);
    }
    return part;
}

// A stored style with parts of 1000 + prog and 200 + prog bytes, descriptive texts that name
// it and Windows-1252 characters in its author, dated 2026/12/06.
inline StyleRow ssfStyle(std::int32_t prog, const std::string& name) {
    const std::string n = std::to_string(prog);
    const auto size = static_cast<std::size_t>(prog);
    return StyleRow(prog, name, "VAR " + n, 1000 + prog, 200 + prog, everyByte(1000 + size, prog),
                    makeChunk(192 + size, static_cast<std::uint32_t>(prog)), "2026/12/06",
                    "Description of " + n, "Group " + n, "Family " + n,
                    "USER0" + std::to_string(prog % 7) + ".STY", "Jos\xC3\xA9 \xE2\x82\xAC" + n);
}

class RecordingExportWindows : public SsfExportWindows {
public:
    void showLeftOut(const std::string& log) override { logs.push_back(log); }
    std::vector<std::string> logs;
};

}  // namespace orb::test
