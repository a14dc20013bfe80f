#pragma once

// Layout of a call of a described method in the common call frame through
// which generated interfaces receive their calls and re-invoke them:
//
//   offset 0    the result, when it comes back in registers (8 bytes; 16 under System V)
//   offset 24   argument 0, the interface pointer
//   24 + 8k     argument position k: every argument in 8-byte positions, one after the other
//
// A layout says, for each parameter of a method (the result first when there is
// one), where its value or its address lies in the frame and how it travels
// (its modes), and what the entry stubs and the re-invocation need of the
// calling convention to fill the frame from the registers and the stack, and
// to empty it back. One implementation per calling convention:
// DispositionWindowsX64() as the framework defines it for the Windows x64
// convention, DispositionSystemVX64() for the System V x86-64 convention of g++
// and clang on this kind of machine; DispositionHote() is the one of the host.
//
// The input is plain: what a parameter's serializer and type tell of it.

#include <cstdint>
#include <string_view>
#include <vector>

#include "serialisation/ModesParametre.h"

namespace kv {

// A piece of a value that a processor register holds whole: an integer, a
// pointer or a floating-point number, at Offset in the value.
struct TypeFeuilleScalaire {
  std::int32_t Offset = 0;
  std::int32_t Taille = 0;
  bool Flottant = false;
};

// One parameter, or the result, as the layout sees it.
struct TypeEntreeDisposition {
  TypeModesParametre ModesAPriori = 0;  // the modes the declaration gives
  std::int32_t Taille = 0;              // bytes of a value
  bool Gere = false;                    // the value holds references that must be released
  bool Flottant = false;                // a floating-point register carries it
  std::int32_t NombreParametres = 1;    // argument positions of a value: 2 for an open array
  // System V: the C++ copy of a value is a copy of its bytes. A value that is
  // not (strings, TRef, dynamic arrays and records holding them) travels by
  // address to a copy the caller makes, and comes back through a hidden
  // address.
  bool TrivialementCopiable = true;
  // System V: the scalars of the value, by offset, from which records and
  // arrays of up to 16 bytes are classified. Empty: the value is one scalar
  // (floating when Flottant), or a run of 8-byte integers when larger than 8.
  std::vector<TypeFeuilleScalaire> Feuilles;
};

struct TypeEntreeDispositionMethode {
  bool AvecValeurRetour = false;
  // The result first when AvecValeurRetour, then the declared parameters in order.
  std::vector<TypeEntreeDisposition> Parametres;
};

// Where an argument position or a piece of the result is found at the call.
// Registers by their number in the processor's encoding: RAX 0, RCX 1, RDX 2,
// RSI 6, RDI 7, R8 8, R9 9; XMM0 to XMM7 0 to 7.
enum class TypeGenreEmplacement : std::uint8_t {
  geRegistreEntier,
  geRegistreSse,
  gePile,  // Numero: byte offset from the first stack argument, just above the return address
};

struct TypeEmplacement {
  TypeGenreEmplacement Genre = TypeGenreEmplacement::geRegistreEntier;
  std::int32_t Numero = 0;

  friend bool operator==(const TypeEmplacement&, const TypeEmplacement&) = default;
};

namespace registres_x64 {
inline constexpr std::int32_t RAX = 0, RCX = 1, RDX = 2, RSI = 6, RDI = 7, R8 = 8, R9 = 9;
}

struct TypeDispositionParametre {
  std::int32_t Offset = 0;  // in the frame; 0 for a result in registers
  TypeModesParametre Modes =
      0;  // the modes in force: mpParReference when the frame holds an address
};

struct TypeDispositionMethode {
  std::vector<TypeDispositionParametre> Parametres;  // one per input parameter, same order
  std::int32_t OffsetInterface = 24;
  bool ResultatDansRegistre = false;  // the result comes back in registers, at frame offset 0
  std::int32_t TailleArguments = 0;   // bytes of the argument positions, from offset 24 on

  // Windows x64 only.
  std::int32_t TaillePile = 0;  // bytes of the argument area: at least 32, a multiple of 16
  std::uint8_t MasqueSse = 0;   // bit k: argument k (1 to 3) travels in XMM k

  // System V only.
  // Where argument position k (frame offset 24 + 8k) arrives; the position of
  // a hidden result address arrives in RDI and the interface pointer then in
  // RSI. A value split across two registers fills two positions.
  std::vector<TypeEmplacement> Emplacements;
  // Where each 8-byte piece of a result in registers goes (RAX, RDX, XMM0, XMM1).
  std::vector<TypeEmplacement> EmplacementsResultat;
  std::int32_t OctetsPile = 0;  // bytes of the stack arguments, a multiple of 8
};

// A calling convention's layout of described methods. The implementations are
// process-wide constants that are never destroyed, hence the protected,
// non-virtual destructor.
class TDispositionAppel {
 public:
  virtual std::u16string_view Nom() const noexcept = 0;
  // Raises EArgumentInvalide for an input that describes no method (a result
  // announced without its parameter, a negative size, no argument position).
  virtual TypeDispositionMethode Disposer(const TypeEntreeDispositionMethode& AMethode) const = 0;

 protected:
  constexpr TDispositionAppel() noexcept = default;
  ~TDispositionAppel() = default;
};

const TDispositionAppel& DispositionWindowsX64() noexcept;
const TDispositionAppel& DispositionSystemVX64() noexcept;
// The convention of the machine the program runs on.
const TDispositionAppel& DispositionHote() noexcept;

// Raises EArgumentInvalide for an input that describes no method; the
// layouts check their input through it.
void VerifierEntreeDisposition(const TypeEntreeDispositionMethode& AMethode);

// The size of a value rounded up to whole argument positions.
constexpr std::int32_t TailleSurPile(std::int32_t ATaille) noexcept {
  return (ATaille + 7) / 8 * 8;
}

}  // namespace kv
