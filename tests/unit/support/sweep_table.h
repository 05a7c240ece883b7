// The argument sweep's record: one line per call, as text that reads well in a review, free of
// anything that differs between runs or machines (scratch paths, names the system makes up,
// free space, times, the account names).
#pragma once

#include "com/win.h"

#include <string>
#include <utility>
#include <vector>

namespace docket::test {

// Texts replaced in what a call answers, longest first: {"C:\...\cases\12", "{case}"}, ...
using Substitutions = std::vector<std::pair<std::wstring, std::wstring>>;

// A call's answer as the table shows it: "S_OK", "S_OK -> \"text\"", "0x80070002 \"File not
// found.\"", "0x80070057 E_INVALIDARG".
std::wstring DescribeResult(HRESULT hr, const EXCEPINFO& exception, const VARIANT& result,
                            const Substitutions& substitutions);

// The name of a result code a bare failure may carry, or empty.
const wchar_t* CodeName(HRESULT hr);

std::string Utf8(const std::wstring& text);

// The table file of a target in the source tree (UTF-8): read (empty when absent) and written.
std::string ReadTable(const std::wstring& target);
bool WriteTable(const std::wstring& target, const std::string& text);

// The lines one table has and the other lacks ("- line", "+ line").
std::vector<std::string> TableDifferences(const std::string& expected, const std::string& actual);

}  // namespace docket::test
