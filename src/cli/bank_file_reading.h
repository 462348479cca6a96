#pragma once

#include <string>
#include <vector>

#include "stylefiles/sty_reader.h"

namespace orb {

struct CliContext;

// Reads every bank of the file at `path` for a command. A file that is no Pa bank gets the
// import's log line on the command's output and false (exit with kExitNotABank); a file that
// cannot be read throws StyleFileError.
bool readBanksForCommand(CliContext& context, const std::string& path,
                         std::vector<StyleFileBank>& banks);

}  // namespace orb
