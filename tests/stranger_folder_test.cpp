// The programs as a new user runs them: from a download folder that holds
// whatever else was downloaded, and from a folder of any name.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "about/about_controls.h"
#include "res/resource.h"
#include "tests/support/console_capture.h"
#include "tests/support/input_recorder.h"
#include "tests/support/program_driver.h"
#include "tests/support/shell_handler.h"
#include "tests/support/test_files.h"
#include "tests/support/text_viewer.h"
#include "tests/support/wait.h"

// Libraries that are no KnownDLLs: the ones the programs and what they load
// use, and names planted copies are known to be tried under. msimg32 the
// themed controls take through a delayed import, which the search
// restriction does not bind under Wine.
static const char* const PlantedNames[] = {
    "version",  "uxtheme", "msimg32",  "winmm",   "iphlpapi", "powrprof", "comctl32", "dwmapi", "propsys",
    "wtsapi32", "userenv", "netapi32", "secur32", "dbghelp",  "cryptsp",  "winhttp",  "shfolder"};

static std::wstring TempFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + name;
    CreateDirectoryW(folder.c_str(), NULL);
    return folder;
}

static std::wstring BuiltProgramPathW(const char* fileName) {
    return WideOf(BuiltProgramPath(fileName));
}

static std::wstring CopyProgram(const char* builtName, const std::wstring& folder, const char* copyName) {
    std::wstring copy = folder + L"\\" + WideOf(copyName);
    CopyFileW(BuiltProgramPathW(builtName).c_str(), copy.c_str(), FALSE);
    return copy;
}

static std::vector<std::string> LoadedMarkers(const std::wstring& folder) {
    return MatchingFileNames(std::string(folder.begin(), folder.end()), "*.loaded");
}

// The markers left since the last call, taken away so that the next step
// is judged alone.
static std::vector<std::string> TakeLoadedMarkers(const std::wstring& folder) {
    std::vector<std::string> loaded = LoadedMarkers(folder);
    for (const std::string& marker : loaded) DeleteFileW((folder + L"\\" + WideOf(marker)).c_str());
    return loaded;
}

// Told to prefer native DLLs of these names, as Windows does for every
// name that is no KnownDLL, Wine loads one lying beside the program. The
// copies carry the names a second download of them gets, so the preference
// set for them (in the prefix's registry, per program, the way Wine reads
// it for a started process) touches no other test's programs.
static const char* const PlantedPrograms[] = {"version_importer.exe", "swaypix (1).exe", "swaypix-report (1).exe"};

static std::string DllOverridesKey(const char* program) {
    return std::string("Software\\Wine\\AppDefaults\\") + program + "\\DllOverrides";
}

class PlantedDlls : public ::testing::Test {
protected:
    std::wstring folder;
    void SetUp() override {
        folder = TempFolder(L"planted dlls");
        for (const char* program : PlantedPrograms) {
            HKEY key;
            ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CURRENT_USER, DllOverridesKey(program).c_str(), &key));
            for (const char* name : PlantedNames) {
                CopyFileW(BuiltProgramPathW("planted_dll.dll").c_str(),
                          (folder + L"\\" + WideOf(name) + L".dll").c_str(), FALSE);
                // Wine's own user32 imports version.dll, which Windows'
                // never does: preferred native, the planted copy would be
                // loaded before the program's first line whatever the
                // program is. The import table test covers the programs.
                if (strcmp(name, "version") == 0 && program != PlantedPrograms[0]) continue;
                RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)"native,builtin", sizeof "native,builtin");
            }
            RegCloseKey(key);
        }
    }
    void TearDown() override {
        for (const char* program : PlantedPrograms)
            RegDeleteKeyA(HKEY_CURRENT_USER, DllOverridesKey(program).c_str());
        DeleteMatchingFiles(std::string(folder.begin(), folder.end()), "*");
        RemoveDirectoryW(folder.c_str());
    }
};

