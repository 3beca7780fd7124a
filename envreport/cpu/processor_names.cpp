#include "envreport/cpu/processor_names.h"

#include "envreport/cpu/cpuid_info.h"

const char* BrandIndexName(uint32_t signature) {
    switch (CpuidInfo.brandIndex) {
    case 1: return "Intel Celeron Processor";
    case 2: return "Intel Pentium III Processor";
    case 3: return signature == 0x6B1 ? "Intel Celeron Processor" : "Intel Pentium III Xeon";
    case 4: return "Intel Pentium III Processor";
    case 6: return "Mobile Intel Pentium III Processor-M";
    case 7: return "Mobile Intel Celeron Processor";
    case 8:
    case 9: return "Intel Pentium 4 Processor";
    case 10: return "Intel Celeron Processor";
    case 11: return signature < 0xF13 ? "Intel Xeon Processor MP" : "Intel Xeon Processor";
    case 12: return "Intel Xeon Processor MP";
    case 14: return signature < 0xF13 ? "Intel Xeon Processor" : "Intel Pentium 4 Processor-M";
    case 15: return "Mobile Intel Celeron Processor";
    case 17: return "Mobile Genuine Intel processor";
    case 18: return "Intel Celeron M processor";
    case 19: return "Mobile Intel Celeron Processor";
    case 20: return "Intel Celeron Processor";
    case 21: return "Mobile Genuine Intel processor";
    case 22: return "Intel Pentium M processor";
    case 23: return "Mobile Intel Celeron Processor";
    }
    return "";
}

static bool HasMmx() { return (CpuidInfo.featureEdx >> 23) & 1; }
static bool HasSse() { return (CpuidInfo.featureEdx >> 25) & 1; }

static const char* P6Name() {
    if (!HasMmx()) return "Intel Pentium Pro Processor";
    return HasSse() ? "Intel Pentium III/Pentium III Xeon Processor" : "Intel Pentium II/Celeron/Xeon Processor";
}

static const char* Family4Name(unsigned vendor, unsigned model) {
    switch (vendor) {
    case VendorCyrixNoBrand: return model == 4 ? "MEDIA GX" : "Cx4x86";
    case VendorIbm: return "IBM486";
    case VendorAmd: return "Am486DX4/Am5x86";
    case VendorCentaur: return "WinChip";
    case VendorUmc:
        switch (model) {
        case 1: return "UMC U5SD";
        case 2: return "UMC U5S/SX/SD";
        case 3: return "UMC U486DX2";
        case 5: return "UMC U486SX2";
        }
        return "UMC U486/586";
    }
    switch (model) {
    case 0:
    case 1: return "i486DX";
    case 2:
    case 6: return "i486SX";
    case 3: return "i486DX2";
    case 4: return "i486SL";
    case 5: return "i486SX2";
    case 7: return "Write-Back Enhanced Intel DX2";
    case 8: return "Intel DX4";
    }
    return "80486";
}

static const char* IntelPentiumName(unsigned model, unsigned low) {
    if (HasMmx())
        return model == 4 ? "Intel MMX Technology Pentium Processor(166/200)" : "Intel MMX Technology Pentium Processor";
    switch (model) {
    case 0: return "Intel Pentium Processor(60/66) with FPU bug";
    case 1:
        if (low >= 0x10 && low <= 0x12) return "Intel Pentium Processor(60/66)";
        if (low >= 0x13 && low <= 0x15) return "Intel Pentium Processor(60/66) with FPU bug";
        if (low == 0x1A) return "Intel Pentium ODP (PODP5V133)(120/133)";
        return "Intel Pentium Processor(60/66)";
    case 2:
        switch (low) {
        case 0x21:
        case 0x22:
        case 0x24: return "Intel Pentium Processor(75/90/100/120/133/150/166/200) with FPU bug";
        case 0x25: return "Intel Pentium Processor(75/90/100/120/133/150/166/200)";
        case 0x26: return "Intel Pentium Processor(75/90/100/120)";
        case 0x2B: return "Intel Pentium Processor(120/133)";
        case 0x2C: return "Intel Pentium Processor(133/150/166/200)/ODP (PODP3V125/150/166)";
        }
        return "Intel Pentium Processor";
    }
    return "Intel Pentium Processor";
}

static const char* Family5Name(unsigned vendor, unsigned model, unsigned low) {
    switch (vendor) {
    case VendorCyrixNoBrand:
        if (model == 2) return "6x86/6x86L(PR90+/120+/133+/150+/166+/200+)";
        return model == 4 ? "Cyrix GX M" : "Cyrix 5x86/6x86";
    case VendorAmd: return "AMD-K5";
    case VendorCentaur:
        if (model == 4) return "WinChip C6(180/200/225/240)";
        return model == 8 ? "WinChip 2(180/200/225/240)" : "WinChip";
    case VendorNexGen:
        if (low == 0x04) return "NexGen Nx586(120)";
        return low == 0x06 ? "NexGen Nx586(133)" : "NexGen Nx586";
    }
    return IntelPentiumName(model, low);
}

