#pragma once

#include <vector>

#include "core/print_service.h"

namespace orb::test {

// Records what would be printed, one list of lines per job.
class RecordingPrinter : public PrintService {
public:
    bool print(const std::vector<PrintLine>& lines) override {
        printed.push_back(lines);
        return true;
    }
    std::vector<std::vector<PrintLine>> printed;
};

}  // namespace orb::test