TEST_F(PlantedDlls, NoneIsLoadedAtStartInTheDialogsWhileResidentOrThroughTheReport) {
    // The positive control: a program importing version.dll statically
    // takes the planted one, so this test sees a planted DLL when there is one.
    PROCESS_INFORMATION control = StartProgram(CopyProgram("version_importer.exe", folder, "version_importer.exe"), L"");
    EXPECT_EQ(0u, WaitForExit(control, EventBoundMs));
    CloseProcess(control);
    std::vector<std::string> loaded = TakeLoadedMarkers(folder);
    ASSERT_EQ(1u, loaded.size());
    EXPECT_EQ(0, lstrcmpiA("version.dll.loaded", loaded[0].c_str()));

    // Every action of the set-up dialog and the About box, the paths that
    // load the most: the shell's link object, the links, the report.
    std::wstring program = CopyProgram("swaypix.exe", folder, "swaypix (1).exe");
    std::string desktop = ShellFolderPath(CSIDL_DESKTOPDIRECTORY);
    DeleteMatchingFiles(desktop, "SWAYPIX*.LNK");
    RegisterRecordingHandler("https");
    RegisterRecordingHandler("mailto");
    ResetOpenLog();
    PROCESS_INFORMATION setup = StartProgram(program, L"");
    HWND dialog = WaitForDialogOf(setup.dwProcessId, EventBoundMs);
    ASSERT_TRUE(dialog != NULL);
    PressDialogButton(dialog, IDOK);
    HWND created = WaitForMessageBoxOwnedBy(dialog, EventBoundMs);
    ASSERT_TRUE(created != NULL);
    AnswerMessageBox(created, IDOK);
    PressDialogButton(dialog, IDC_ABOUT);
    HWND box = WaitForDialogOwnedBy(dialog, EventBoundMs);
    ASSERT_TRUE(box != NULL);
    int opened = 0;
    for (int id : {IDC_ABOUT_WEBSITE, IDC_ABOUT_MAIL, IDC_ABOUT_DONATION, IDC_ABOUT_FEEDBACK, IDC_ABOUT_REPORT}) {
        ASSERT_TRUE(WaitUntil(EventBoundMs, [&] { return IsWindowEnabled(GetDlgItem(box, id)) != FALSE; })) << id;
        PressDialogButton(box, id);
        if (id != IDC_ABOUT_REPORT) WaitForOpenLog(++opened, EventBoundMs);
    }
    EXPECT_TRUE(WaitForViewerOf("VORLEXLIB_TEMP", EventBoundMs) != NULL);
    CloseViewersOf("VORLEXLIB_TEMP");
    RestoreHandler("https");
    RestoreHandler("mailto");
    PressDialogButton(box, IDCANCEL);
    ASSERT_TRUE(WaitUntil(EventBoundMs, [&] { return !IsWindow(box); }));
    PressDialogButton(dialog, IDCANCEL);
    EXPECT_EQ(0u, WaitForExit(setup, EventBoundMs));
    CloseProcess(setup);
    EXPECT_TRUE(DeleteFileWhenFree(desktop + "\\SWAYPIX.LNK"));
    EXPECT_EQ(std::vector<std::string>{}, TakeLoadedMarkers(folder)) << "set-up dialog and About box";

    // Two nudges, so that the check after the first has run too.
    DWORD before = LastInputTick();
    PROCESS_INFORMATION resident = StartProgram(program, L"300");
    ASSERT_TRUE(WaitForResidentWindow(EventBoundMs) != NULL);
    DWORD first = before;
    EXPECT_TRUE(WaitUntil(EventBoundMs, [&] { return (first = LastInputTick()) != before; }));
    EXPECT_TRUE(WaitUntil(EventBoundMs, [&] { return LastInputTick() != first; }));
    // Resident alone, never themed: the theme libraries are no planted
    // copies' way in, and no resident memory is spent on them.
    EXPECT_EQ(std::vector<std::string>{}, TakeLoadedMarkers(folder)) << "while resident";
    // The second start's question is its first window.
    PROCESS_INFORMATION second = StartProgram(program, L"");
    HWND question = WaitForDialogOf(second.dwProcessId, EventBoundMs);
    ASSERT_TRUE(question != NULL);
    AnswerMessageBox(question, IDNO);
    EXPECT_EQ(0u, WaitForExit(second, EventBoundMs));
    CloseProcess(second);
    EndResidentInstances();
    WaitForExit(resident, EventBoundMs);
    CloseProcess(resident);
    EXPECT_EQ(std::vector<std::string>{}, TakeLoadedMarkers(folder)) << "the second start's question";

    std::wstring tool = CopyProgram("swaypix-report.exe", folder, "swaypix-report (1).exe");
    CapturedRun report = RunCapturing("\"" + std::string(tool.begin(), tool.end()) + "\" --english");
    EXPECT_EQ(0u, report.exitCode);
    EXPECT_NE(std::string::npos, report.out.find("\r\n\r\n[Other Information]\r\n")) << "the whole report";
    EXPECT_EQ(std::vector<std::string>{}, LoadedMarkers(folder)) << "the report tool";
}

