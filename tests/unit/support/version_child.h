// Test cases that need another system version run in a copy of this test program: Wine shows a
// program the version configured for its file name, so the copy is named for the run and marked
// with the version for it alone, leaving every other program in the prefix as it is.
#pragma once

#include <string>

namespace docket::test {

// Runs the cases matching the GoogleTest filter in a copy of this program that sees Wine's
// `version` ("nt40", "win2k", "win98"...); their report goes into this test's output. Returns
// the copy's exit code (0 when all its cases passed).
int RunCasesAsVersion(const wchar_t* version, const wchar_t* filter);

// The version this program was started for by RunCasesAsVersion; empty in the original.
std::wstring ChildVersion();

}  // namespace docket::test
