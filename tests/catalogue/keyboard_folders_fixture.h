#pragma once

#include <filesystem>

#include "bank_fixture.h"

namespace orb::test {

// The catalogue with banks 5 and 9, a floppy and a keyboard disk of the test's own, named in
// the parameters.
class KeyboardFoldersTest : public BankTest {
protected:
    void SetUp() override {
        BankTest::SetUp();
        std::filesystem::create_directories(floppy());
        std::filesystem::create_directories(hardDisk());
        env.state.FloppyPath = floppy().string();
        env.state.PaHardDiskPath = hardDisk().string();
    }
    std::filesystem::path floppy() { return env.dir / "floppy"; }
    std::filesystem::path hardDisk() { return env.dir / "pa-disk"; }
};

}  // namespace orb::test
