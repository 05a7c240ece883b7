// The one way the module includes the platform headers and the type library's declarations.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <objsafe.h>

// The dispatch interfaces have members named like the platform's A/W macros; the module always
// calls the explicit ...A functions, so the macros go.
#undef CopyFile
#undef MoveFile
#undef DeleteFile
#undef CreateFile
#undef EncryptFile
#undef DecryptFile
#undef LogonUser
#undef GetObject

#include "docket.h"

// objsafe.h declares no __uuidof for this one.
__CRT_UUID_DECL(IObjectSafety, 0xCB5BDC81, 0x93C1, 0x11CF, 0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64)
