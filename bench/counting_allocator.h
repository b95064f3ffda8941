// Counts the program's heap allocations (a replacement of operator new linked
// into the benchmark), so a benchmark can show that a loop allocates nothing.
#pragma once

long AllocationCount();
