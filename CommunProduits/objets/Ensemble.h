#pragma once

// Sets of small ordinal values, in the memory layout that described
// interfaces and the serialization layer give them: one bit per possible
// element, element e at bit (e mod 8) of byte (e div 8) - (APremier div 8), so
// that the set takes (ADernier div 8) - (APremier div 8) + 1 bytes.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

#include "commun/Exception.h"

namespace kv {

// A set of the values APremier to ADernier of AElement (an enumeration or an
// integer type); the ordinal values must lie between 0 and 255.
template <class AElement, AElement APremier, AElement ADernier>
class TEnsemble {
  static_assert(std::is_enum_v<AElement> || std::is_integral_v<AElement>,
                "TEnsemble : les éléments sont une énumération ou un entier");
  static constexpr int Premier = static_cast<int>(APremier);
  static constexpr int Dernier = static_cast<int>(ADernier);
  static_assert(0 <= Premier && Premier <= Dernier && Dernier <= 255,
                "TEnsemble : les valeurs ordinales vont de 0 à 255, la première avant la dernière");

 public:
  using TypeElement = AElement;
  static constexpr AElement PremierElement = APremier;
  static constexpr AElement DernierElement = ADernier;
  static constexpr std::int32_t NombreOctets = Dernier / 8 - Premier / 8 + 1;

  constexpr TEnsemble() noexcept = default;
  // Raises EArgumentInvalide for an element outside APremier..ADernier.
  constexpr TEnsemble(std::initializer_list<AElement> AElements) {
    for (AElement element : AElements) Inclure(element);
  }

  // False for an element outside APremier..ADernier.
  constexpr bool Contient(AElement AValeur) const noexcept {
    const int ordinal = static_cast<int>(AValeur);
    if (ordinal < Premier || ordinal > Dernier) return false;
    return (FOctets[Octet(ordinal)] & Bit(ordinal)) != 0;
  }
  // Raises EArgumentInvalide for an element outside APremier..ADernier.
  constexpr void Inclure(AElement AValeur) {
    const int ordinal = Verifier(AValeur);
    FOctets[Octet(ordinal)] = static_cast<std::uint8_t>(FOctets[Octet(ordinal)] | Bit(ordinal));
  }
  // Raises EArgumentInvalide for an element outside APremier..ADernier.
  constexpr void Exclure(AElement AValeur) {
    const int ordinal = Verifier(AValeur);
    FOctets[Octet(ordinal)] = static_cast<std::uint8_t>(FOctets[Octet(ordinal)] & ~Bit(ordinal));
  }
  constexpr bool EstVide() const noexcept {
    for (std::uint8_t octet : FOctets) {
      if (octet != 0) return false;
    }
    return true;
  }

  friend constexpr bool operator==(const TEnsemble&, const TEnsemble&) = default;

 private:
  static constexpr int Octet(int AOrdinal) noexcept { return AOrdinal / 8 - Premier / 8; }
  static constexpr unsigned Bit(int AOrdinal) noexcept { return 1u << (AOrdinal % 8); }
  static constexpr int Verifier(AElement AValeur) {
    const int ordinal = static_cast<int>(AValeur);
    if (ordinal < Premier || ordinal > Dernier) {
      throw EArgumentInvalide(u"Élément hors de l'ensemble.");
    }
    return ordinal;
  }

  std::array<std::uint8_t, NombreOctets> FOctets{};
};

}  // namespace kv
