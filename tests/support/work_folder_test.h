#pragma once

#include "files/file_access.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace kdx::test {

namespace files = kdx::files;

// Each test works in a fresh folder of its own under the build tree.
class WorkFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = files::pathFromUtf8(KDX_TEST_WORK_DIR) / (std::string(test->test_suite_name()) + "." + test->name());
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

// Why permission bits do not hold the tests back (root that could not become
// "nobody", or Windows); empty where they do.
inline std::string permissionsIgnored;

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
