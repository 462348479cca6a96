#pragma once

#include <string>

#include "core/errors.h"

namespace orb {

// A bank file that cannot be opened, read or written, or whose bytes are damaged. The message
// names the file and what is wrong with it.
class StyleFileError : public OrbError {
public:
    explicit StyleFileError(const std::string& message) : OrbError(message) {}
};

}  // namespace orb
