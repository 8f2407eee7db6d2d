// Reading whole files and replacing them atomically, only over the content that
// was read. The reason of each failed write is named by the platform test, as
// QtPlatform writes through this library.
#include "support/work_folder_test.h"

namespace {

using namespace kdx::test;

class FileAccess : public WorkFolderTest {
protected:
    std::filesystem::path cfg() const { return folder / "KDX.cfg"; }
};

TEST_F(FileAccess, ReadGivesEveryByteOrTheReason)
{
    const std::string bytes("a\0b\r\n\xff\xfe", 7);
    writeFile("KDX.cfg", bytes);
    EXPECT_EQ(std::get<std::string>(files::readWhole(cfg())), bytes);

    const auto missing = std::get<files::Failure>(files::readWhole(folder / "gone.cfg"));
    EXPECT_TRUE(missing.missing);
    EXPECT_EQ(missing.reason, "No such file or directory");
    std::filesystem::create_directories(folder / "sub");
    EXPECT_FALSE(std::get<files::Failure>(files::readWhole(folder / "sub")).missing);
}

TEST_F(FileAccess, WriteReplacesTheWholeFileAndLeavesNothingBeside)
{
    writeFile("KDX.cfg", std::string(100000, 'x'));
    EXPECT_FALSE(files::writeAtomically(cfg(), "short\r\n"));
    EXPECT_EQ(readFile("KDX.cfg"), "short\r\n");
    EXPECT_FALSE(files::writeAtomically(folder / files::pathFromUtf8("K\xc3\xa4se \xe2\x82\xac.cfg"), "new"));
    EXPECT_EQ(folderListing(), "KDX.cfg K\xc3\xa4se \xe2\x82\xac.cfg");
}

// Each case: what the file held when it was read, what it holds now, whether the
// write goes ahead, and else whether the refusal says the file is gone.
TEST_F(FileAccess, WriteOnlyOverTheContentThatWasRead)
{
    const struct {
        const char *name;
        files::ContentAsRead asRead;
        std::optional<std::string> now;
        bool written;
        bool gone = false;
    } cases[] = {
        {"unchanged", "old", "old", true},           {"changed", "old", "new", false},
        {"grown by a byte", "old", "old\n", false},  {"still missing", std::nullopt, std::nullopt, true},
        {"made meanwhile", std::nullopt, "", false}, {"deleted meanwhile", "old", std::nullopt, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(cfg());
        if (c.now)
            writeFile("KDX.cfg", *c.now);
        const auto failure = files::writeAtomically(cfg(), "saved", &c.asRead);
        EXPECT_EQ(!failure, c.written);
        EXPECT_TRUE(!failure || (failure->changedSinceRead && failure->missing == c.gone && !failure->unreadableNow));
        EXPECT_EQ(readFile("KDX.cfg"), c.written ? "saved" : c.now.value_or("(unreadable)"));
        EXPECT_EQ(folderListing(), c.written || c.now ? "KDX.cfg" : "");
    }
}

#ifndef _WIN32
TEST_F(FileAccess, WriteKeepsPermissionsAndFollowsALink)
{
    writeFile("KDX.cfg", "old");
    std::filesystem::permissions(cfg(), std::filesystem::perms(0751));
    std::filesystem::create_symlink("KDX.cfg", folder / "link.cfg");
    EXPECT_FALSE(files::writeAtomically(folder / "link.cfg", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.cfg"));
    EXPECT_EQ(readFile("KDX.cfg"), "new");
    EXPECT_EQ(std::filesystem::status(cfg()).permissions(), std::filesystem::perms(0751));
}
#endif

} // namespace
