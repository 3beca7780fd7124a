// The names of the CPUID feature bits, one table per register and vendor,
// bit 0 first.
#include "envreport/cpu/feature_flag_names.h"

const LocalText StandardEdxNames[32] = {
    {"オンチップ浮動小数点ユニット", "Floating-point unit on-Chip"},  // 0
    {"仮想モード拡張", "Virtual Mode Extension"},  // 1
    {"デバッグ拡張機能", "Debugging Extension"},  // 2
    {"ページサイズ拡張機能", "Page Size Extension"},  // 3
    {"タイムスタンプカウンタ", "Time Stamp Counter"},  // 4
    {"モデル固有レジスタ", "Model Specific Registers"},  // 5
    {"物理アドレス拡張機能", "Physical Address Extension"},  // 6
    {"マシンチェック例外", "Machine Check Exception"},  // 7
    {"CMPXCHG8命令サポート", "CMPXCHG8 Instruction"},  // 8
    {"オンチップAPICサポート", "On-chip APIC Hardware"},  // 9
    {"未定義", "Undefined"},  // 10
    {"高速システムコール", "Fast System Call"},  // 11
    {"メモリタイプレンジレジスタ", "Memory Type Range Registers"},  // 12
    {"ページグローバルイネーブル", "Page Global Enable"},  // 13
    {"マシンチェックアーキテクチャ", "Machine Check Architecture"},  // 14
    {"条件付きMove命令のサポート", "Conditional Move Instruction"},  // 15
    {"ページ属性テーブル", "Page Attribute Table"},  // 16
    {"36-bitページサイズ拡張", "36-bit Page Size Extension"},  // 17
    {"プロセッサシリアル番号有効", "Processor serial number"},  // 18
    {"CLFLUSH命令", "CLFLUSH Instruction"},  // 19
    {"未定義", "Undefined"},  // 20
    {"デバッグストア", "Debug Store"},  // 21
    {"ACPIサポート", "ACPI Supported"},  // 22
    {"MMX命令のサポート", "MMX Instructions"},  // 23
    {"高速浮動小数点コンテキスト", "Fast floating point save"},  // 24
    {"ストリーミングSIMD拡張命令", "Streaming SIMD Extensions"},  // 25
    {"ストリーミングSIMD拡張命令2", "Streaming SIMD Extensions 2"},  // 26
    {"セルフスヌープ", "Self-Snoop"},  // 27
    {"Hyper-Threadingテクノロジ", "Hyper-Threading Technology"},  // 28
    {"温度モニタのサポート", "Thermal Monitor supported"},  // 29
    {"未定義", "Undefined"},  // 30
    {"実行状態強制復帰機能", "Pending Break Enable"},  // 31
};

