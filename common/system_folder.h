// The system folder: where every library the programs load comes from,
// and the current directory for a while: while the shell opens something,
// so that what it starts never searches or keeps busy the program's
// folder, and while a library is loaded by its bare name.
#pragma once
#include "common/paths.h"

// Asked of Windows once and kept; "" when Windows cannot name it.
const wchar_t* SystemFolderPath();

struct SystemFolderVisit {
    const wchar_t* systemFolder;          // also the working directory to pass on
    wchar_t previousFolder[PathBufferSize];  // empty when it could not be read
};

// Remembers the current directory and makes the system folder current.
// False when the system folder cannot be had; `systemFolder` then is
// "\\", the root of the current drive, which is made current instead.
bool EnterSystemFolder(SystemFolderVisit* visit);

// Makes the remembered directory current again, when there is one.
void LeaveSystemFolder(const SystemFolderVisit& visit);
