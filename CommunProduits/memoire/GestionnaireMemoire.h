#pragma once

// The process memory manager, as far as the framework hands it to libraries
// that let their allocations be routed (ICU): allocate, resize, free, and a
// count of the blocks it has handed out and not yet taken back.

#include <cstddef>
#include <cstdint>

namespace kv::memoire {

// ATaille bytes; null when the memory cannot be had.
void* Allouer(std::size_t ATaille) noexcept;

// ABloc resized to ATaille bytes, its contents kept; a null ABloc allocates.
// A size of 0 frees ABloc and answers null. On failure answers null and
// ABloc is left as it was.
void* Reallouer(void* ABloc, std::size_t ATaille) noexcept;

// Gives ABloc back; null is ignored.
void Liberer(void* ABloc) noexcept;

// Blocks handed out by the functions above and not yet given back.
std::int64_t BlocsEnCours() noexcept;

}  // namespace kv::memoire