const LocalText StandardEcxNames[32] = {
    {"ストリーミングSIMD拡張命令3", "Streaming SIMD Extensions 3"},  // 0
    {"PCLMULQDQ命令有効", "PCLMULQDQ instruction"},  // 1
    {"DS Area 64-bit Layout", "DS Area 64-bit Layout"},  // 2
    {"MONITOR/MWAIT命令有効", "MONITOR/MWAIT Instruction"},  // 3
    {"CPL拡張デバッグストア", "CPL Qualified Debug Store"},  // 4
    {"仮想マシン拡張", "Virtual Machine Extensions"},  // 5
    {"Safer Mode Extensions", "Safer Mode Extensions"},  // 6
    {"拡張SpeedStepテクノロジ", "Enhanced SpeedStep Technology"},  // 7
    {"温度モニタ2のサポート", "Thermal Monitor 2"},  // 8
    {"Supplemental SSE3", "Supplemental SSE3"},  // 9
    {"L1キャッシュ適合/共有モード", "L1 Context ID"},  // 10
    {"未定義", "Undefined"},  // 11
    {"Fused Multiply Add", "Fused Multiply Add"},  // 12
    {"CMPXCHG16B命令有効", "CMPXCHG16B Instruction"},  // 13
    {"xTPR Update Control", "xTPR Update Control"},  // 14
    {"Perfmon and Debug Capability", "Perfmon and Debug Capability"},  // 15
    {"未定義", "Undefined"},  // 16
    {"Process-context Identifiers", "Process-context Identifiers"},  // 17
    {"ダイレクトキャッシュアクセス", "Direct Cache Access"},  // 18
    {"ストリーミングSIMD拡張命令4.1", "Streaming SIMD Extensions 4.1"},  // 19
    {"ストリーミングSIMD拡張命令4.2", "Streaming SIMD Extensions 4.2"},  // 20
    {"x2APIC", "x2APIC"},  // 21
    {"MOVBE命令有効", "MOVBE instruction"},  // 22
    {"POPCNT命令有効", "POPCNT instruction"},  // 23
    {"TSC-Deadline", "TSC-Deadline"},  // 24
    {"AES命令拡張", "AES instruction extensions"},  // 25
    {"XSAVE", "XSAVE"},  // 26
    {"OSXSAVE", "OSXSAVE"},  // 27
    {"AVX命令拡張", "AVX"},  // 28
    {"16bit浮動小数点変換命令", "F16C"},  // 29
    {"RDRAND命令有効", "RDRAND"},  // 30
    {"未使用(常に0)", "Not Used(Always 0)"},  // 31
};

const LocalText AmdStandardEdxNames[32] = {
    {"オンチップ浮動小数点ユニット", "Floating-point unit on-Chip"},  // 0
    {"仮想モード拡張", "Virtual-Mode Enhancements"},  // 1
    {"デバッグ拡張機能", "Debugging Extension"},  // 2
    {"ページサイズ拡張機能", "Page-Size Extension"},  // 3
    {"タイムスタンプカウンタ", "Time Stamp Counter"},  // 4
    {"AMDモデル特殊レジスタ", "AMD Model-Specific Registers"},  // 5
    {"物理アドレス拡張機能", "Physical-Address Extensions"},  // 6
    {"マシンチェック例外", "Machine Check Exception"},  // 7
    {"CMPXCHG8命令サポート", "CMPXCHG8 Instruction"},  // 8
    {"オンチップAPICサポート", "On-chip APIC Hardware"},  // 9
    {"未定義", "Undefined"},  // 10
    {"高速システムコール", "Fast System Call"},  // 11
    {"メモリタイプレンジレジスタ", "Memory-Type Range Registers"},  // 12
    {"ページグローバル拡張", "Page Global Extension"},  // 13
    {"マシンチェックアーキテクチャ", "Machine Check Architecture"},  // 14
    {"条件付きMove命令のサポート", "Conditional Move Instruction"},  // 15
    {"ページ属性テーブル", "Page Attribute Table"},  // 16
    {"36-bitページサイズ拡張", "36-bit Page Size Extension"},  // 17
    {"未定義", "Undefined"},  // 18
    {"CLFLUSH命令", "CLFLUSH Instruction"},  // 19
    {"未定義", "Undefined"},  // 20
    {"未定義", "Undefined"},  // 21
    {"未定義", "Undefined"},  // 22
    {"MMX命令のサポート", "MMX Instructions"},  // 23
    {"高速浮動小数点コンテキスト", "Fast floating point save"},  // 24
    {"ストリーミングSIMD拡張命令", "Streaming SIMD Extensions"},  // 25
    {"ストリーミングSIMD拡張命令2", "Streaming SIMD Extensions 2"},  // 26
    {"未定義", "Undefined"},  // 27
    {"Hyper-Threadingテクノロジ", "Hyper-Threading Technology"},  // 28
    {"未定義", "Undefined"},  // 29
    {"未定義", "Undefined"},  // 30
    {"未定義", "Undefined"},  // 31
};

