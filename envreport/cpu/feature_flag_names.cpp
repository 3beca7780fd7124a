// The names of the CPUID feature bits, one table per register and vendor,
// bit 0 first: English, then Japanese.
#include "envreport/cpu/feature_flag_names.h"

const FeatureFlagName StandardEdxNames[32] = {
    {"Floating-point unit on-Chip", "オンチップ浮動小数点ユニット"},  // 0
    {"Virtual Mode Extension", "仮想モード拡張"},  // 1
    {"Debugging Extension", "デバッグ拡張機能"},  // 2
    {"Page Size Extension", "ページサイズ拡張機能"},  // 3
    {"Time Stamp Counter", "タイムスタンプカウンタ"},  // 4
    {"Model Specific Registers", "モデル固有レジスタ"},  // 5
    {"Physical Address Extension", "物理アドレス拡張機能"},  // 6
    {"Machine Check Exception", "マシンチェック例外"},  // 7
    {"CMPXCHG8 Instruction", "CMPXCHG8命令サポート"},  // 8
    {"On-chip APIC Hardware", "オンチップAPICサポート"},  // 9
    {"Undefined", "未定義"},  // 10
    {"Fast System Call", "高速システムコール"},  // 11
    {"Memory Type Range Registers", "メモリタイプレンジレジスタ"},  // 12
    {"Page Global Enable", "ページグローバルイネーブル"},  // 13
    {"Machine Check Architecture", "マシンチェックアーキテクチャ"},  // 14
    {"Conditional Move Instruction", "条件付きMove命令のサポート"},  // 15
    {"Page Attribute Table", "ページ属性テーブル"},  // 16
    {"36-bit Page Size Extension", "36-bitページサイズ拡張"},  // 17
    {"Processor serial number", "プロセッサシリアル番号有効"},  // 18
    {"CLFLUSH Instruction", "CLFLUSH命令"},  // 19
    {"Undefined", "未定義"},  // 20
    {"Debug Store", "デバッグストア"},  // 21
    {"ACPI Supported", "ACPIサポート"},  // 22
    {"MMX Instructions", "MMX命令のサポート"},  // 23
    {"Fast floating point save", "高速浮動小数点コンテキスト"},  // 24
    {"Streaming SIMD Extensions", "ストリーミングSIMD拡張命令"},  // 25
    {"Streaming SIMD Extensions 2", "ストリーミングSIMD拡張命令2"},  // 26
    {"Self-Snoop", "セルフスヌープ"},  // 27
    {"Hyper-Threading Technology", "Hyper-Threadingテクノロジ"},  // 28
    {"Thermal Monitor supported", "温度モニタのサポート"},  // 29
    {"Undefined", "未定義"},  // 30
    {"Pending Break Enable", "実行状態強制復帰機能"},  // 31
};

