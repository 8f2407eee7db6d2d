// Whether two paths stand for one file: by identity where both reach a file,
// by name where not. A folder that ignores case, as vfat, CIFS and a macOS disk
// do, is faked by the identities it would give.
#include "support/work_folder_test.h"

#include "files/file_identity.h"

#include <map>

namespace {

using namespace kdx::test;
using kdx::files::FileIdentity;

#ifdef _WIN32
constexpr bool OnWindows = true;
#else
constexpr bool OnWindows = false;
#endif

TEST(SameFile, ByIdentityWhereBothExistAndByNameWhereNot)
{
    // A folder that ignores case, with KDX.cfg, a link to it and another file.
    const std::map<std::filesystem::path, FileIdentity> folder{
        {"KDX.cfg", {7, 1}}, {"kdx.cfg", {7, 1}}, {"KDX.CFG", {7, 1}}, {"link.cfg", {7, 1}}, {"other.cfg", {7, 2}}};
    const auto identity = [&folder](const std::filesystem::path &path) -> std::optional<FileIdentity> {
        const auto file = folder.find(path);
        return file == folder.end() ? std::nullopt : std::optional(file->second);
    };
    const struct {
        const char *a, *b;
        bool same;
    } cases[] = {
        {"KDX.cfg", "KDX.cfg", true},         {"kdx.cfg", "KDX.cfg", true},  // another case on a folder that ignores it
        {"link.cfg", "KDX.cfg", true},                                       // a link reaches the file
        {"other.cfg", "KDX.cfg", false},      {"new.cfg", "KDX.cfg", false}, // a new file is another
        {"gone/../new.cfg", "new.cfg", true}, {"kdx.CFG", "KDX.cfg2", false}, {"kdx.CFG", "KDX.cfg.new", false},
    };
    for (const auto &[a, b, same] : cases)
        EXPECT_EQ(kdx::files::sameFile(a, b, identity), same) << a << " and " << b;

    // Where neither exists, the system's rules for names decide.
    const auto nothing = [](const std::filesystem::path &) { return std::optional<FileIdentity>(); };
    EXPECT_EQ(kdx::files::sameFile("kdx.CFG", "KDX.cfg", nothing), OnWindows);
    EXPECT_EQ(kdx::files::sameFile("KDX.cfg. .", "KDX.cfg", nothing), OnWindows);
    EXPECT_FALSE(kdx::files::sameFile("KDX.cfg2", "KDX.cfg", nothing));
}

class FileIdentityOnDisk : public WorkFolderTest {};

TEST_F(FileIdentityOnDisk, LinksShareTheFilesIdentityACopyHasItsOwn)
{
    writeFile("KDX.cfg", "pause 5\r\n");
    writeFile("copy.cfg", "pause 5\r\n");
    std::filesystem::create_hard_link(folder / "KDX.cfg", folder / "hard.cfg");
    const auto identity = kdx::files::identityOf(folder / "KDX.cfg");
    ASSERT_TRUE(identity);
    EXPECT_EQ(kdx::files::identityOf(folder / "hard.cfg"), identity);
    EXPECT_NE(kdx::files::identityOf(folder / "copy.cfg"), identity);
    EXPECT_EQ(kdx::files::identityOf(folder / "gone.cfg"), std::nullopt);
#ifndef _WIN32 // making a symbolic link needs a privilege there
    std::filesystem::create_symlink("KDX.cfg", folder / "link.cfg");
    EXPECT_EQ(kdx::files::identityOf(folder / "link.cfg"), identity);
    EXPECT_TRUE(kdx::files::sameFile(folder / "link.cfg", folder / "KDX.cfg"));
#endif
}

} // namespace
