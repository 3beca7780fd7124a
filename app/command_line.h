// Reading the interval, the distance and the session's bounds from the
// program's arguments.
#pragma once
#include "common/nudge_arguments.h"

// The command tail (the text after the program's name), read as the
// report reads a shortcut's arguments -> NudgeInterval, NudgeDistance and
// SessionBounds, which keep their values where nothing is given. A refused
// line changes none of them; the verdict's word stays valid until the
// next call. A tail too long to read is refused whole.
NudgeVerdict ReadNudgeArguments(const wchar_t* commandTail);
