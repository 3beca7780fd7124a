#include "tests/support/registry_sandbox.h"

#include <cstring>

static const char SandboxPath[] = "Software\\SwaypixTestMachine";

void EnterRegistrySandbox() {
    RegDeleteTreeA(HKEY_CURRENT_USER, SandboxPath);
    HKEY sandbox;
    RegCreateKeyExA(HKEY_CURRENT_USER, SandboxPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &sandbox, NULL);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, sandbox);
    RegCloseKey(sandbox);
}

void LeaveRegistrySandbox() {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, NULL);
    RegDeleteTreeA(HKEY_CURRENT_USER, SandboxPath);
}

static void PutRegValue(const char* keyPath, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, type, (const BYTE*)data, size);
    RegCloseKey(key);
}

void PutRegString(const char* keyPath, const char* name, const char* value) {
    PutRegValue(keyPath, name, REG_SZ, value, (DWORD)strlen(value) + 1);
}

void PutRegDword(const char* keyPath, const char* name, DWORD value) {
    PutRegValue(keyPath, name, REG_DWORD, &value, sizeof value);
}

std::vector<HANDLE> NextFreeHandles(int count) {
    std::vector<HANDLE> handles;
    for (int i = 0; i < count; ++i) {
        HKEY key = NULL;
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_QUERY_VALUE, &key);
        handles.push_back((HANDLE)key);
    }
    for (HANDLE handle : handles) RegCloseKey((HKEY)handle);
    return handles;
}