// "ë" is outside code page 932: through the ANSI calls the folder came
// back as "Zoe Ж", a folder that does not exist.
TEST(AnyFolderName, AShortcutMadeThereStartsTheProgramThere) {
    std::wstring folder = TempFolder(L"Zo\u00EB \u0416");
    std::wstring program = CopyProgram("swaypix.exe", folder, "swaypix.exe");
    std::string desktop = ShellFolderPath(CSIDL_DESKTOPDIRECTORY);
    DeleteMatchingFiles(desktop, "SWAYPIX*.LNK");

    PROCESS_INFORMATION setup = StartProgram(program, L"");
    HWND dialog = WaitForDialogOf(setup.dwProcessId, EventBoundMs);
    ASSERT_TRUE(dialog != NULL);
    PressDialogButton(dialog, IDOK);
    HWND message = WaitForMessageBoxOwnedBy(dialog, EventBoundMs);
    ASSERT_TRUE(message != NULL);
    std::wstring link = WideOf(desktop) + L"\\SWAYPIX.LNK";
    EXPECT_NE(std::wstring::npos, MessageBoxTextW(message).find(L" - " + link + L"\r\n"));
    AnswerMessageBox(message, IDOK);
    PressDialogButton(dialog, IDCANCEL);
    WaitForExit(setup, EventBoundMs);
    CloseProcess(setup);

    ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
    IShellLinkW* shellLink = NULL;
    IPersistFile* file = NULL;
    LPITEMIDLIST items = NULL;
    wchar_t target[MAX_PATH] = L"";
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void**)&shellLink))) {
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, (void**)&file)) &&
            SUCCEEDED(file->Load(link.c_str(), STGM_READ)) && SUCCEEDED(shellLink->GetIDList(&items)) && items)
            SHGetPathFromIDListW(items, target);
        CoTaskMemFree(items);
        if (file) file->Release();
        shellLink->Release();
    }
    CoUninitialize();
    // The link's item list, which the shell starts it by; Wine keeps the
    // path of its link information in the ANSI code page only.
    EXPECT_EQ(program, target);

    std::string report = RunCapturing("\"" + BuiltProgramPath("swaypix-report.exe") + "\" --english --no-clock").out;
    EXPECT_NE(std::string::npos, report.find("\r\nShortcut      :Desktop\\SWAYPIX.LNK 50000 (pointer every 50 s)\r\n"))
        << "no [target missing]: " << report.substr(report.find("[Power and Idle]"), 600);

    EXPECT_TRUE(DeleteFileWhenFree(desktop + "\\SWAYPIX.LNK"));
    DeleteFileW(program.c_str());
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
}

// The report file in a temporary folder of such a name: written whole and
// opened in the text viewer from there, and gone with the box.
TEST(AnyFolderName, TheReportIsWrittenAndOpenedFromSuchATemporaryFolder) {
    std::wstring folder = TempFolder(L"Zo\u00EB \u0416 tmp");
    wchar_t previousTmp[MAX_PATH], previousTemp[MAX_PATH];
    GetEnvironmentVariableW(L"TMP", previousTmp, MAX_PATH);
    GetEnvironmentVariableW(L"TEMP", previousTemp, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", folder.c_str());
    SetEnvironmentVariableW(L"TEMP", folder.c_str());
    PROCESS_INFORMATION program = StartSwaypix("");
    SetEnvironmentVariableW(L"TMP", previousTmp);
    SetEnvironmentVariableW(L"TEMP", previousTemp);

    const std::wstring report = folder + L"\\VORLEXLIB_TEMP.TXT";
    HWND setup = WaitForDialogOf(program.dwProcessId, EventBoundMs);
    ASSERT_TRUE(setup != NULL);
    PressDialogButton(setup, IDC_ABOUT);
    HWND box = WaitForDialogOwnedBy(setup, EventBoundMs);
    ASSERT_TRUE(box != NULL);
    PressDialogButton(box, IDC_ABOUT_REPORT);
    HWND viewer = WaitForViewerOf("VORLEXLIB_TEMP", EventBoundMs);
    ASSERT_TRUE(viewer != NULL);
    EXPECT_EQ(0u, ViewerText(viewer).find(L"この環境の調査結果です。"));
    EXPECT_EQ(0u, ReadTextFile(report).find("この環境の調査結果です。"));
    CloseViewersOf("VORLEXLIB_TEMP");
    PressDialogButton(box, IDCANCEL);
    ASSERT_TRUE(WaitUntil(EventBoundMs, [&] { return !IsWindow(box); }));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(report.c_str())) << "closing deletes it";
    PressDialogButton(setup, IDCANCEL);
    WaitForExit(program, EventBoundMs);
    CloseProcess(program);
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
}