const LocalText AmdStandardEcxNames[32] = {
    {"ストリーミングSIMD拡張命令3", "Streaming SIMD Extensions 3"},  // 0
    {"PCLMULQDQ命令有効", "PCLMULQDQ instruction support"},  // 1
    {"未定義", "Undefined"},  // 2
    {"MONITOR/MWAIT命令有効", "MONITOR/MWAIT Instruction"},  // 3
    {"未定義", "Undefined"},  // 4
    {"未定義", "Undefined"},  // 5
    {"未定義", "Undefined"},  // 6
    {"未定義", "Undefined"},  // 7
    {"未定義", "Undefined"},  // 8
    {"Supplemental SSE3", "Supplemental SSE3"},  // 9
    {"未定義", "Undefined"},  // 10
    {"未定義", "Undefined"},  // 11
    {"FMA命令有効", "FMA instruction support"},  // 12
    {"CMPXCHG16B命令有効", "CMPXCHG16B Instruction"},  // 13
    {"未定義", "Undefined"},  // 14
    {"未定義", "Undefined"},  // 15
    {"未定義", "Undefined"},  // 16
    {"未定義", "Undefined"},  // 17
    {"未定義", "Undefined"},  // 18
    {"ストリーミングSIMD拡張命令4.1", "Streaming SIMD Extensions 4.1"},  // 19
    {"ストリーミングSIMD拡張命令4.2", "Streaming SIMD Extensions 4.2"},  // 20
    {"未定義", "Undefined"},  // 21
    {"未定義", "Undefined"},  // 22
    {"POPCNT命令有効", "POPCNT instruction"},  // 23
    {"未定義", "Undefined"},  // 24
    {"AES命令有効", "AES instruction support"},  // 25
    {"XSAVE", "XSAVE"},  // 26
    {"OSXSAVE", "OSXSAVE"},  // 27
    {"AVX命令有効", "AVX instruction support"},  // 28
    {"F16C", "F16C"},  // 29
    {"未定義", "Undefined"},  // 30
    {"未定義", "Undefined"},  // 31
};

const LocalText IntelExtendedEdxNames[32] = {
    {"未定義", "Undefined"},  // 0
    {"未定義", "Undefined"},  // 1
    {"未定義", "Undefined"},  // 2
    {"未定義", "Undefined"},  // 3
    {"未定義", "Undefined"},  // 4
    {"未定義", "Undefined"},  // 5
    {"未定義", "Undefined"},  // 6
    {"未定義", "Undefined"},  // 7
    {"未定義", "Undefined"},  // 8
    {"未定義", "Undefined"},  // 9
    {"未定義", "Undefined"},  // 10
    {"SYSCALL/SYSRET命令(64bit)", "SYSCALL/SYSRET (64bit)"},  // 11
    {"未定義", "Undefined"},  // 12
    {"未定義", "Undefined"},  // 13
    {"未定義", "Undefined"},  // 14
    {"未定義", "Undefined"},  // 15
    {"未定義", "Undefined"},  // 16
    {"未定義", "Undefined"},  // 17
    {"未定義", "Undefined"},  // 18
    {"未定義", "Undefined"},  // 19
    {"ウィルス防御機構「XD」", "Execute Disable Bit"},  // 20
    {"未定義", "Undefined"},  // 21
    {"未定義", "Undefined"},  // 22
    {"未定義", "Undefined"},  // 23
    {"未定義", "Undefined"},  // 24
    {"未定義", "Undefined"},  // 25
    {"1-GByte pages", "1-GByte pages"},  // 26
    {"RDTSCP/IA32_TSC_AUX", "RDTSCP and IA32_TSC_AUX"},  // 27
    {"未定義", "Undefined"},  // 28
    {"64ビット命令セット", "Intel 64 Architecture"},  // 29
    {"未定義", "Undefined"},  // 30
    {"未定義", "Undefined"},  // 31
};

