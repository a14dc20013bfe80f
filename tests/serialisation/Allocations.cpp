#include "Allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace kv::test {
namespace {

std::atomic<std::size_t> PlusGrande{0};

}  // namespace

std::size_t PlusGrandeAllocationDepuis() { return PlusGrande.exchange(0); }

}  // namespace kv::test

// The replaceable global forms; the array forms go through these.
void* operator new(std::size_t ATaille) {
  std::size_t plusGrande = kv::test::PlusGrande.load(std::memory_order_relaxed);
  while (ATaille > plusGrande && !kv::test::PlusGrande.compare_exchange_weak(plusGrande, ATaille)) {
  }
  if (void* bloc = std::malloc(ATaille == 0 ? 1 : ATaille)) return bloc;
  throw std::bad_alloc();
}

void operator delete(void* ABloc) noexcept { std::free(ABloc); }

void operator delete(void* ABloc, std::size_t) noexcept { std::free(ABloc); }

// The aligned forms, which dynamic-array blocks use.
void* operator new(std::size_t ATaille, std::align_val_t AAlignement) {
  std::size_t plusGrande = kv::test::PlusGrande.load(std::memory_order_relaxed);
  while (ATaille > plusGrande && !kv::test::PlusGrande.compare_exchange_weak(plusGrande, ATaille)) {
  }
  const auto alignement = static_cast<std::size_t>(AAlignement);
  const std::size_t taille =
      ((ATaille == 0 ? 1 : ATaille) + alignement - 1) / alignement * alignement;
  if (void* bloc = std::aligned_alloc(alignement, taille)) return bloc;
  throw std::bad_alloc();
}

void operator delete(void* ABloc, std::align_val_t) noexcept { std::free(ABloc); }

void operator delete(void* ABloc, std::size_t, std::align_val_t) noexcept { std::free(ABloc); }

// The no-throw forms, written out: a sanitizer's own versions would not reach
// the replacements above, and their blocks would come back through them.
void* operator new(std::size_t ATaille, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(ATaille);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void* operator new(std::size_t ATaille, std::align_val_t AAlignement,
                   const std::nothrow_t&) noexcept {
  try {
    return ::operator new(ATaille, AAlignement);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
