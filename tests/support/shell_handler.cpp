#include "tests/support/shell_handler.h"

#include <windows.h>

#include <map>

#include "tests/support/program_driver.h"
#include "tests/support/test_files.h"
#include "tests/support/wait.h"

static std::map<std::string, std::string> SavedHandlers;

static std::string CommandKeyOf(const char* classKey) {
    return std::string("Software\\Classes\\") + classKey + "\\shell\\open\\command";
}

void RegisterRecordingHandler(const char* classKey) { RegisterHandler(classKey, BuiltProgramPath("record_open.exe")); }

void RegisterHandler(const char* classKey, const std::string& program) {
    std::string key = CommandKeyOf(classKey);
    char old[1024] = "";
    LONG size = sizeof old;
    if (RegQueryValueA(HKEY_LOCAL_MACHINE, key.c_str(), old, &size) != ERROR_SUCCESS) old[0] = '\0';
    SavedHandlers[classKey] = old;
    std::string command = "\"" + program + "\" \"%1\"";
    RegSetValueA(HKEY_LOCAL_MACHINE, key.c_str(), REG_SZ, command.c_str(), (DWORD)command.size());
}

void RestoreHandler(const char* classKey) {
    const std::string& old = SavedHandlers[classKey];
    RegSetValueA(HKEY_LOCAL_MACHINE, CommandKeyOf(classKey).c_str(), REG_SZ, old.c_str(), (DWORD)old.size());
}

static std::string OpenLogPath() {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + "swaypix-open-log.txt";
}

void ResetOpenLog() {
    std::string path = OpenLogPath();
    DeleteFileA(path.c_str());
    SetEnvironmentVariableA("SWAYPIX_TEST_OPEN_LOG", path.c_str());
}

std::string WaitForOpenLog(int entries, unsigned timeoutMs) {
    std::string text;
    WaitUntil(timeoutMs, [&] {
        text = ReadTextFile(OpenLogPath());
        int count = 0;
        for (size_t at = text.find("first-line="); at != std::string::npos; at = text.find("first-line=", at + 1))
            ++count;
        return count >= entries;
    });
    return text;
}
