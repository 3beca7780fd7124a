// The system folder as the current directory for a while: while the shell
// opens something, so that what it starts never searches or keeps busy the
// program's folder, and while a library is loaded by its bare name.
#pragma once
#include "common/paths.h"

struct SystemFolderVisit {
    char systemFolder[PathBufferSize];    // also the working directory to pass on
    char previousFolder[PathBufferSize];  // empty when it could not be read
};

// Remembers the current directory and makes the system folder current.
// False when the system folder cannot be had; `systemFolder` then holds
// "\\", the root of the current drive, which is made current instead.
bool EnterSystemFolder(SystemFolderVisit* visit);

// Makes the remembered directory current again, when there is one.
void LeaveSystemFolder(const SystemFolderVisit& visit);
