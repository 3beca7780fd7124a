#include "common/nudge_settings.h"

int NudgeInterval = 0;
int NudgeDistance = 1;
HINSTANCE ModuleInstance = NULL;
