#pragma once
// Runs a page: every script file in order in one engine, then OnEndPage for the started
// components, then the engine is closed. Returns the process exit code.
#include <string>
#include <vector>

namespace pagehost {

int RunPage(const std::vector<std::wstring>& scriptPaths, const std::vector<std::wstring>& pageArguments);

}  // namespace pagehost
