#pragma once

// Counts the allocations of this test binary made while counting is on (the
// binary replaces the global operator new), to show what allocates nothing.
namespace test_support {

void StartCountingAllocations();
// Stops counting; returns the allocations made since the start.
long StopCountingAllocations();

} // namespace test_support
