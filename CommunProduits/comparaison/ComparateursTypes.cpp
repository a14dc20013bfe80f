#include "comparaison/ComparateursTypes.h"

#include <climits>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "comparaison/CalendrierDateHeure.h"
#include "plateforme/ComparaisonLocale.h"
#include "plateforme/Locales.h"

namespace kv {

namespace {

// Values may sit anywhere in a record or buffer: read them by copy.
template <class AType>
AType Lire(const void* AValeur) {
  AType valeur;
  std::memcpy(&valeur, AValeur, sizeof valeur);
  return valeur;
}

template <class AType>
int Signe(AType A, AType B) {
  return (A > B) - (A < B);
}

template <class AType>
int ComparerValeurs(const void* A, const void* B) {
  return Signe(Lire<AType>(A), Lire<AType>(B));
}

// memcmp compares the bytes as unsigned; only its sign is meaningful.
int ComparerOctets(const void* A, const void* B, std::size_t ANombre) {
  const int resultat = std::memcmp(A, B, ANombre);
  return (resultat > 0) - (resultat < 0);
}

constexpr std::uint64_t MotifMoinsInfini = 0xFFF0000000000000u;
constexpr std::uint64_t MotifPlusInfini = 0x7FF0000000000000u;
constexpr std::uint64_t MotifMoinsZero = 0x8000000000000000u;

enum RangDouble { rdNaNNegatif, rdMoinsInfini, rdFini, rdPlusInfini, rdNaNPositif };

RangDouble Rang(std::uint64_t AMotif) {
  if (AMotif > MotifMoinsInfini) return rdNaNNegatif;
  if (AMotif == MotifMoinsInfini) return rdMoinsInfini;
  if (AMotif == MotifPlusInfini) return rdPlusInfini;
  if (AMotif > MotifPlusInfini && AMotif < MotifMoinsZero) return rdNaNPositif;
  return rdFini;
}

int ComparerChainesPlateforme(const void* A, const void* B, std::uint32_t AOptions) {
  const auto& a = *static_cast<const std::u16string*>(A);
  const auto& b = *static_cast<const std::u16string*>(B);
  // The entry takes int lengths: a longer string would be compared cut short.
  if (a.size() > INT_MAX || b.size() > INT_MAX) return -2;
  return plateforme::CompareString(plateforme::IdLocaleUtilisateurParDefaut, AOptions, a.data(),
                                   static_cast<int>(a.size()), b.data(),
                                   static_cast<int>(b.size())) -
         2;
}

}  // namespace

TComparateurNonTypeFoncComparaison::TComparateurNonTypeFoncComparaison(
    TypeFoncComparaisonNonType AFonction)
    : TObjetInterfacable(true), FFonction(AFonction) {}

int TComparateurNonTypeFoncComparaison::Comparer(const void* A, const void* B) {
  return FFonction(A, B);
}

int TBaseComparer::ComparerAnsiChar(const void* A, const void* B) {
  return ComparerValeurs<unsigned char>(A, B);
}

// Read as a byte: a bool holding anything but 0 or 1 cannot be read as bool.
int TBaseComparer::ComparerBoolean(const void* A, const void* B) {
  return ComparerValeurs<std::uint8_t>(A, B);
}

int TBaseComparer::ComparerByte(const void* A, const void* B) {
  return ComparerValeurs<std::uint8_t>(A, B);
}

int TBaseComparer::ComparerWord(const void* A, const void* B) {
  return ComparerValeurs<std::uint16_t>(A, B);
}

int TBaseComparer::ComparerChar(const void* A, const void* B) {
  return ComparerValeurs<char16_t>(A, B);
}

int TBaseComparer::ComparerCardinal(const void* A, const void* B) {
  return ComparerValeurs<std::uint32_t>(A, B);
}

int TBaseComparer::ComparerInteger(const void* A, const void* B) {
  return ComparerValeurs<std::int32_t>(A, B);
}

int TBaseComparer::ComparerLongInt(const void* A, const void* B) {
  return ComparerValeurs<std::int32_t>(A, B);
}

int TBaseComparer::ComparerInt64(const void* A, const void* B) {
  return ComparerValeurs<std::int64_t>(A, B);
}

int TBaseComparer::ComparerTObject(const void* A, const void* B) {
  return Signe(static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(Lire<const void*>(A))),
               static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(Lire<const void*>(B))));
}

int TBaseComparer::ComparerDate(const void* A, const void* B) {
  return ComparerValeurs<double>(A, B);
}

int TBaseComparer::ComparerDouble(const void* A, const void* B) {
  const auto motifA = Lire<std::uint64_t>(A);
  const auto motifB = Lire<std::uint64_t>(B);
  if (motifA == motifB) return 0;
  const RangDouble rangA = Rang(motifA);
  const RangDouble rangB = Rang(motifB);
  if (rangA != rangB) return Signe(rangA, rangB);
  switch (rangA) {
    case rdFini:
      return ComparerValeurs<double>(A, B);
    case rdNaNNegatif:
      return Signe(motifB, motifA);
    default:  // positive NaNs; each infinity is a single pattern
      return Signe(motifA, motifB);
  }
}

int TBaseComparer::ComparerMois(const void* A, const void* B) {
  const auto a = Lire<double>(A);
  const auto b = Lire<double>(B);
  if (std::isnan(a) || std::isnan(b)) return 0;
  return Signe(IndexMoisDateHeure(a), IndexMoisDateHeure(b));
}

int TBaseComparer::ComparerString(const void* A, const void* B) {
  return ComparerChainesPlateforme(A, B, 0);
}

int TBaseComparer::ComparerTexte(const void* A, const void* B) {
  return ComparerChainesPlateforme(A, B, plateforme::IgnorerCasse);
}

int TBaseComparer::ComparerTGUID(const void* A, const void* B) {
  return ComparerOctets(A, B, sizeof(TGUID));
}

int TBaseComparer::ComparerBlob(const void* A, const void* B) {
  const auto& a = *static_cast<const std::vector<std::uint8_t>*>(A);
  const auto& b = *static_cast<const std::vector<std::uint8_t>*>(B);
  if (a.size() != b.size()) return Signe(a.size(), b.size());
  return a.empty() ? 0 : ComparerOctets(a.data(), b.data(), a.size());
}

int TBaseComparer::ComparerEnsembleDeuxOctets(const void* A, const void* B) {
  return ComparerOctets(A, B, 2);
}

int TBaseComparer::ComparerEnsembleQuatreOctets(const void* A, const void* B) {
  return ComparerOctets(A, B, 4);
}

int TBaseComparer::ComparerEnsembleCinqOctets(const void* A, const void* B) {
  return ComparerOctets(A, B, 5);
}

int TBaseComparer::ComparerEnsembleSixOctets(const void* A, const void* B) {
  return ComparerOctets(A, B, 6);
}

int TBaseComparer::ComparerEnsembleSeptOctets(const void* A, const void* B) {
  return ComparerOctets(A, B, 7);
}

int TBaseComparer::ComparerEnsembleHuitOctets(const void* A, const void* B) {
  return ComparerOctets(A, B, 8);
}

int TBaseComparer::ComparerEnsembleNeufOctets(const void* A, const void* B) {
  return ComparerOctets(A, B, 9);
}

bool ComparerEtPoursuivre(std::uint32_t A, std::uint32_t B, int& AResultat) {
  AResultat = Signe(A, B);
  return AResultat != 0;
}

}  // namespace kv
