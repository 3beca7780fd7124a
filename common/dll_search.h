// Where Windows looks for the libraries the programs load after start.
#pragma once

// First thing at start: later loads, and the libraries those pull in
// (the themed controls bring uxtheme.dll), come from the system folder
// alone, never from the program's folder, which is most often a download
// folder holding whatever else was downloaded. Windows 8 and later have
// the call, and Vista and 7 with the update that added it. Elsewhere only
// the current folder is taken off the search and the program's folder stays
// first: there only full-path loads and the import table of known DLLs
// keep a planted copy out.
void RestrictDllSearchToSystemFolder();

// Before the first message box or dialog: the themed controls take
// uxtheme.dll then, and uxtheme in turn msimg32.dll, both by delayed
// import, which the search restriction does not bind everywhere (Wine
// takes a copy beside the program) and nothing binds on a Windows without
// the call. Loaded by full path first, these are the ones found. Kept for
// the rest of the process; not on the way straight to the hidden resident
// window, which is never themed.
void LoadThemeLibrariesFromSystemFolder();
