// The version of the common-controls library the program gets: COMCTL32.DLL
// of the system folder, in the side-by-side version its manifest asks for.
#pragma once

// The version, taking a library without DllGetVersion as 4.00.
unsigned CommonControlsVersionOr400();
