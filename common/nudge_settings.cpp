#include "common/nudge_settings.h"

int NudgeInterval = 0;
int NudgeDistance = 1;
NudgeBounds SessionBounds = {};
HINSTANCE ModuleInstance = NULL;
