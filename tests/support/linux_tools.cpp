#include "tests/support/linux_tools.h"

#include <windows.h>

#include <cstdio>

#include "common/ansi_text.h"
#include "tests/support/test_files.h"
#include "tests/support/wait.h"

std::string UnixPathOf(const std::string& windowsPath) {
    typedef char*(CDECL * ToUnix)(LPCWSTR);
    ToUnix toUnix = (ToUnix)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    wchar_t wide[MAX_PATH * 2];
    if (!toUnix || !WidenText(CP_ACP, windowsPath.c_str(), wide, MAX_PATH * 2)) return "";
    char* unixPath = toUnix(wide);
    if (!unixPath) return "";
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string RunLinuxCommand(const std::string& shellCommand) {
    static int serial = 0;
    char name[MAX_PATH];
    snprintf(name, sizeof name, "/tmp/swaypix-test-%lu-%d.out", GetCurrentProcessId(), ++serial);
    std::string unixOut = name;
    std::string windowsOut = "Z:" + unixOut;
    for (char& c : windowsOut) c = c == '/' ? '\\' : c;
    std::string script = "(" + shellCommand + ") >" + unixOut + ".part 2>&1; mv " + unixOut + ".part " + unixOut;
    // Wine splits the command line by Windows rules: the script is one
    // double-quoted argument, with its own double quotes escaped.
    std::string commandLine = "Z:\\bin\\sh -c \"";
    for (char c : script) commandLine += c == '"' ? std::string("\\\"") : std::string(1, c);
    commandLine += "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return "<not started>";
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!WaitUntil(EventBoundMs, [&] { return GetFileAttributesA(windowsOut.c_str()) != INVALID_FILE_ATTRIBUTES; }))
        return "<timed out>";
    std::string output = ReadTextFile(windowsOut);
    DeleteFileA(windowsOut.c_str());
    return output;
}
