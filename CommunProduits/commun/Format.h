#pragma once

// Text formatting with numbered arguments, as the framework's messages are
// written.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "commun/Exception.h"

namespace kv {

// A format that cannot be applied: bad syntax, a missing argument or an
// argument of the wrong kind.
KV_DECLARER_EXCEPTION(EConvertError, Exception);

enum class TypeGenreArgumentFormat : std::uint8_t {
  gafEntier,    // signed 64-bit integer
  gafNonSigne,  // unsigned 64-bit integer
  gafReel,      // double
  gafTexte,     // UTF-16 text
};

// One argument of Formater. A text is only looked at, not copied: the argument
// must not outlive the call it is written in.
class TypeArgumentFormat {
 public:
  TypeArgumentFormat(int AValeur) : TypeArgumentFormat(static_cast<long long>(AValeur)) {}
  TypeArgumentFormat(long AValeur) : TypeArgumentFormat(static_cast<long long>(AValeur)) {}
  TypeArgumentFormat(long long AValeur) : FGenre(TypeGenreArgumentFormat::gafEntier) {
    FEntier = AValeur;
  }
  TypeArgumentFormat(unsigned AValeur)
      : TypeArgumentFormat(static_cast<unsigned long long>(AValeur)) {}
  TypeArgumentFormat(unsigned long AValeur)
      : TypeArgumentFormat(static_cast<unsigned long long>(AValeur)) {}
  TypeArgumentFormat(unsigned long long AValeur) : FGenre(TypeGenreArgumentFormat::gafNonSigne) {
    FNonSigne = AValeur;
  }
  TypeArgumentFormat(double AValeur) : FGenre(TypeGenreArgumentFormat::gafReel) { FReel = AValeur; }
  TypeArgumentFormat(std::u16string_view AValeur)
      : FGenre(TypeGenreArgumentFormat::gafTexte), FTexte(AValeur) {}
  TypeArgumentFormat(const std::u16string& AValeur)
      : TypeArgumentFormat(std::u16string_view(AValeur)) {}
  // A null pointer is the empty text.
  TypeArgumentFormat(const char16_t* AValeur)
      : TypeArgumentFormat(AValeur ? std::u16string_view(AValeur) : std::u16string_view()) {}

  // Would silently become integers or Booleans: refused at compile time.
  TypeArgumentFormat(bool) = delete;
  TypeArgumentFormat(char) = delete;
  TypeArgumentFormat(char16_t) = delete;
  TypeArgumentFormat(char32_t) = delete;
  TypeArgumentFormat(const char*) = delete;

  TypeGenreArgumentFormat Genre() const { return FGenre; }
  std::int64_t Entier() const { return FEntier; }
  std::uint64_t NonSigne() const { return FNonSigne; }
  double Reel() const { return FReel; }
  std::u16string_view Texte() const { return FTexte; }

 private:
  TypeGenreArgumentFormat FGenre;
  union {
    std::int64_t FEntier;
    std::uint64_t FNonSigne;
    double FReel = 0;
  };
  std::u16string_view FTexte;
};

// Fills AFormat with AArguments. A conversion reads
//   "%" [index ":"] ["-"] [width] ["." precision] type
// and "%%" is a percent sign. Without an index a conversion takes the
// argument after the one the previous conversion took (the first one at the
// start). The width pads with spaces, on the left unless "-" is given. Types,
// letter case ignored:
//   d  integer in decimal; the precision is the least number of digits
//   u  the same, unsigned: a negative integer shows its 64-bit two's complement
//   x  the same in hexadecimal, always with upper-case digits
//   s  text; the precision is the most characters kept
//   f  real with a fixed number of decimals, the precision (2 by default)
//   n  the same with "," between groups of three digits
//   e  real in scientific form, "-d.dddE+ddd", with precision significant
//      digits (15 by default)
//   g  real with precision significant digits (15 by default) and no trailing
//      zeros: in fixed form from 0.00001 up to the precision's power of ten,
//      else as "d.dddE[-]d" ("1E20", "1.5E-7")
// For e and g a precision of 0 counts as 1. Reals use "." before the decimals
// whatever the user's locale; a value that rounds to zero has no sign, and the
// values that are not numbers show as "NAN", "INF" and "-INF".
// Raises EConvertError for a malformed format, a missing argument or an
// argument whose kind does not suit its type (integers for d, u, x; reals for
// f, n, e, g; texts for s).
std::u16string Formater(std::u16string_view AFormat,
                        std::initializer_list<TypeArgumentFormat> AArguments);

}  // namespace kv
