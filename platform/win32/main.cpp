// Zorvin.exe: starts the program on the Windows backend and delivers events until it ends.
#include <windows.h>

#include <objbase.h>

#include <exception>

#include "platform/win32/win32_platform.h"
#include "program/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The shell's "open" may hand a link to shell extensions, which need COM on this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int exitCode = 0;
    {
        zorvin::win32::Win32Platform platform(instance);
        zorvin::Program program(platform);
        try {
            program.Start();
        } catch (const std::exception& error) {
            zorvin::win32::EndWithRunTimeError(error);
        }
        exitCode = platform.Run();
    }
    CoUninitialize();
    return exitCode;
}
