#include "tests/support/fault_trap.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

static const size_t PageSize = 4096;

// One reserved block, kept and grown: its last page is the guard.
static char* Guarded;
static size_t GuardedPages;

GuardedBytes PlaceBeforeGuardPage(const std::string& bytes) {
    size_t pages = (bytes.size() + PageSize - 1) / PageSize + 1;
    if (pages > GuardedPages) {
        if (Guarded) VirtualFree(Guarded, 0, MEM_RELEASE);
        GuardedPages = 0;
        Guarded = (char*)VirtualAlloc(NULL, pages * PageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        DWORD old;
        if (Guarded && !VirtualProtect(Guarded + (pages - 1) * PageSize, PageSize, PAGE_NOACCESS, &old)) {
            VirtualFree(Guarded, 0, MEM_RELEASE);
            Guarded = NULL;
        }
        if (!Guarded) return GuardedBytes{NULL, 0};
        GuardedPages = pages;
    }
    char* end = Guarded + (GuardedPages - 1) * PageSize;
    memcpy(end - bytes.size(), bytes.data(), bytes.size());
    return GuardedBytes{end - bytes.size(), bytes.size()};
}

static jmp_buf TrapReturn;
static DWORD TrapThread;  // 0 while nothing runs trapped
static DWORD TrapCode;
static void* TrapAddress;
static ULONG_PTR TrapAccess[2];  // read (0) or write (1), and the address

static void ReturnFromFault() {
    longjmp(TrapReturn, 1);
}

static bool IsHardwareFault(DWORD code) {
    static const DWORD Faults[] = {EXCEPTION_ACCESS_VIOLATION, EXCEPTION_ARRAY_BOUNDS_EXCEEDED,
                                   EXCEPTION_DATATYPE_MISALIGNMENT, EXCEPTION_ILLEGAL_INSTRUCTION,
                                   EXCEPTION_INT_DIVIDE_BY_ZERO,  EXCEPTION_INT_OVERFLOW,
                                   EXCEPTION_PRIV_INSTRUCTION,    EXCEPTION_IN_PAGE_ERROR};
    for (DWORD fault : Faults)
        if (code == fault) return true;
    return false;
}

// The faulting thread resumes in ReturnFromFault, as if called from where
// it stood, so longjmp leaves from ordinary code and unwinds the SEH
// chain as it would after any call; a jump from inside the handler would
// leave the dispatcher's frames registered.
static LONG CALLBACK TrapFault(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (TrapThread != GetCurrentThreadId() || !IsHardwareFault(record->ExceptionCode))
        return EXCEPTION_CONTINUE_SEARCH;
    TrapThread = 0;
    TrapCode = record->ExceptionCode;
    TrapAddress = record->ExceptionAddress;
    TrapAccess[0] = record->NumberParameters >= 2 ? record->ExceptionInformation[0] : 0;
    TrapAccess[1] = record->NumberParameters >= 2 ? record->ExceptionInformation[1] : 0;
    CONTEXT* context = info->ContextRecord;
    context->Esp = ((context->Esp - 256) & ~(DWORD)15) - 4;
    context->Eip = (DWORD)(uintptr_t)ReturnFromFault;
    return EXCEPTION_CONTINUE_EXECUTION;
}

bool RunTrapped(void (*run)(void* context), void* context, char* fault, size_t faultSize) {
    static PVOID handler = AddVectoredExceptionHandler(1, TrapFault);
    (void)handler;
    if (setjmp(TrapReturn) == 0) {
        TrapThread = GetCurrentThreadId();
        run(context);
        TrapThread = 0;
        return true;
    }
    snprintf(fault, faultSize, "exception %08lx at %p (%s %08lx)", TrapCode, TrapAddress,
             TrapAccess[0] ? "writing" : "reading", (unsigned long)TrapAccess[1]);
    return false;
}
