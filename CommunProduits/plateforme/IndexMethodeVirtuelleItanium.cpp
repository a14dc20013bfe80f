#include <cstring>

#include "plateforme/IndexMethodeVirtuelle.h"

// The Itanium C++ ABI, which g++ and clang follow on x86-64, represents a
// pointer to member function as two words {ptr, adj}: adj is the adjustment
// added to the object's address before the call; for a virtual function ptr is
// 1 + the byte offset of its slot in the table (odd, since slots are pointer
// aligned), for any other function ptr is the function's address (even).
// Processors that keep the virtual flag in adj (32-bit ARM) would need another
// source.

namespace kv::plateforme {

TypeLectureMethodeVirtuelle LireIndiceMethodeVirtuelle(const void* APointeur, std::size_t ATaille,
                                                       std::int32_t& AIndice) noexcept {
  struct {
    std::uintptr_t Ptr;
    std::ptrdiff_t Adj;
  } representation;
  if (ATaille != sizeof representation) return TypeLectureMethodeVirtuelle::lmvInconnue;
  std::memcpy(&representation, APointeur, sizeof representation);
  if (representation.Adj != 0) return TypeLectureMethodeVirtuelle::lmvAjustee;
  if ((representation.Ptr & 1) == 0) return TypeLectureMethodeVirtuelle::lmvNonVirtuelle;
  AIndice = static_cast<std::int32_t>((representation.Ptr - 1) / sizeof(void*));
  return TypeLectureMethodeVirtuelle::lmvVirtuelle;
}

}  // namespace kv::plateforme
