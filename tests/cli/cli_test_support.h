#pragma once

#include "files/file_access.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace kdx::test {

namespace files = kdx::files;

// Each test works in a fresh folder of its own under the build tree.
class WorkFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = files::pathFromUtf8(KDX_CLI_WORK_DIR) / (std::string(test->test_suite_name()) + "." + test->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }

    void writeFile(const std::string &name, const std::string &bytes) const
    {
        ASSERT_FALSE(files::writeAtomically(folder / files::pathFromUtf8(name), bytes)) << name;
    }
    std::string readFile(const std::string &name) const
    {
        auto read = files::readWhole(folder / files::pathFromUtf8(name));
        return std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : "(unreadable)";
    }
    // The names in the folder, sorted, separated by blanks.
    std::string folderListing() const
    {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(folder))
            names.push_back(files::utf8FromPath(entry.path().filename()));
        std::sort(names.begin(), names.end());
        std::string listing;
        for (const std::string &name : names)
            listing += (listing.empty() ? "" : " ") + name;
        return listing;
    }

    std::filesystem::path folder;
};

// Whether the user running the tests is held to permission bits: not so for
// root (the test's main drops to "nobody" where it can) nor on Windows.
inline bool permissionsApply()
{
#ifdef _WIN32
    return false;
#else
    return geteuid() != 0;
#endif
}

inline void makeReadOnly(const std::filesystem::path &path)
{
    using std::filesystem::perms;
    std::filesystem::permissions(path, perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
}

inline void makeWritable(const std::filesystem::path &path)
{
    std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}

} // namespace kdx::test
