// Where Windows looks for the libraries the programs load after start.
#pragma once

// First thing at start: later loads, and the libraries those pull in
// (the themed controls bring uxtheme.dll), come from the system folder
// alone, never from the program's folder, which is most often a download
// folder holding whatever else was downloaded. Windows 8 and later have
// the call, and Vista and 7 with the update that added it. Elsewhere only
// the current folder is taken off the search; there the full-path loads
// and an import table of known DLLs alone are the protection.
void RestrictDllSearchToSystemFolder();

// Before the first dialog: the themed controls take uxtheme.dll then, and
// loaded through their delayed import it is not bound by the search
// restriction everywhere (Wine takes a copy beside the program), nor on a
// Windows without the call at all. Loaded by full path first, it is the
// one they find. Kept for the rest of the process.
void LoadThemeLibraryFromSystemFolder();
