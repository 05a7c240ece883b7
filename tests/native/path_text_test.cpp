// The drive of a path and double-byte names. Joins, final components, the parent query and the
// order of paths are written out in the fuzz target, which runs their edge cases as seeds.
#include "manager/path_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "code_page_tables.h"
#include "com/path_limits.h"

namespace pt = docket::pathtext;
using code_page_tables::k932;
using code_page_tables::kSingleByte;
using namespace std::string_literals;

namespace {

TEST(DriveName, FindsLetterOrShareWithinTheWorkBuffer) {
    const std::string atLimit = "C:" + std::string(docket::kMaxPath - 2, 'd');
    const std::string share = R"(\\s\)" + std::string(docket::kMaxPath - 4, 's');
    const std::pair<std::string, std::string> found[] = {
        {"x:", "x:"}, {R"(c:\temp\a.txt)", "c:"}, {"Z:rel", "Z:"}, {R"(\\srv\sh)", R"(\\srv\sh)"},
        // Beyond the share the whole path comes back, as the lookup of the last separator gives.
        {R"(\\srv\sh\dir\f)", R"(\\srv\sh\dir\f)"},
        {"\\\\srv\\sh\0\\"s, R"(\\srv\sh)"},  // text after NUL ignored
        {atLimit, "C:"}, {share, share},
    };
    for (const auto& [path, drive] : found) EXPECT_EQ(pt::DriveName(path, kSingleByte), drive) << path;
    // Slashes are no separators, digits and bytes above 0x7F (in the C locale) no letters.
    for (const std::string& none : {R"(1:\a)"s, "::"s, ""s, R"(\\srv)"s, R"(\\srv\)"s, R"(\\srv\sh\)"s,
                                    R"(\\\)"s, R"(\srv\sh)"s, "//srv/sh"s, R"(\\srv/sh)"s, "\xE9:"s,
                                    atLimit + 'd', share + 's'})
        EXPECT_EQ(pt::DriveName(none, kSingleByte), "") << none;
    // A view without a terminator behind it: the sanitizer flags any look past its end.
    const std::vector<char> letterOnly{'x'};
    EXPECT_EQ(pt::DriveName(std::string_view(letterOnly.data(), 1), kSingleByte), "");
}

// In 932 the second byte of 表 (95 5C) and ソ (83 5C) is a backslash's; the same bytes read in a
// single-byte code page are two characters, the second a separator.
TEST(PathText, DoubleByteCharactersEndingIn5CAreNoSeparators) {
    const std::string table = "\x95\x5C", saw = "\x83\x5C";
    EXPECT_EQ(pt::BuildPath("C:\\" + table, "b", k932), "C:\\" + table + "\\b");
    EXPECT_EQ(pt::BuildPath("C:\\" + table + "\\", "\\b", k932), "C:\\" + table + "\\b");
    EXPECT_EQ(pt::BuildPath("C:\\" + table, "\\b", k932), "C:\\" + table + "\\b");
    EXPECT_EQ(pt::BuildPath("C:\\" + table, "b", kSingleByte), "C:\\" + table + "b");
    EXPECT_EQ(pt::DriveName("\\\\srv\\" + table, k932), "\\\\srv\\" + table) << "share ending in 5C";
    EXPECT_EQ(pt::DriveName("\\\\" + table + "x", k932), "") << "server only";
    EXPECT_EQ(pt::DriveName("\\\\" + saw + "\\s", k932), "\\\\" + saw + "\\s");
    EXPECT_EQ(pt::BaseName(saw + ".txt", k932), saw);
    EXPECT_EQ(pt::ExtensionName("a." + table, k932), table);
}

}  // namespace
