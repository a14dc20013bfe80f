#pragma once

// Watches the largest single allocation made through operator new while an
// object of this class lives, to show that a reader does not trust a count it
// has not verified. One watch at a time.

#include <cstddef>

namespace kv::tests {

class TSurveillanceAllocations {
 public:
  TSurveillanceAllocations();
  ~TSurveillanceAllocations();
  TSurveillanceAllocations(const TSurveillanceAllocations&) = delete;
  TSurveillanceAllocations& operator=(const TSurveillanceAllocations&) = delete;

  // Bytes of the largest request since the watch began.
  std::size_t PlusGrande() const;
};

}  // namespace kv::tests
