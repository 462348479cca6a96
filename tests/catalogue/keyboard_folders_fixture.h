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
    // Bank file `n` (from 1) of the floppy's set folder or of hard disk set `set` ("!123").
    std::filesystem::path floppyFile(int n) { return styleFileIn(floppy() / "ORB.SET", n); }
    std::filesystem::path hardDiskFile(const std::string& set, int n) {
        return styleFileIn(hardDisk() / (set + ".SET"), n);
    }
    static std::filesystem::path styleFileIn(const std::filesystem::path& set, int n) {
        return set / "STYLE" / ("USER0" + std::to_string(n) + ".STY");
    }
    SetupChange saveSetup(const std::string& name, const std::string& description,
                          std::array<std::int32_t, 3> floppy, std::array<std::int32_t, 9> hardDisk,
                          SameNamedSetup same = SameNamedSetup::Keep) {
        return SaveSetup(env.state, {name, description, floppy, hardDisk}, same);
    }
};

}  // namespace orb::test