const FeatureFlagName StandardEcxNames[32] = {
    {"Streaming SIMD Extensions 3", "ストリーミングSIMD拡張命令3"},  // 0
    {"PCLMULQDQ instruction", "PCLMULQDQ命令有効"},  // 1
    {"DS Area 64-bit Layout", "DS Area 64-bit Layout"},  // 2
    {"MONITOR/MWAIT Instruction", "MONITOR/MWAIT命令有効"},  // 3
    {"CPL Qualified Debug Store", "CPL拡張デバッグストア"},  // 4
    {"Virtual Machine Extensions", "仮想マシン拡張"},  // 5
    {"Safer Mode Extensions", "Safer Mode Extensions"},  // 6
    {"Enhanced SpeedStep Technology", "拡張SpeedStepテクノロジ"},  // 7
    {"Thermal Monitor 2", "温度モニタ2のサポート"},  // 8
    {"Supplemental SSE3", "Supplemental SSE3"},  // 9
    {"L1 Context ID", "L1キャッシュ適合/共有モード"},  // 10
    {"Undefined", "未定義"},  // 11
    {"Fused Multiply Add", "Fused Multiply Add"},  // 12
    {"CMPXCHG16B Instruction", "CMPXCHG16B命令有効"},  // 13
    {"xTPR Update Control", "xTPR Update Control"},  // 14
    {"Perfmon and Debug Capability", "Perfmon and Debug Capability"},  // 15
    {"Undefined", "未定義"},  // 16
    {"Process-context Identifiers", "Process-context Identifiers"},  // 17
    {"Direct Cache Access", "ダイレクトキャッシュアクセス"},  // 18
    {"Streaming SIMD Extensions 4.1", "ストリーミングSIMD拡張命令4.1"},  // 19
    {"Streaming SIMD Extensions 4.2", "ストリーミングSIMD拡張命令4.2"},  // 20
    {"x2APIC", "x2APIC"},  // 21
    {"MOVBE instruction", "MOVBE命令有効"},  // 22
    {"POPCNT instruction", "POPCNT命令有効"},  // 23
    {"TSC-Deadline", "TSC-Deadline"},  // 24
    {"AES instruction extensions", "AES命令拡張"},  // 25
    {"XSAVE", "XSAVE"},  // 26
    {"OSXSAVE", "OSXSAVE"},  // 27
    {"AVX", "AVX命令拡張"},  // 28
    {"F16C", "16bit浮動小数点変換命令"},  // 29
    {"RDRAND", "RDRAND命令有効"},  // 30
    {"Not Used(Always 0)", "未使用(常に0)"},  // 31
};

const FeatureFlagName AmdStandardEdxNames[32] = {
    {"Floating-point unit on-Chip", "オンチップ浮動小数点ユニット"},  // 0
    {"Virtual-Mode Enhancements", "仮想モード拡張"},  // 1
    {"Debugging Extension", "デバッグ拡張機能"},  // 2
    {"Page-Size Extension", "ページサイズ拡張機能"},  // 3
    {"Time Stamp Counter", "タイムスタンプカウンタ"},  // 4
    {"AMD Model-Specific Registers", "AMDモデル特殊レジスタ"},  // 5
    {"Physical-Address Extensions", "物理アドレス拡張機能"},  // 6
    {"Machine Check Exception", "マシンチェック例外"},  // 7
    {"CMPXCHG8 Instruction", "CMPXCHG8命令サポート"},  // 8
    {"On-chip APIC Hardware", "オンチップAPICサポート"},  // 9
    {"Undefined", "未定義"},  // 10
    {"Fast System Call", "高速システムコール"},  // 11
    {"Memory-Type Range Registers", "メモリタイプレンジレジスタ"},  // 12
    {"Page Global Extension", "ページグローバル拡張"},  // 13
    {"Machine Check Architecture", "マシンチェックアーキテクチャ"},  // 14
    {"Conditional Move Instruction", "条件付きMove命令のサポート"},  // 15
    {"Page Attribute Table", "ページ属性テーブル"},  // 16
    {"36-bit Page Size Extension", "36-bitページサイズ拡張"},  // 17
    {"Undefined", "未定義"},  // 18
    {"CLFLUSH Instruction", "CLFLUSH命令"},  // 19
    {"Undefined", "未定義"},  // 20
    {"Undefined", "未定義"},  // 21
    {"Undefined", "未定義"},  // 22
    {"MMX Instructions", "MMX命令のサポート"},  // 23
    {"Fast floating point save", "高速浮動小数点コンテキスト"},  // 24
    {"Streaming SIMD Extensions", "ストリーミングSIMD拡張命令"},  // 25
    {"Streaming SIMD Extensions 2", "ストリーミングSIMD拡張命令2"},  // 26
    {"Undefined", "未定義"},  // 27
    {"Hyper-Threading Technology", "Hyper-Threadingテクノロジ"},  // 28
    {"Undefined", "未定義"},  // 29
    {"Undefined", "未定義"},  // 30
    {"Undefined", "未定義"},  // 31
};

