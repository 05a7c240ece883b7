// How the dictionary reads its variant arguments: a copy that follows a reference, and the text
// of a key given to Add or Item (put).
#pragma once

#include "com/win.h"

#include <string>

namespace docket {

// Copies `argument` into the empty `copy`, following one reference (a script variable arrives as
// VT_BYREF | VT_VARIANT pointing at itself).
HRESULT CopyArgument(const VARIANT* argument, VARIANT* copy);

// The key under which Add and Item (put) store. Only a string is a key: a number given here would
// be ambiguous with reading by position (d(2) reads the second entry, never the key "2"), so
// every other type is refused with a description that says so, under the dictionary's class.
HRESULT KeyTextOf(const VARIANT* argument, std::wstring* key);

}  // namespace docket
