#include "envreport/os/product_editions.h"

#include "envreport/os/version_access.h"

struct ProductEdition {
    DWORD type;
    const char* suffix;
};

static const ProductEdition ProductEditions[] = {
    {0, " An unknown product"},
    {1, " Ultimate"},
    {2, " Home Basic"},
    {3, " Home Premium"},
    {4, " Enterprise"},
    {5, " Home Basic N"},
    {6, " Business"},
    {7, " Standard (full installation)"},
    {8, " Datacenter (full installation)"},
    {9, " Small Business Server"},
    {10, " Enterprise (full installation)"},
    {11, " Starter"},
    {12, " Datacenter (core installation)"},
    {13, " Standard (core installation)"},
    {14, " Enterprise (core installation)"},
    {15, " Enterprise for Itanium-based Systems"},
    {16, " Business N"},
    {17, " Web Server (full installation)"},
    {18, " HPC Edition"},
    {19, " Storage Server Essentials"},
    {20, " Storage Server Express"},
    {21, " Storage Server Standard"},
    {22, " Storage Server Workgroup"},
    {23, " Storage Server Enterprise"},
    {24, " for Windows Essential Server Solutions"},
    {26, " Home Premium N"},
    {27, " Enterprise N"},
    {28, " Ultimate N"},
    {29, " Web Server (core installation)"},
    {30, " Essential Business Server Management Server"},
    {31, " Essential Business Server Security Server"},
    {32, " Essential Business Server Messaging Server"},
    {33, " Server Foundation"},
    {34, " (Home Premium Server)"},
    {35, " without Hyper-V for Windows Essential Server Solutions"},
    {36, " Standard without Hyper-V (full installation)"},
    {37, " Datacenter without Hyper-V (full installation)"},
    {38, " Enterprise without Hyper-V (full installation)"},
    {39, " Datacenter without Hyper-V (core installation)"},
    {40, " Standard without Hyper-V (core installation)"},
    {41, " Enterprise without Hyper-V (core installation)"},
    {42, " Microsoft Hyper-V Server"},
    {47, " Starter N"},
    {48, " Professional"},
    {49, " Professional N"},
    {50, " Small Business Server Essentials"},
    {56, " MultiPoint Server"},
    {66, " Starter E"},
    {67, " Home Basic E"},
    {68, " Home Premium E"},
    {69, " Professional E"},
    {70, " Enterprise E"},
    {71, " Ultimate E"},
    {0xABCDABCD, " Unlicensed"},
};

static char UnknownProductSuffix[32];

static const char* EditionSuffix(DWORD type) {
    for (const ProductEdition& edition : ProductEditions)
        if (edition.type == type) return edition.suffix;
    wsprintfA(UnknownProductSuffix, " (Unknown Product:%08x)", (unsigned)type);
    return UnknownProductSuffix;
}

bool GetProductInfoSuffix(const OSVERSIONINFOEXA& version, const char*& suffix) {
    DWORD type = 0;
    if (!Version.getProductInfo(version.dwMajorVersion, version.dwMinorVersion, version.wServicePackMajor,
                                version.wServicePackMinor, &type))
        return false;
    suffix = EditionSuffix(type);
    return true;
}
