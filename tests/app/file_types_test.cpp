#include <gtest/gtest.h>

#include <QMimeDatabase>
#include <filesystem>

#include "app/file_to_open.h"
#include "backup/dump_writer.h"
#include "support/ssf_file_builder.h"
#include "support/sty_file_builder.h"
#include "support/test_environment.h"

namespace orb {
namespace {

// data/orb-mime.xml through Qt's reader (a TeX .sty is checked in the package test).
TEST(FileTypes, ABankASingleStyleAndABackupAreKnownByNameAndByContentAndOpened) {
    test::TestEnvironment env;
    env.openFreshDatabase();
    const std::filesystem::path share = env.dir / "share";
    std::filesystem::create_directories(share / "mime" / "packages");
    std::filesystem::copy_file(ORB_DATA_DIR "/orb-mime.xml", share / "mime/packages/orb.xml");
    // Read before the first use of the MIME database in this process.
    qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(share.string() + ":/usr/share"));

    const std::string bank =
        test::StyFileBuilder().style(3, "ROCK", test::makeChunk(40, 7), "", "", 9).bytes();
    const std::string single = test::ssfBytes(test::ssfFields(
        "BEAT", "", "12345", "", {"Ann", "Pop", "Beat", "Drums", "A.STY"}, "2026/12/06"));
    const std::filesystem::path dumpFile = env.dir / "catalogue.odd";
    writeDumpFile(env.state.connection, dumpFile);
    const std::string dump = test::readFile(dumpFile);

    const struct {
        const char* name;
        std::string bytes;
        const char* type;
    } cases[] = {
        {"USER01.STY", bank, "application/x-korg-pa-style-bank"},
        {"bank.data", bank, "application/x-korg-pa-style-bank"},
        {"beat.data", single, "application/x-orb-single-style"},
        {"BEAT.SSF", single, "application/x-orb-single-style"},
        {"monday.data", dump, "application/x-orb-backup"},
        {"monday.ODD", "not read: the name says it", "application/x-orb-backup"},
    };
    QMimeDatabase types;
    for (const auto& c : cases) {
        test::writeFile(env.dir / c.name, c.bytes);
        const QString path = QString::fromStdString((env.dir / c.name).string());
        EXPECT_EQ(types.mimeTypeForFile(path).name().toStdString(), c.type) << c.name;
    }
    // Each type says in plain words what it is.
    EXPECT_EQ(types.mimeTypeForName("application/x-korg-pa-style-bank").comment().toStdString(),
              "Korg Pa60/Pa80 style bank");

    // A file to open must be readable and of a kind ORB opens.
    test::writeFile(env.dir / "Gig.sty", "bytes");
    test::writeFile(env.dir / "Beat.SSF", "bytes");
    test::writeFile(env.dir / "Monday.Odd", "bytes");
    test::writeFile(env.dir / "notes.txt", "bytes");
    std::filesystem::create_directories(env.dir / "Folder.STY");
    const std::string dir = env.dir.path().string();
    const struct {
        std::string name;
        std::optional<FileToOpen::Kind> kind;
        std::string message;
    } toOpen[] = {
        {"Gig.sty", FileToOpen::Kind::Bank, ""},
        {"Beat.SSF", FileToOpen::Kind::SingleStyle, ""},
        {"Monday.Odd", FileToOpen::Kind::Dump, ""},
        {"Gone.STY", std::nullopt, "The file " + dir + "/Gone.STY does not exist."},
        {"Folder.STY", std::nullopt,
         "The file " + dir + "/Folder.STY cannot be read: it is a folder."},
        {"notes.txt", std::nullopt,
         "ORB does not open " + dir + "/notes.txt: it opens .STY, .SSF and .ODD files."},
    };
    for (const auto& c : toOpen) {
        env.dialogs.clear();
        const std::string path = dir + "/" + c.name;
        const std::optional<FileToOpen> file = fileToOpen(path, env.dialogs);
        ASSERT_EQ(file.has_value(), c.kind.has_value()) << c.name;
        if (file) {
            EXPECT_EQ(file->kind, *c.kind) << c.name;
            EXPECT_EQ(file->path, path);
            EXPECT_TRUE(env.dialogs.calls().empty()) << c.name;
        } else {
            ASSERT_EQ(env.dialogs.messages(), std::vector<std::string>{c.message});
            EXPECT_EQ(env.dialogs.calls()[0].icon, UserDialogs::Icon::Critical);
        }
    }
}

}  // namespace
}  // namespace orb
