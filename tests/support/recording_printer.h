#pragma once

#include <string>
#include <vector>

#include "core/print_service.h"

namespace orb::test {

// Records what would be printed, one list of lines per job.
class RecordingPrinter : public PrintService {
public:
    bool print(const std::vector<PrintLine>& lines, const std::string& title) override {
        printed.push_back(lines);
        titles.push_back(title);
        return true;
    }
    std::vector<std::vector<PrintLine>> printed;
    std::vector<std::string> titles;
};

}  // namespace orb::test