const FeatureFlagName AmdStandardEcxNames[32] = {
    {"Streaming SIMD Extensions 3", "ストリーミングSIMD拡張命令3"},  // 0
    {"PCLMULQDQ instruction support", "PCLMULQDQ命令有効"},  // 1
    {"Undefined", "未定義"},  // 2
    {"MONITOR/MWAIT Instruction", "MONITOR/MWAIT命令有効"},  // 3
    {"Undefined", "未定義"},  // 4
    {"Undefined", "未定義"},  // 5
    {"Undefined", "未定義"},  // 6
    {"Undefined", "未定義"},  // 7
    {"Undefined", "未定義"},  // 8
    {"Supplemental SSE3", "Supplemental SSE3"},  // 9
    {"Undefined", "未定義"},  // 10
    {"Undefined", "未定義"},  // 11
    {"FMA instruction support", "FMA命令有効"},  // 12
    {"CMPXCHG16B Instruction", "CMPXCHG16B命令有効"},  // 13
    {"Undefined", "未定義"},  // 14
    {"Undefined", "未定義"},  // 15
    {"Undefined", "未定義"},  // 16
    {"Undefined", "未定義"},  // 17
    {"Undefined", "未定義"},  // 18
    {"Streaming SIMD Extensions 4.1", "ストリーミングSIMD拡張命令4.1"},  // 19
    {"Streaming SIMD Extensions 4.2", "ストリーミングSIMD拡張命令4.2"},  // 20
    {"Undefined", "未定義"},  // 21
    {"Undefined", "未定義"},  // 22
    {"POPCNT instruction", "POPCNT命令有効"},  // 23
    {"Undefined", "未定義"},  // 24
    {"AES instruction support", "AES命令有効"},  // 25
    {"XSAVE", "XSAVE"},  // 26
    {"OSXSAVE", "OSXSAVE"},  // 27
    {"AVX instruction support", "AVX命令有効"},  // 28
    {"F16C", "F16C"},  // 29
    {"Undefined", "未定義"},  // 30
    {"Undefined", "未定義"},  // 31
};

const FeatureFlagName IntelExtendedEdxNames[32] = {
    {"Undefined", "未定義"},  // 0
    {"Undefined", "未定義"},  // 1
    {"Undefined", "未定義"},  // 2
    {"Undefined", "未定義"},  // 3
    {"Undefined", "未定義"},  // 4
    {"Undefined", "未定義"},  // 5
    {"Undefined", "未定義"},  // 6
    {"Undefined", "未定義"},  // 7
    {"Undefined", "未定義"},  // 8
    {"Undefined", "未定義"},  // 9
    {"Undefined", "未定義"},  // 10
    {"SYSCALL/SYSRET (64bit)", "SYSCALL/SYSRET命令(64bit)"},  // 11
    {"Undefined", "未定義"},  // 12
    {"Undefined", "未定義"},  // 13
    {"Undefined", "未定義"},  // 14
    {"Undefined", "未定義"},  // 15
    {"Undefined", "未定義"},  // 16
    {"Undefined", "未定義"},  // 17
    {"Undefined", "未定義"},  // 18
    {"Undefined", "未定義"},  // 19
    {"Execute Disable Bit", "ウィルス防御機構「XD」"},  // 20
    {"Undefined", "未定義"},  // 21
    {"Undefined", "未定義"},  // 22
    {"Undefined", "未定義"},  // 23
    {"Undefined", "未定義"},  // 24
    {"Undefined", "未定義"},  // 25
    {"1-GByte pages", "1-GByte pages"},  // 26
    {"RDTSCP and IA32_TSC_AUX", "RDTSCP/IA32_TSC_AUX"},  // 27
    {"Undefined", "未定義"},  // 28
    {"Intel 64 Architecture", "64ビット命令セット"},  // 29
    {"Undefined", "未定義"},  // 30
    {"Undefined", "未定義"},  // 31
};

