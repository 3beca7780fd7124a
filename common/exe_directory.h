// The program's own folder as the current directory.
#pragma once

// Sets the folder of the running executable as the current directory.
bool RestoreExeDirectory();
