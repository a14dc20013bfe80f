#pragma once

// Comparison of two values of a type that the caller does not know at compile
// time: every comparer takes the two values by address.

#include <cstdint>

#include "objets/ClasseNonInstanciable.h"
#include "objets/ObjetInterfacable.h"

namespace kv {

// Negative when *a sorts before *b, 0 when they are equal, positive after.
using TypeFoncComparaisonNonType = int (*)(const void* a, const void* b);

class IComparateurNonType : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{1EB112D2-0307-4DA0-83A4-08D86B787C8E}");
  virtual int Comparer(const void* A, const void* B) = 0;

 protected:
  ~IComparateurNonType() = default;
};

// The comparer interface around one comparison function.
class TComparateurNonTypeFoncComparaison : public TObjetInterfacable, public IComparateurNonType {
  KV_INTERFACES(TObjetInterfacable, IComparateurNonType)

 public:
  // AFonction is not null.
  explicit TComparateurNonTypeFoncComparaison(TypeFoncComparaisonNonType AFonction);
  int Comparer(const void* A, const void* B) override;

 private:
  TypeFoncComparaisonNonType FFonction;
};

// The comparison functions of the basic types. Each reads the two values from
// memory (no alignment needed) and answers exactly -1, 0 or 1, except the two
// string comparisons (see below).
class TBaseComparer : public TClasseNonInstanciable {
 public:
  // Unsigned 8-bit character.
  static int ComparerAnsiChar(const void* A, const void* B);
  // One byte read as unsigned, false (0) first; other byte values keep their order.
  static int ComparerBoolean(const void* A, const void* B);
  static int ComparerByte(const void* A, const void* B);
  static int ComparerWord(const void* A, const void* B);  // std::uint16_t
  // One UTF-16 code unit by value, whatever the locale.
  static int ComparerChar(const void* A, const void* B);
  static int ComparerCardinal(const void* A, const void* B);  // std::uint32_t
  static int ComparerInteger(const void* A, const void* B);   // std::int32_t
  static int ComparerLongInt(const void* A, const void* B);   // std::int32_t
  static int ComparerInt64(const void* A, const void* B);
  // The values are object references (const void*), ordered by address as
  // unsigned 64-bit numbers: null first.
  static int ComparerTObject(const void* A, const void* B);
  // Date-time (double): plain numeric order, with a NaN on either side equal to
  // everything.
  static int ComparerDate(const void* A, const void* B);
  // Total order over every 64-bit pattern of a double: negative NaNs, -inf,
  // finite values (numerically; +0 equals -0), +inf, positive NaNs. Among
  // positive NaNs the smaller pattern comes first, among negative NaNs the
  // larger. Distinct patterns other than the two zeros are never equal.
  static int ComparerDouble(const void* A, const void* B);
  // Date-time (days since 30 December 1899, fraction = time of day) compared by
  // the month of its calendar date, see IndexMoisDateHeure.
  static int ComparerMois(const void* A, const void* B);
  // std::u16string in the user's locale through plateforme::CompareString,
  // case counting (ComparerString) or not (ComparerTexte): the entry's result
  // minus 2, so -1, 0, 1, or -2 for a failure of the entry or for a string
  // longer than the entry can take (INT_MAX units).
  static int ComparerString(const void* A, const void* B);
  static int ComparerTexte(const void* A, const void* B);
  // The 16 bytes as stored in memory, not the order of the text form: D1 is
  // little-endian, so its lowest byte decides first.
  static int ComparerTGUID(const void* A, const void* B);
  // std::vector<std::uint8_t>: the shorter first, bytes only between equal
  // lengths.
  static int ComparerBlob(const void* A, const void* B);
  // Sets stored on that many bytes, compared byte by byte from the first
  // (lowest) byte in memory.
  static int ComparerEnsembleDeuxOctets(const void* A, const void* B);
  static int ComparerEnsembleQuatreOctets(const void* A, const void* B);
  static int ComparerEnsembleCinqOctets(const void* A, const void* B);
  static int ComparerEnsembleSixOctets(const void* A, const void* B);
  static int ComparerEnsembleSeptOctets(const void* A, const void* B);
  static int ComparerEnsembleHuitOctets(const void* A, const void* B);
  static int ComparerEnsembleNeufOctets(const void* A, const void* B);
};

// Stores in AResultat the unsigned comparison of A and B (-1, 0, 1) and
// answers whether they differ, so that a comparison over several keys can stop
// at the first that decides.
bool ComparerEtPoursuivre(std::uint32_t A, std::uint32_t B, int& AResultat);

}  // namespace kv