static bool HasXeonCacheDescriptor() {
    return HasCacheDescriptor(0x44) || HasCacheDescriptor(0x45);
}

static const char* PentiumIIModel5Name(unsigned low) {
    if (HasCacheDescriptor(0x40)) return "Intel Celeron Processor(266/300) [SEPP]";
    if (HasXeonCacheDescriptor()) {
        if (low == 0x52) return "Intel Pentium II Xeon Processor(400)";
        return low == 0x53 ? "Intel Pentium II Xeon Processor(400/450)" : "Intel Pentium II Xeon Processor";
    }
    if (low == 0x50) return "Intel Pentium II(266/333)/Mobile Pentium II(233/266) Processor";
    return low == 0x51 ? "Intel Pentium II Processor(300/333/350/400)" : "Intel Pentium II/Pentium II Xeon Processor";
}

static const char* Family6Name(unsigned vendor, unsigned model, unsigned low) {
    if (vendor == VendorCyrixNoBrand)
        return model == 0 ? "Cyrix-M2(300GP/333GP/350GP/400GP)/6x86MX(PR166/200/233/266)" : "Cyrix 6x86";
    if (vendor == VendorCentaur) return "WinChip";
    switch (model) {
    case 0: return "Pentium Pro(133)";
    case 1:
        if (low == 0x11 || low == 0x12) return "Intel Pentium Pro Processor(150)";
        if (low == 0x16 || low == 0x17 || low == 0x19) return "Intel Pentium Pro Processor(166/180/200)";
        return "Intel Pentium Pro Processor";
    case 3: return low == 0x33 || low == 0x34 ? "Intel Pentium II Processor(233/266/300)" : "Intel Pentium II Processor";
    case 5: return PentiumIIModel5Name(low);
    case 6:
        switch (low) {
        case 0x60: return "Intel Celeron Processor(300A/333/366/400/433) [SEPP]";
        case 0x65: return "Intel Celeron Processor(300A/333/366/400/433/466) [PPGA]";
        case 0x6A: return "Intel Mobile Pentium II(266/300/333/366/400)";
        }
        return "Intel Celeron Processor";
    case 7: return HasXeonCacheDescriptor() ? "Intel Pentium III Xeon Processor" : "Intel Pentium III/Pentium III Xeon Processor";
    case 2:
    case 4: return P6Name();
    }
    CpuidInfo.brandIndex = CpuidInfo.leaf1Ebx & 0xFF;
    if (model == 9) return "Intel Pentium M Processor";
    const char* indexed = BrandIndexName(CpuidInfo.signature);
    return indexed[0] ? indexed : P6Name();
}

static const char* OverdriveFamily5Name(unsigned model, unsigned low) {
    if (HasMmx())
        return model == 4 ? "Intel MMX Pentium ODP for Pentium(75/90/100/120/133)" : "Intel MMX Pentium ODP";
    switch (model) {
    case 1: return "Intel Pentium ODP for Pentium(60/66)";
    case 2: return "Intel Pentium ODP for Pentium(75/90/100/120/133)";
    case 3:
        if (low == 0x31) return "Intel Pentium ODP for i486 (PODP5V63)";
        return low == 0x32 ? "Intel Pentium ODP for i486 (PODP5V83)" : "Intel Pentium ODP for i486";
    case 4:
        if (low == 0x43) return "Intel Pentium ODP (PODPMT60X180/200)";
        return low == 0x44 ? "Intel Pentium ODP (PODPMT60X150/166)" : "Intel Pentium ODP";
    }
    return "Intel Pentium ODP";
}

const char* ProcessorNameFromSignature(bool japanese) {
    CpuidInfo.brandIndex = 0;
    uint32_t signature = CpuidInfo.signature;
    unsigned k = (signature >> 8) & 0xFF;
    unsigned model = SignatureModel(signature);
    unsigned low = signature & 0xFF;
    unsigned vendor = CpuidInfo.vendorCode;
    switch (k) {
    case 0x00: return "8086";
    case 0x01: return "80186";
    case 0x02: return "80286";
    case 0x03: return "80386";
    case 0x04: return Family4Name(vendor, model);
    case 0x05: return Family5Name(vendor, model, low);
    case 0x06: return Family6Name(vendor, model, low);
    case 0x0F: {
        CpuidInfo.brandIndex = CpuidInfo.leaf1Ebx & 0xFF;
        const char* indexed = BrandIndexName(signature);
        return indexed[0] ? indexed : "Intel Pentium 4 Processor";
    }
    case 0x14: return "Intel DX4 ODP";
    case 0x15: return OverdriveFamily5Name(model, low);
    case 0x16:
        if (!HasMmx()) return "Intel Pentium Pro ODP";
        return HasSse() ? "Intel Pentium III ODP" : "Intel Pentium II ODP";
    case 0xA4: return "IBM486";
    }
    switch ((signature >> 12) & 0xF) {
    case 2: return "Dual Processor";
    case 1: return japanese ? "不明なODP" : "Unknown ODP";
    }
    return japanese ? "不明" : "Unknown";
}
