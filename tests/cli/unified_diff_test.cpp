// The unified diff of --dry-run and --json, on the texts of unified_diff_cases.txt.
#include "support/case_file.h"

#include "cli/unified_diff.h"

#include <gtest/gtest.h>

namespace {

using namespace kdx::test;

TEST(UnifiedDiff, EveryCaseGivesItsDiff)
{
    for (const CaseBlock &block : readCaseFile(KDX_CLI_TEST_DATA "/unified_diff_cases.txt")) {
        ASSERT_FALSE(block.empty()) << "a block without entries in unified_diff_cases.txt";
        std::string before, after, diff;
        for (const CaseEntry &entry : block)
            (entry.name == "before" ? before : entry.name == "after" ? after : diff) += entry.value;
        SCOPED_TRACE("unified_diff_cases.txt, block at line " + std::to_string(block.front().line));
        EXPECT_EQ(kdx::cli::unifiedDiff(before, after, "a/KDX.cfg", "b/KDX.cfg"), diff);
    }
}

// A whole long file replaced: no table of every pair of lines, still a diff of
// every line.
TEST(UnifiedDiff, ALongFileReplacedWholeIsDiffedQuickly)
{
    std::string before, after;
    for (int line = 0; line < 100000; ++line) {
        before += "# old " + std::to_string(line) + "\r\n";
        after += "# new " + std::to_string(line) + "\r\n";
    }
    const std::string diff = kdx::cli::unifiedDiff(before, after, "a/KDX.cfg", "b/KDX.cfg");
    EXPECT_TRUE(diff.starts_with("--- a/KDX.cfg\n+++ b/KDX.cfg\n@@ -1,100000 +1,100000 @@\n-# old 0\n")) << diff.substr(0, 80);
    EXPECT_TRUE(diff.ends_with("\n+# new 99999\n"));
}

} // namespace
