// Reading the interval, the distance and the session's bounds from the
// program's arguments.
#pragma once
#include "common/nudge_arguments.h"

// argv[1] onwards (the C runtime's wide split) -> NudgeInterval,
// NudgeDistance and SessionBounds, which keep their values where nothing
// is given. A refused line changes none of them.
NudgeVerdict ReadNudgeArguments(int argc, const wchar_t* const* argv);
