// The set-up dialog (resource IDD_SETUP, or its English twin) shown when
// no interval is given.
#pragma once
#include <windows.h>

// Runs the dialog modally without an owner; IDC_STARTNOW when the user
// started the nudger, with NudgeInterval and NudgeDistance set.
INT_PTR RunSetupDialog(HINSTANCE instance);
