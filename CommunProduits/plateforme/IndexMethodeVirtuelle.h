#pragma once

// The place of a virtual method in its class's table of virtual methods, read
// from a pointer to member function. C++ gives no portable way to ask for it;
// the representation of such a pointer belongs to the platform's C++ ABI.

#include <cstddef>
#include <cstdint>

namespace kv::plateforme {

enum class TypeLectureMethodeVirtuelle : std::uint8_t {
  lmvVirtuelle,     // AIndice holds the slot, from 0
  lmvNonVirtuelle,  // the pointer designates a function that is not virtual
  lmvAjustee,       // the pointer moves the object (a method of a base that is not the first)
  lmvInconnue,      // not a pointer to member function of this ABI
};

// Reads the pointer to member function whose object representation is the
// ATaille bytes at APointeur (copy it with std::memcpy). AIndice is written only
// for lmvVirtuelle.
TypeLectureMethodeVirtuelle LireIndiceMethodeVirtuelle(const void* APointeur, std::size_t ATaille,
                                                       std::int32_t& AIndice) noexcept;

}  // namespace kv::plateforme
