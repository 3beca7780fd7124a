// How many logical processors, cores and packages Windows counts on this
// machine, across every processor group.
#pragma once

// Every logical processor (GetActiveProcessorCount over all groups where
// Windows has it, else GetSystemInfo's count); *cores and *packages from
// GetLogicalProcessorInformationEx, 0 where Windows does not tell them.
unsigned LiveMachineProcessors(unsigned* cores, unsigned* packages);
