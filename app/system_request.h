// The /SYSTEM mode's hold on the PC: a request that the system stay up,
// never that the display stay on, so the screen saver, the lock and the
// display follow the power plan. A power request with its reason where
// Windows has them (7 on; powercfg /requests names it), otherwise the
// thread's continuous execution state.
#pragma once

// Nothing when it is held already.
void TakeSystemRequest();

// Nothing when it is not held.
void ReleaseSystemRequest();
