#include "memoire/GestionnaireMemoire.h"

#include <atomic>
#include <cstdlib>

namespace kv::memoire {

namespace {
// Libraries may allocate from threads of their own.
std::atomic<std::int64_t> GBlocsEnCours{0};
}  // namespace

void* Allouer(std::size_t ATaille) noexcept {
  // malloc(0) may answer null; a caller must be able to tell that from a failure.
  void* bloc = std::malloc(ATaille == 0 ? 1 : ATaille);
  if (bloc) GBlocsEnCours.fetch_add(1, std::memory_order_relaxed);
  return bloc;
}

void* Reallouer(void* ABloc, std::size_t ATaille) noexcept {
  if (!ABloc) return Allouer(ATaille);
  if (ATaille == 0) {
    Liberer(ABloc);
    return nullptr;
  }
  return std::realloc(ABloc, ATaille);
}

void Liberer(void* ABloc) noexcept {
  if (!ABloc) return;
  GBlocsEnCours.fetch_sub(1, std::memory_order_relaxed);
  std::free(ABloc);
}

std::int64_t BlocsEnCours() noexcept { return GBlocsEnCours.load(std::memory_order_relaxed); }

}  // namespace kv::memoire
