// Functions of user32 that only later versions of Windows have, looked up where they are called.
#pragma once

#include <windows.h>

namespace zorvin::win32 {

// A function of user32 by name, or null where this Windows has none.
template <typename Function>
Function* User32Function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    // Through a function type that matches any, as GetProcAddress's callers must.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

}  // namespace zorvin::win32
