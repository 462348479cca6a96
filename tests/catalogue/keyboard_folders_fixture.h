#pragma once

#include <filesystem>

#include "bank_fixture.h"
#include "catalogue/setups.h"

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
    SetupChange saveSetup(const std::string& name, const std::string& description,
                          std::array<std::int32_t, 3> floppy, std::array<std::int32_t, 9> hardDisk,
                          SameNamedSetup same = SameNamedSetup::Keep) {
        return SaveSetup(env.state, {name, description, floppy, hardDisk}, same);
    }
};

}  // namespace orb::test