const LocalText IntelExtendedEcxNames[32] = {
    {"LAHF/SAHF(IA-32e)", "LAHF/SAHF(IA-32e)"},  // 0
    {"未定義", "Undefined"},  // 1
    {"未定義", "Undefined"},  // 2
    {"未定義", "Undefined"},  // 3
    {"未定義", "Undefined"},  // 4
    {"未定義", "Undefined"},  // 5
    {"未定義", "Undefined"},  // 6
    {"未定義", "Undefined"},  // 7
    {"未定義", "Undefined"},  // 8
    {"未定義", "Undefined"},  // 9
    {"未定義", "Undefined"},  // 10
    {"未定義", "Undefined"},  // 11
    {"未定義", "Undefined"},  // 12
    {"未定義", "Undefined"},  // 13
    {"未定義", "Undefined"},  // 14
    {"未定義", "Undefined"},  // 15
    {"未定義", "Undefined"},  // 16
    {"未定義", "Undefined"},  // 17
    {"未定義", "Undefined"},  // 18
    {"未定義", "Undefined"},  // 19
    {"未定義", "Undefined"},  // 20
    {"未定義", "Undefined"},  // 21
    {"未定義", "Undefined"},  // 22
    {"未定義", "Undefined"},  // 23
    {"未定義", "Undefined"},  // 24
    {"未定義", "Undefined"},  // 25
    {"未定義", "Undefined"},  // 26
    {"未定義", "Undefined"},  // 27
    {"未定義", "Undefined"},  // 28
    {"未定義", "Undefined"},  // 29
    {"未定義", "Undefined"},  // 30
    {"未定義", "Undefined"},  // 31
};

const LocalText AmdExtendedEdxNames[32] = {
    {"浮動小数点ユニット", "Floating-Point Unit on-chip"},  // 0
    {"仮想モード拡張機能", "Virtual Mode Extensions"},  // 1
    {"デバッグ用拡張機能", "Debugging Extensions"},  // 2
    {"ページサイズ拡張機能", "Page Size Extensions"},  // 3
    {"タイムスタンプカウンタ", "Time Stamp Counter"},  // 4
    {"AMDモデル特殊レジスタ", "AMD model-specific registers"},  // 5
    {"ページアドレス拡張", "Page Address Extensions"},  // 6
    {"マシンチェック例外", "Machine Check Exception"},  // 7
    {"CMPXCHG8命令", "CMPXCHG8 Instruction"},  // 8
    {"APIC利用可", "APIC is available"},  // 9
    {"未定義", "Undefined"},  // 10
    {"高速システムコール", "Fast System Call"},  // 11
    {"MTRR_CAPレジスタ", "Memory Type Range Registers"},  // 12
    {"グローバルページ拡張", "Page Global Extension"},  // 13
    {"MCG_CAPレジスタ", "Machine Check Architecture"},  // 14
    {"条件付き移動命令のサポート", "Conditional Move"},  // 15
    {"ページ属性テーブル", "Page Attribute Table"},  // 16
    {"ページサイズ拡張", "Page Size Extension"},  // 17
    {"未定義", "Undefined"},  // 18
    {"未定義", "Undefined"},  // 19
    {"非実行ページ保護", "No-execute Page Protection"},  // 20
    {"未定義", "Undefined"},  // 21
    {"AMD独自拡張MMX命令セット", "AMD Extensions to the MMX"},  // 22
    {"MMX命令のサポート", "MMX Instructions"},  // 23
    {"FXSAVE/FXRSTOR命令", "FXSAVE/FXRSTOR"},  // 24
    {"FXSAVE/FXRSTOR命令最適化", "FXSAVE/FXRSTOR optimizations"},  // 25
    {"1-GB large page support", "1-GB large page support"},  // 26
    {"RDTSCP命令", "RDTSCP instruction"},  // 27
    {"未定義", "Undefined"},  // 28
    {"拡張アドレス有効", "Long Mode Capable"},  // 29
    {"AMD 3DNow!拡張命令セット", "3DNow! Extensions"},  // 30
    {"3DNow!命令セット", "3DNow! Instructions"},  // 31
};

