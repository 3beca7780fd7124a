// The screen's DPI as a DPI-aware program sees it: 96 at 100% scaling.
#pragma once

unsigned SystemDpi();