const FeatureFlagName IntelExtendedEcxNames[32] = {
    {"LAHF/SAHF(IA-32e)", "LAHF/SAHF(IA-32e)"},  // 0
    {"Undefined", "未定義"},  // 1
    {"Undefined", "未定義"},  // 2
    {"Undefined", "未定義"},  // 3
    {"Undefined", "未定義"},  // 4
    {"Undefined", "未定義"},  // 5
    {"Undefined", "未定義"},  // 6
    {"Undefined", "未定義"},  // 7
    {"Undefined", "未定義"},  // 8
    {"Undefined", "未定義"},  // 9
    {"Undefined", "未定義"},  // 10
    {"Undefined", "未定義"},  // 11
    {"Undefined", "未定義"},  // 12
    {"Undefined", "未定義"},  // 13
    {"Undefined", "未定義"},  // 14
    {"Undefined", "未定義"},  // 15
    {"Undefined", "未定義"},  // 16
    {"Undefined", "未定義"},  // 17
    {"Undefined", "未定義"},  // 18
    {"Undefined", "未定義"},  // 19
    {"Undefined", "未定義"},  // 20
    {"Undefined", "未定義"},  // 21
    {"Undefined", "未定義"},  // 22
    {"Undefined", "未定義"},  // 23
    {"Undefined", "未定義"},  // 24
    {"Undefined", "未定義"},  // 25
    {"Undefined", "未定義"},  // 26
    {"Undefined", "未定義"},  // 27
    {"Undefined", "未定義"},  // 28
    {"Undefined", "未定義"},  // 29
    {"Undefined", "未定義"},  // 30
    {"Undefined", "未定義"},  // 31
};

const FeatureFlagName AmdExtendedEdxNames[32] = {
    {"Floating-Point Unit on-chip", "浮動小数点ユニット"},  // 0
    {"Virtual Mode Extensions", "仮想モード拡張機能"},  // 1
    {"Debugging Extensions", "デバッグ用拡張機能"},  // 2
    {"Page Size Extensions", "ページサイズ拡張機能"},  // 3
    {"Time Stamp Counter", "タイムスタンプカウンタ"},  // 4
    {"AMD model-specific registers", "AMDモデル特殊レジスタ"},  // 5
    {"Page Address Extensions", "ページアドレス拡張"},  // 6
    {"Machine Check Exception", "マシンチェック例外"},  // 7
    {"CMPXCHG8 Instruction", "CMPXCHG8命令"},  // 8
    {"APIC is available", "APIC利用可"},  // 9
    {"Undefined", "未定義"},  // 10
    {"Fast System Call", "高速システムコール"},  // 11
    {"Memory Type Range Registers", "MTRR_CAPレジスタ"},  // 12
    {"Page Global Extension", "グローバルページ拡張"},  // 13
    {"Machine Check Architecture", "MCG_CAPレジスタ"},  // 14
    {"Conditional Move", "条件付き移動命令のサポート"},  // 15
    {"Page Attribute Table", "ページ属性テーブル"},  // 16
    {"Page Size Extension", "ページサイズ拡張"},  // 17
    {"Undefined", "未定義"},  // 18
    {"Undefined", "未定義"},  // 19
    {"No-execute Page Protection", "非実行ページ保護"},  // 20
    {"Undefined", "未定義"},  // 21
    {"AMD Extensions to the MMX", "AMD独自拡張MMX命令セット"},  // 22
    {"MMX Instructions", "MMX命令のサポート"},  // 23
    {"FXSAVE/FXRSTOR", "FXSAVE/FXRSTOR命令"},  // 24
    {"FXSAVE/FXRSTOR optimizations", "FXSAVE/FXRSTOR命令最適化"},  // 25
    {"1-GB large page support", "1-GB large page support"},  // 26
    {"RDTSCP instruction", "RDTSCP命令"},  // 27
    {"Undefined", "未定義"},  // 28
    {"Long Mode Capable", "拡張アドレス有効"},  // 29
    {"3DNow! Extensions", "AMD 3DNow!拡張命令セット"},  // 30
    {"3DNow! Instructions", "3DNow!命令セット"},  // 31
};

