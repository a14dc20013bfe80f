#include "SurveillanceAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace kv::tests {
namespace {

std::atomic<bool> GSurveillance{false};
std::atomic<std::size_t> GPlusGrande{0};

}  // namespace

TSurveillanceAllocations::TSurveillanceAllocations() {
  GPlusGrande = 0;
  GSurveillance = true;
}

TSurveillanceAllocations::~TSurveillanceAllocations() { GSurveillance = false; }

std::size_t TSurveillanceAllocations::PlusGrande() const { return GPlusGrande; }

}  // namespace kv::tests

// The replaceable allocation functions of this test program; the array and
// non-throwing forms reach these through their default definitions.
void* operator new(std::size_t ATaille) {
  if (kv::tests::GSurveillance) {
    std::size_t connue = kv::tests::GPlusGrande;
    while (ATaille > connue && !kv::tests::GPlusGrande.compare_exchange_weak(connue, ATaille)) {
    }
  }
  if (void* bloc = std::malloc(ATaille == 0 ? 1 : ATaille)) return bloc;
  throw std::bad_alloc();
}

void operator delete(void* ABloc) noexcept { std::free(ABloc); }
void operator delete(void* ABloc, std::size_t) noexcept { std::free(ABloc); }
