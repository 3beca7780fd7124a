// The planted-DLL test's positive control: a program that imports
// version.dll statically, as the programs once did, and so loads a
// version.dll lying beside it. The call is never made; the import is what
// counts.
#include <windows.h>

int main(int argc, char**) {
    if (argc > 1000) return (int)GetFileVersionInfoSizeW(L"", NULL);
    return 0;
}