const LocalText AmdExtendedEcxNames[32] = {
    {"LAHF and SAHF in 64bit mode", "LAHF and SAHF in 64bit mode"},  // 0
    {"CmpLegacy mode", "CmpLegacy mode"},  // 1
    {"セキュア仮想マシン", "Secure Virtual Machine"},  // 2
    {"Extended APIC Space", "Extended APIC Space"},  // 3
    {"AltMovCr8", "AltMovCr8"},  // 4
    {"Advanced Bit Manipulation", "Advanced Bit Manipulation"},  // 5
    {"SSE4A命令有効", "SSE4A"},  // 6
    {"Misaligned SSE mode", "Misaligned SSE mode"},  // 7
    {"3DNowPrefetch", "3DNowPrefetch"},  // 8
    {"OS Visible Workaround", "OS Visible Workaround"},  // 9
    {"Instruction based sampling", "Instruction based sampling"},  // 10
    {"拡張命令有効", "extended operation support"},  // 11
    {"SKINIT/STGI有効", "SKINIT and STGI"},  // 12
    {"Watchdog Timer 有効", "Watchdog Timer support"},  // 13
    {"未定義", "Undefined"},  // 14
    {"lightweight profiling有効", "lightweight profiling support"},  // 15
    {"4-operand FMA命令有効", "4-operand FMA"},  // 16
    {"未定義", "Undefined"},  // 17
    {"未定義", "Undefined"},  // 18
    {"NodeId", "NodeId"},  // 19
    {"未定義", "Undefined"},  // 20
    {"trailing bit manipulation", "trailing bit manipulation"},  // 21
    {"TopologyExtensions有効", "topology extensions support"},  // 22
    {"未定義", "Undefined"},  // 23
    {"未定義", "Undefined"},  // 24
    {"未定義", "Undefined"},  // 25
    {"未定義", "Undefined"},  // 26
    {"未定義", "Undefined"},  // 27
    {"未定義", "Undefined"},  // 28
    {"未定義", "Undefined"},  // 29
    {"未定義", "Undefined"},  // 30
    {"未定義", "Undefined"},  // 31
};

const LocalText CyrixExtendedEdxNames[32] = {
    {"オンチップ浮動小数点ユニット", "FPU"},  // 0
    {"仮想モード拡張機能", "V86"},  // 1
    {"デバッグ用拡張機能", "Debug Extension"},  // 2
    {"ページサイズ拡張機能(4MB)", "Page Size Extensions (4-MByte)"},  // 3
    {"タイムスタンプカウンタ", "Time stamp Counter"},  // 4
    {"Cyrixモデル固有レジスタ", "Cyrix MSR"},  // 5
    {"ページアドレス拡張", "PAE"},  // 6
    {"マシンチェック例外", "MC Exception"},  // 7
    {"CMPXCHG8命令", "CMPXCHG8"},  // 8
    {"オンチップAPIC", "APIC on Chip"},  // 9
    {"高速システムコール", "SYSCALL/SYSRET"},  // 10
    {"未定義", "Undefined"},  // 11
    {"MTRR_CAPレジスタ", "MTRR"},  // 12
    {"PTE-PGEグローバル", "PTE-PGE Global"},  // 13
    {"マシンチェックアーキテクチャ", "Machine Check"},  // 14
    {"条件付き移動命令のサポート", "CMOV"},  // 15
    {"浮動小数点転送命令", "Floating Point move"},  // 16
    {"未定義", "Undefined"},  // 17
    {"未定義", "Undefined"},  // 18
    {"未定義", "Undefined"},  // 19
    {"未定義", "Undefined"},  // 20
    {"未定義", "Undefined"},  // 21
    {"未定義", "Undefined"},  // 22
    {"MMX命令のサポート", "MMX Instructions"},  // 23
    {"Cyrix MMX拡張命令", "Cyrix MMX Extensions"},  // 24
    {"未定義", "Undefined"},  // 25
    {"未定義", "Undefined"},  // 26
    {"未定義", "Undefined"},  // 27
    {"未定義", "Undefined"},  // 28
    {"未定義", "Undefined"},  // 29
    {"未定義", "Undefined"},  // 30
    {"3DNow!命令", "3DNow! Instructions"},  // 31
};

