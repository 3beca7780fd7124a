#include "envreport/registry_values.h"

#include <cstdlib>
#include <cstring>

#include "envreport/report_failure.h"
#include "envreport/report_memory.h"

HKEY OpenRegKeyForQuery(HKEY root, const char* subkey, REGSAM view) {
    HKEY key = NULL;
    if (RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) return NULL;
    return key;
}

static bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

char* ReadRegString(HKEY key, const char* valueName) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName, NULL, &type, NULL, &size) != ERROR_SUCCESS || !IsStringType(type))
        return NULL;
    char* text = (char*)ReportMemory.reallocate(NULL, (size_t)size + 2);
    if (!text) {
        FailReport(ReportOutOfMemory);
        return NULL;
    }
    memset(text, 0, (size_t)size + 2);
    DWORD read = size;
    if (RegQueryValueExA(key, valueName, NULL, NULL, (BYTE*)text, &read) != ERROR_SUCCESS) {
        free(text);
        return NULL;
    }
    return text;
}

char* ReadRegStringOfKey(HKEY root, const char* subkey, const char* valueName) {
    HKEY key = OpenRegKeyForQuery(root, subkey);
    if (!key) return NULL;
    char* text = ReadRegString(key, valueName);
    RegCloseKey(key);
    return text;
}

bool QueryRegDword(HKEY key, const char* valueName, DWORD& value) {
    DWORD type = 0;
    DWORD read = 0;
    DWORD size = sizeof read;
    if (RegQueryValueExA(key, valueName, NULL, &type, (BYTE*)&read, &size) != ERROR_SUCCESS || type != REG_DWORD ||
        size != sizeof read)
        return false;
    value = read;
    return true;
}

DWORD ReadRegDword(HKEY key, const char* valueName) {
    DWORD value = 0;
    QueryRegDword(key, valueName, value);
    return value;
}
