#pragma once

#include <string>
#include <string_view>

namespace kdx::cli {

// The unified diff that turns `before` into `after`, as `diff -u` writes it:
// the two header lines with the given names ("a/KDX.cfg", "/dev/null" for a
// file that is not there), then hunks with three lines of context. Lines end
// where the reader ends them (CR LF, LF or CR) and are shown without their
// end; a line whose end is not CR LF is followed by a remark line beginning
// with "\", so that a change of line ends alone is seen. Empty when the texts
// are equal. Each line of the result ends with LF.
std::string unifiedDiff(std::string_view before, std::string_view after, std::string_view beforeName, std::string_view afterName);

} // namespace kdx::cli
