#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kv {

// 16-byte interface identifier, in the platform's memory layout (the first three
// groups little-endian). Identity is the 16 bytes: two GUIDs are equal exactly
// when their bytes are.
struct TGUID {
  std::uint32_t D1 = 0;
  std::uint16_t D2 = 0;
  std::uint16_t D3 = 0;
  std::array<std::uint8_t, 8> D4{};

  friend constexpr bool operator==(const TGUID&, const TGUID&) = default;
};
static_assert(sizeof(TGUID) == 16);

namespace detail {

// Start of each byte of D4 in the text form.
inline constexpr std::size_t PositionsD4[8] = {20, 22, 25, 27, 29, 31, 33, 35};

consteval std::uint32_t ChiffreHexa(char ACaractere) {
  if (ACaractere >= '0' && ACaractere <= '9') return static_cast<std::uint32_t>(ACaractere - '0');
  if (ACaractere >= 'A' && ACaractere <= 'F')
    return static_cast<std::uint32_t>(ACaractere - 'A' + 10);
  if (ACaractere >= 'a' && ACaractere <= 'f')
    return static_cast<std::uint32_t>(ACaractere - 'a' + 10);
  throw "chiffre hexadecimal attendu";  // not a constant expression: a compile error
}

consteval std::uint32_t LireHexa(const char* ATexte, std::size_t ADebut, std::size_t ANombre) {
  std::uint32_t valeur = 0;
  for (std::size_t i = 0; i < ANombre; ++i) valeur = valeur * 16 + ChiffreHexa(ATexte[ADebut + i]);
  return valeur;
}

}  // namespace detail

// A GUID written in its text form, checked at compile time:
// GuidLitteral("{BA438C2C-D1FB-4457-82B3-52BF1C57E4E1}").
consteval TGUID GuidLitteral(const char (&ATexte)[39]) {
  if (ATexte[0] != '{' || ATexte[9] != '-' || ATexte[14] != '-' || ATexte[19] != '-' ||
      ATexte[24] != '-' || ATexte[37] != '}') {
    throw "forme {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX} attendue";
  }
  TGUID guid;
  guid.D1 = detail::LireHexa(ATexte, 1, 8);
  guid.D2 = static_cast<std::uint16_t>(detail::LireHexa(ATexte, 10, 4));
  guid.D3 = static_cast<std::uint16_t>(detail::LireHexa(ATexte, 15, 4));
  for (std::size_t i = 0; i < 8; ++i) {
    guid.D4[i] = static_cast<std::uint8_t>(detail::LireHexa(ATexte, detail::PositionsD4[i], 2));
  }
  return guid;
}

// The text form: 38 characters, upper-case hexadecimal digits in groups of 8, 4,
// 4, 4 and 12 joined by hyphens, between braces.
std::u16string GuidVersTexte(const TGUID& AGuid);

// Reads the text form (either letter case); false when the text is anything else.
bool TexteVersGuid(std::u16string_view ATexte, TGUID& AGuid);

// A new random GUID of version 4 (its text form reads "{XXXXXXXX-XXXX-4XXX-
// YXXX-XXXXXXXXXXXX}", Y one of 8, 9, A, B). Raises Exception when the system
// cannot give random bits.
TGUID NouveauGuid();

// Hash for the hash maps keyed by GUID. GUIDs are random or nearly so, hence the
// plain fold of the two halves.
struct THachageGuid {
  std::size_t operator()(const TGUID& AGuid) const noexcept {
    std::uint64_t moities[2];
    std::memcpy(moities, &AGuid, sizeof moities);
    return static_cast<std::size_t>(moities[0] ^ (moities[1] * 0x9E3779B97F4A7C15ull));
  }
};

}  // namespace kv
