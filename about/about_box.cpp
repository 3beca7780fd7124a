#include "about/about_box.h"

INT_PTR ShowAboutBox(HWND) {
    return 0;
}
