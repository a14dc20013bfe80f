#pragma once

// Watches the sizes the program asks of operator new, so that a test can tell
// that a read refused a length before allocating for it.

#include <cstddef>

namespace kv::test {

// The largest single allocation since the last call, which starts over.
std::size_t PlusGrandeAllocationDepuis();

}  // namespace kv::test
