// Zorvin.exe: starts the program on the Windows backend and delivers events until it ends.
#include <windows.h>

#include <objbase.h>

#include <exception>

#include "platform/common/form_session.h"
#include "platform/win32/win32_platform.h"
#include "program/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The shell's "open" may hand a link to shell extensions, which need COM on this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int exitCode = 0;
    {
        zorvin::FormSession<zorvin::win32::Win32Platform> session(instance);
        zorvin::Program program(session.forms());
        try {
            program.Start();
        } catch (const std::exception& error) {
            zorvin::win32::EndWithRunTimeError(error);
        }
        exitCode = session.system().Run();
    }
    CoUninitialize();
    return exitCode;
}