const char* const Leaf7EbxNames[32] = {
    "FSGSBASE",   "IA32_TSC_ADJUST", "SGX",        "BMI1",       "HLE",      "AVX2",     "FDP_EXCPTN_ONLY",
    "SMEP",       "BMI2",            "ERMS",       "INVPCID",    "RTM",      "RDT-M",    "Deprecates FPU CS/DS",
    "MPX",        "RDT-A",           "AVX512F",    "AVX512DQ",   "RDSEED",   "ADX",      "SMAP",
    "AVX512_IFMA", "Reserved",       "CLFLUSHOPT", "CLWB",       "Intel PT", "AVX512PF", "AVX512ER",
    "AVX512CD",   "SHA",             "AVX512BW",   "AVX512VL",
};

const char* const Leaf7EcxNames[32] = {
    "PREFETCHWT1", "AVX512_VBMI", "UMIP",       "PKU",           "OSPKE",         "WAITPKG",     "AVX512_VBMI2",
    "CET_SS",      "GFNI",        "VAES",       "VPCLMULQDQ",    "AVX512_VNNI",   "AVX512_BITALG", "TME_EN",
    "AVX512_VPOPCNTDQ", "Reserved", "LA57",     "MAWAU",         "MAWAU",         "MAWAU",       "MAWAU",
    "MAWAU",       "RDPID",       "KL",         "BUS_LOCK_DETECT", "CLDEMOTE",    "Reserved",    "MOVDIRI",
    "MOVDIR64B",   "ENQCMD",      "SGX_LC",     "PKS",
};

const char* const Leaf7EdxNames[32] = {
    "Reserved",    "SGX-KEYS",   "AVX512_4VNNIW", "AVX512_4FMAPS", "FSRM",       "UINTR",        "Reserved",
    "Reserved",    "AVX512_VP2INTERSECT", "SRBDS_CTRL", "MD_CLEAR", "RTM_ALWAYS_ABORT", "Reserved", "RTM_FORCE_ABORT",
    "SERIALIZE",   "Hybrid",     "TSXLDTRK",      "Reserved",      "PCONFIG",    "Architectural LBRs", "CET_IBT",
    "Reserved",    "AMX-BF16",   "AVX512_FP16",   "AMX-TILE",      "AMX-INT8",   "IBRS_IBPB",    "STIBP",
    "L1D_FLUSH",   "IA32_ARCH_CAPABILITIES", "IA32_CORE_CAPABILITIES", "SSBD",
};

const char* const Leaf7Subleaf1EaxNames[32] = {
    "SHA512",    "SM3",       "SM4",       "RAO-INT",   "AVX-VNNI",  "AVX512_BF16", "LASS",
    "CMPCCXADD", "ArchPerfmonExt", "Reserved", "Fast zero-length REP MOVSB", "Fast short REP STOSB",
    "Fast short REP CMPSB/SCASB", "Reserved", "Reserved", "Reserved", "Reserved", "FRED",
    "LKGS",      "WRMSRNS",   "NMI_SRC",   "AMX-FP16",  "HRESET",    "AVX-IFMA",    "Reserved",
    "Reserved",  "LAM",       "MSRLIST",   "Reserved",  "Reserved",  "INVD_DISABLE_POST_BIOS_DONE", "MOVRS",
};
