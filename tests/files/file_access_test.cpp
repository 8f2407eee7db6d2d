// Reading whole files and replacing them atomically, with the failures a server
// meets: a full disk, a file changed by someone else, a folder in the way.
#include "support/work_folder_test.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

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
// write goes ahead.
TEST_F(FileAccess, WriteOnlyOverTheContentThatWasRead)
{
    const struct {
        const char *name;
        files::ContentAsRead asRead;
        std::optional<std::string> now;
        bool written;
    } cases[] = {
        {"unchanged", "old", "old", true},           {"changed", "old", "new", false},
        {"grown by a byte", "old", "old\n", false},  {"still missing", std::nullopt, std::nullopt, true},
        {"made meanwhile", std::nullopt, "", false}, {"deleted meanwhile", "old", std::nullopt, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(cfg());
        if (c.now)
            writeFile("KDX.cfg", *c.now);
        const auto failure = files::writeAtomically(cfg(), "saved", &c.asRead);
        EXPECT_EQ(!failure, c.written);
        EXPECT_TRUE(!failure || failure->changedSinceRead);
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

// A full disk, made by a file-size limit below the size of the write.
TEST_F(FileAccess, AFullDiskLeavesTheOldFileWhole)
{
    writeFile("KDX.cfg", "old\r\n");
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit lowered{4096, limit.rlim_max};
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    const auto failure = files::writeAtomically(cfg(), std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->reason, "File too large");
    EXPECT_EQ(readFile("KDX.cfg"), "old\r\n");
    EXPECT_EQ(folderListing(), "KDX.cfg");
}
#endif

TEST_F(FileAccess, AnUnwritableFileOrFolderIsReported)
{
    std::filesystem::create_directories(folder / "KDX.cfg");
    EXPECT_EQ(files::writeAtomically(cfg(), "new")->reason, "Is a directory");
    EXPECT_TRUE(files::writeAtomically(folder / "no folder" / "KDX.cfg", "new"));
    std::filesystem::remove(cfg());
    if (!permissionsIgnored.empty())
        GTEST_SKIP() << permissionsIgnored;
    writeFile("KDX.cfg", "old");
    makeReadOnly(folder);
    EXPECT_EQ(files::writeAtomically(cfg(), "new")->reason, "Permission denied");
    makeWritable(folder);
    EXPECT_EQ(readFile("KDX.cfg"), "old");
    EXPECT_EQ(folderListing(), "KDX.cfg");
}

} // namespace
