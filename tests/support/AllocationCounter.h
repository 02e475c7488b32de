#pragma once
// Counts the calls of the global operator new of the test program.
long AllocationCount();