const FeatureFlagName AmdExtendedEcxNames[32] = {
    {"LAHF and SAHF in 64bit mode", "LAHF and SAHF in 64bit mode"},  // 0
    {"CmpLegacy mode", "CmpLegacy mode"},  // 1
    {"Secure Virtual Machine", "セキュア仮想マシン"},  // 2
    {"Extended APIC Space", "Extended APIC Space"},  // 3
    {"AltMovCr8", "AltMovCr8"},  // 4
    {"Advanced Bit Manipulation", "Advanced Bit Manipulation"},  // 5
    {"SSE4A", "SSE4A命令有効"},  // 6
    {"Misaligned SSE mode", "Misaligned SSE mode"},  // 7
    {"3DNowPrefetch", "3DNowPrefetch"},  // 8
    {"OS Visible Workaround", "OS Visible Workaround"},  // 9
    {"Instruction based sampling", "Instruction based sampling"},  // 10
    {"extended operation support", "拡張命令有効"},  // 11
    {"SKINIT and STGI", "SKINIT/STGI有効"},  // 12
    {"Watchdog Timer support", "Watchdog Timer 有効"},  // 13
    {"Undefined", "未定義"},  // 14
    {"lightweight profiling support", "lightweight profiling有効"},  // 15
    {"4-operand FMA", "4-operand FMA命令有効"},  // 16
    {"Undefined", "未定義"},  // 17
    {"Undefined", "未定義"},  // 18
    {"NodeId", "NodeId"},  // 19
    {"Undefined", "未定義"},  // 20
    {"trailing bit manipulation", "trailing bit manipulation"},  // 21
    {"topology extensions support", "TopologyExtensions有効"},  // 22
    {"Undefined", "未定義"},  // 23
    {"Undefined", "未定義"},  // 24
    {"Undefined", "未定義"},  // 25
    {"Undefined", "未定義"},  // 26
    {"Undefined", "未定義"},  // 27
    {"Undefined", "未定義"},  // 28
    {"Undefined", "未定義"},  // 29
    {"Undefined", "未定義"},  // 30
    {"Undefined", "未定義"},  // 31
};

const FeatureFlagName CyrixExtendedEdxNames[32] = {
    {"FPU", "オンチップ浮動小数点ユニット"},  // 0
    {"V86", "仮想モード拡張機能"},  // 1
    {"Debug Extension", "デバッグ用拡張機能"},  // 2
    {"Page Size Extensions (4-MByte)", "ページサイズ拡張機能(4MB)"},  // 3
    {"Time stamp Counter", "タイムスタンプカウンタ"},  // 4
    {"Cyrix MSR", "Cyrixモデル固有レジスタ"},  // 5
    {"PAE", "ページアドレス拡張"},  // 6
    {"MC Exception", "マシンチェック例外"},  // 7
    {"CMPXCHG8", "CMPXCHG8命令"},  // 8
    {"APIC on Chip", "オンチップAPIC"},  // 9
    {"SYSCALL/SYSRET", "高速システムコール"},  // 10
    {"Undefined", "未定義"},  // 11
    {"MTRR", "MTRR_CAPレジスタ"},  // 12
    {"PTE-PGE Global", "PTE-PGEグローバル"},  // 13
    {"Machine Check", "マシンチェックアーキテクチャ"},  // 14
    {"CMOV", "条件付き移動命令のサポート"},  // 15
    {"Floating Point move", "浮動小数点転送命令"},  // 16
    {"Undefined", "未定義"},  // 17
    {"Undefined", "未定義"},  // 18
    {"Undefined", "未定義"},  // 19
    {"Undefined", "未定義"},  // 20
    {"Undefined", "未定義"},  // 21
    {"Undefined", "未定義"},  // 22
    {"MMX Instructions", "MMX命令のサポート"},  // 23
    {"Cyrix MMX Extensions", "Cyrix MMX拡張命令"},  // 24
    {"Undefined", "未定義"},  // 25
    {"Undefined", "未定義"},  // 26
    {"Undefined", "未定義"},  // 27
    {"Undefined", "未定義"},  // 28
    {"Undefined", "未定義"},  // 29
    {"Undefined", "未定義"},  // 30
    {"3DNow! Instructions", "3DNow!命令"},  // 31
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
