#pragma once

// Version values: an ordered list of unsigned 32-bit numbers of any length,
// with their text, byte, XML and formatter forms and their order.

#include <compare>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commun/Exception.h"
#include "comparaison/ComparateurParDefaut.h"

namespace pugi {
class xml_node;
}

namespace kv {

class IFormatter;

// Numbers that do not make a version: a text number of ten digits or more, a
// long byte form of the wrong length, a count read from a formatter that is
// negative or larger than what is left to read. The message is always
// "Numéros de version invalides.".
KV_DECLARER_EXCEPTION(ENumerosVersionInvalides, Exception);

struct TypeVersion {
  using TypeNumeros = std::vector<std::uint32_t>;
  using TypeOctets = std::vector<std::uint8_t>;

  TypeNumeros Numeros;

  TypeVersion() = default;
  TypeVersion(std::initializer_list<std::uint32_t> ANumeros) : Numeros(ANumeros) {}
  explicit TypeVersion(TypeNumeros ANumeros) : Numeros(std::move(ANumeros)) {}
  // The first ANombreNumeros numbers of AVersion, padded with zeros when it has
  // fewer. Raises EArgumentInvalide for a negative count.
  TypeVersion(const TypeVersion& AVersion, std::int32_t ANombreNumeros);

  // Byte form. Empty for the empty version. Compact when the first number is
  // at most 254 and every other at most 255: one byte per number. Otherwise
  // long: 0xFF, then each number on four bytes, most significant first.
  explicit TypeVersion(const TypeOctets& AOctets) : TypeVersion(DepuisOctets(AOctets)) {}
  explicit operator TypeOctets() const { return EnOctets(); }
  TypeOctets EnOctets() const;
  // Reads either form: a first byte 0xFF selects the long form, whose length
  // less one must be a multiple of 4 (0xFF alone is the empty version); any
  // other first byte, the compact form. Raises ENumerosVersionInvalides.
  static TypeVersion DepuisOctets(std::span<const std::uint8_t> AOctets);

  // The numbers from index ACommencerA on, in decimal, ASeparateur between
  // them; empty when ACommencerA is not below the count. Raises
  // EArgumentInvalide for a negative ACommencerA.
  std::u16string EnChaine(std::u16string_view ASeparateur = u".",
                          std::int32_t ACommencerA = 0) const;

  // Each maximal run of ASCII digits is one number; everything else only
  // separates runs, so "10.2-beta3" is 10.2.3 and a text without digits is
  // the empty version. False, with AVersion empty, when a run has ten digits
  // or more. Never raises, except for lack of memory.
  static bool TryDepuisChaine(std::u16string_view AChaine, TypeVersion& AVersion);
  // The same, raising ENumerosVersionInvalides instead of answering false.
  static TypeVersion DepuisChaine(std::u16string_view AChaine);

  // -1, 0 or 1: number by number as unsigned values; when one list is a
  // prefix of the other, the shorter comes first ([1, 2] < [1, 2, 0]).
  static int ComparerNumeros(std::span<const std::uint32_t> AGauche,
                             std::span<const std::uint32_t> ADroite);
  static int Comparer(const TypeVersion& AGauche, const TypeVersion& ADroite);

  // True when AVersion1's first numbers are AVersion2's, the numbers
  // AVersion1 lacks counting as 0: 1.2.3 is included in 1.2, 1 in 1.0, every
  // version in the empty one.
  static bool EstInclue(const TypeVersion& AVersion1, const TypeVersion& AVersion2);

  // The first number; 0 for the empty version.
  std::uint32_t VersionMajeure() const { return Numeros.empty() ? 0 : Numeros.front(); }

  // The count (EcrireEntier), then each number (EcrireCardinal).
  void Serialiser(IFormatter& AFormateur) const;
  // Reads what Serialiser wrote. A negative count, or one larger than the
  // bytes left in the formatter's stream, raises ENumerosVersionInvalides
  // before anything is read; the numbers are then read one by one, so memory
  // only grows with what is really there. On any failure the version is left
  // as it was.
  void Deserialiser(IFormatter& AFormateur);

  // Replaces the first child element "TypeVersion" of ANoeud, if any, by a
  // new one appended last, holding one element "Numero" per number with its
  // decimal text; answers it. Raises EArgumentInvalide for a null node or one
  // that cannot hold elements.
  pugi::xml_node SerialiserDansXml(pugi::xml_node ANoeud) const;
  // Reads the first child element "TypeVersion" of ANoeud: the empty version
  // when there is none, else one number per child element "Numero", in order.
  // A number is written in decimal, with an optional sign and surrounding
  // white space; negative values down to -2147483648 stand for their unsigned
  // 32-bit pattern (-1 is 4294967295), and values up to 4294967295 are taken
  // as they are, so that every version written reads back. Anything else,
  // including a "Numero" without text, raises EConvertError and leaves the
  // version as it was. Raises EArgumentInvalide for a null node.
  void DeserialiserDepuisXml(pugi::xml_node ANoeud);

  friend bool operator==(const TypeVersion& AGauche, const TypeVersion& ADroite) {
    return Comparer(AGauche, ADroite) == 0;
  }
  friend std::strong_ordering operator<=>(const TypeVersion& AGauche, const TypeVersion& ADroite) {
    return Comparer(AGauche, ADroite) <=> 0;
  }
};

// The default comparer of versions: TypeVersion::Comparer on two values given
// by address.
class TComparerVersion : public TComparerDecl {
 public:
  static int ComparerVersion(const void* A, const void* B);
  static TRef<IComparateurNonType> GetComparateur();
};

template <>
struct DeclarationComparateurParDefaut<TypeVersion> {
  using Type = TComparerVersion;
};

}  // namespace kv
