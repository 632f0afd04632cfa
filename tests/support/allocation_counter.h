#pragma once
// Counts the heap allocations of the program it is linked into: linking allocation_counter.cpp
// replaces the global operator new and delete. For the tests and benchmarks that check which
// operations stay off the heap; no other program links it.

#include <cstddef>

namespace tovel::test {

// Allocations through operator new (every form) since the program started.
std::size_t AllocationCount();

// Allocations made while it existed: construct, run the code, read Count().
class AllocationScope {
  public:
    AllocationScope() : m_start(AllocationCount()) {}
    std::size_t Count() const { return AllocationCount() - m_start; }

  private:
    std::size_t m_start;
};

}  // namespace tovel::test
