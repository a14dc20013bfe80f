#pragma once

// A few lines of assembly that stand between a caller and the function it
// calls, so that the tests see what the compiler really put where: the
// routine stores the argument registers and the first stack words on entry,
// calls the target with the same stack, stores the result registers, and
// returns to the caller. Its address stands in for a function (through a
// pointer of the function's type) or for a slot of an object's table.
// x86-64 only; not reentrant.

#include <cstdint>
#include <functional>

#include "serialisation/DispositionAppel.h"

namespace kv::test {

struct TypeCapture {
  std::uint64_t Entiers[6];            // RDI, RSI, RDX, RCX, R8, R9 on entry
  std::uint64_t Sse[8];                // low 64 bits of XMM0 to XMM7 on entry
  std::uint64_t Pile[16];              // the words above the return address on entry
  std::uint64_t Rax, Rdx, Xmm0, Xmm1;  // on return
  std::uint64_t Retour;                // the caller's return address, kept during the call
  const void* Cible;                   // the function the routine calls
};

extern TypeCapture GCapture asm("kv_test_capture");

// The routine; never called as declared.
void CapturerAppel() asm("kv_test_capturer");

// What the implementations behind the routine run during the call, while the
// arguments they received are alive.
extern std::function<void()> GVerification;

// The word captured for an argument position or a piece of the result.
std::uint64_t MotArgument(const TypeEmplacement& AEmplacement);
std::uint64_t MotResultat(const TypeEmplacement& AEmplacement);

// What a parameter's position must show: the bytes of AValeur, or the address
// of a value equal to it.
struct TypeAttendu {
  const void* Valeur;
  std::size_t Taille;
  bool (*Egal)(const void* AObtenu, const void* AAttendu);
};

template <class T>
TypeAttendu Attendu(const T& AValeur) {
  return {&AValeur, sizeof(T), [](const void* AObtenu, const void* AAttendu) {
            return *static_cast<const T*>(AObtenu) == *static_cast<const T*>(AAttendu);
          }};
}

// Compares the ATaille low bytes of AMot with AOctets.
bool MemesOctets(std::uint64_t AMot, const void* AOctets, std::size_t ATaille);

}  // namespace kv::test
