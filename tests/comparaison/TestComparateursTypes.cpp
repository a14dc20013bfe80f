#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "comparaison/ComparateursTypes.h"

namespace kv {
namespace {

static_assert(std::endian::native == std::endian::little, "the byte cases below are little-endian");

// A value stored at an odd address, as a field of a packed record would be.
struct TValeurDecalee {
  std::array<std::uint8_t, 17> FOctets{};
  const void* Adresse() const { return FOctets.data() + 1; }
};

template <class AType>
TValeurDecalee Decalee(AType AValeur) {
  static_assert(sizeof(AType) <= 16);
  TValeurDecalee valeur;
  std::memcpy(valeur.FOctets.data() + 1, &AValeur, sizeof AValeur);
  return valeur;
}

struct TCas {
  const char* Nom;
  TypeFoncComparaisonNonType Fonction;
  TValeurDecalee A, B;
  int Attendu;
};

void VerifierCas(const TCas& ACas) {
  EXPECT_EQ(ACas.Fonction(ACas.A.Adresse(), ACas.B.Adresse()), ACas.Attendu) << ACas.Nom;
  EXPECT_EQ(ACas.Fonction(ACas.B.Adresse(), ACas.A.Adresse()), -ACas.Attendu)
      << ACas.Nom << ", swapped";
}

TEST(ComparateursTypes, Entiers) {
  using B = TBaseComparer;
  const TCas cas[] = {
      {"Cardinal, top bit", &B::ComparerCardinal, Decalee(0xFFFFFFFFu), Decalee(1u), 1},
      {"Integer, same bits", &B::ComparerInteger, Decalee(0xFFFFFFFFu), Decalee(1u), -1},
      {"LongInt, same bits", &B::ComparerLongInt, Decalee(0xFFFFFFFFu), Decalee(1u), -1},
      {"Cardinal, upper byte", &B::ComparerCardinal, Decalee(0x100u), Decalee(0xFFu), 1},
      {"Integer, equal", &B::ComparerInteger, Decalee(-7), Decalee(-7), 0},
      {"Int64, upper half", &B::ComparerInt64, Decalee(std::int64_t{1} << 32),
       Decalee(std::int64_t{1}), 1},
      {"Int64, sign", &B::ComparerInt64, Decalee(std::numeric_limits<std::int64_t>::min()),
       Decalee(std::int64_t{1}), -1},
      {"Word, upper byte", &B::ComparerWord, Decalee(std::uint16_t{0x0100}),
       Decalee(std::uint16_t{0x00FF}), 1},
      {"Word, top bit", &B::ComparerWord, Decalee(std::uint16_t{0x8000}),
       Decalee(std::uint16_t{0x7FFF}), 1},
      {"Byte, top bit", &B::ComparerByte, Decalee(std::uint8_t{0x80}), Decalee(std::uint8_t{0x7F}),
       1},
      {"AnsiChar, unsigned", &B::ComparerAnsiChar, Decalee('\xFF'), Decalee('A'), 1},
      {"AnsiChar, equal", &B::ComparerAnsiChar, Decalee('a'), Decalee('a'), 0},
      {"Char, code unit", &B::ComparerChar, Decalee(u'\u00E9'), Decalee(u'z'), 1},
      {"Char, case counts", &B::ComparerChar, Decalee(u'a'), Decalee(u'B'), 1},
      {"Char, surrogate", &B::ComparerChar, Decalee(u'\xD800'), Decalee(u'\xFFFD'), -1},
      {"Boolean", &B::ComparerBoolean, Decalee(true), Decalee(false), 1},
      {"Boolean, equal", &B::ComparerBoolean, Decalee(false), Decalee(false), 0},
      {"Boolean, other true byte", &B::ComparerBoolean, Decalee(std::uint8_t{0xFF}),
       Decalee(std::uint8_t{1}), 1},
  };
  for (const TCas& c : cas) VerifierCas(c);
}

TEST(ComparateursTypes, ReferencesDObjets) {
  using B = TBaseComparer;
  const int tableau[2] = {};
  const void* haute = reinterpret_cast<const void*>(std::uintptr_t{0x8000000000000000u});
  const TCas cas[] = {
      {"null first", &B::ComparerTObject, Decalee<const void*>(nullptr),
       Decalee<const void*>(tableau), -1},
      {"null, null", &B::ComparerTObject, Decalee<const void*>(nullptr),
       Decalee<const void*>(nullptr), 0},
      {"by address", &B::ComparerTObject, Decalee<const void*>(&tableau[0]),
       Decalee<const void*>(&tableau[1]), -1},
      {"same object", &B::ComparerTObject, Decalee<const void*>(&tableau[1]),
       Decalee<const void*>(&tableau[1]), 0},
      {"addresses unsigned", &B::ComparerTObject, Decalee(haute), Decalee<const void*>(tableau), 1},
  };
  for (const TCas& c : cas) VerifierCas(c);
}

TEST(ComparateursTypes, GuidOctetsEnMemoire) {
  using B = TBaseComparer;
  TGUID bas;
  bas.D1 = 0x00000100;  // bytes 00 01 00 00
  TGUID haut;
  haut.D1 = 0x00000001;  // bytes 01 00 00 00
  TGUID dernier = bas;
  dernier.D4[7] = 1;
  TGUID troisieme;
  troisieme.D2 = 0x0001;  // byte 4
  TGUID premierOctetFort;
  premierOctetFort.D1 = 0xFF;
  const TCas cas[] = {
      {"lowest byte of D1 first", &B::ComparerTGUID, Decalee(bas), Decalee(haut), -1},
      {"last byte counts", &B::ComparerTGUID, Decalee(dernier), Decalee(bas), 1},
      {"D1 before D2", &B::ComparerTGUID, Decalee(troisieme), Decalee(haut), -1},
      {"unsigned bytes", &B::ComparerTGUID, Decalee(premierOctetFort), Decalee(haut), 1},
      {"equal", &B::ComparerTGUID, Decalee(dernier), Decalee(dernier), 0},
  };
  for (const TCas& c : cas) VerifierCas(c);
}

TEST(ComparateursTypes, EnsemblesParOctetLePlusBas) {
  using B = TBaseComparer;
  struct TTaille {
    TypeFoncComparaisonNonType Fonction;
    std::size_t Octets;
  };
  for (const TTaille& taille : {
           TTaille{&B::ComparerEnsembleDeuxOctets, 2},
           TTaille{&B::ComparerEnsembleQuatreOctets, 4},
           TTaille{&B::ComparerEnsembleCinqOctets, 5},
           TTaille{&B::ComparerEnsembleSixOctets, 6},
           TTaille{&B::ComparerEnsembleSeptOctets, 7},
           TTaille{&B::ComparerEnsembleHuitOctets, 8},
           TTaille{&B::ComparerEnsembleNeufOctets, 9},
       }) {
    const std::size_t n = taille.Octets;
    auto ensemble = [](std::initializer_list<std::pair<std::size_t, std::uint8_t>> AOctets) {
      std::array<std::uint8_t, 10> octets{};
      for (const auto& [position, valeur] : AOctets) octets[position] = valeur;
      return Decalee(octets);
    };
    const TCas cas[] = {
        {"equal", taille.Fonction, ensemble({{0, 3}, {n - 1, 9}}), ensemble({{0, 3}, {n - 1, 9}}),
         0},
        {"last byte decides", taille.Fonction, ensemble({{n - 1, 1}}), ensemble({}), 1},
        {"first byte before the others", taille.Fonction, ensemble({{0, 1}}),
         ensemble({{n - 1, 0xFF}}), 1},
        {"bytes unsigned", taille.Fonction, ensemble({{0, 0x80}}), ensemble({{0, 0x01}}), 1},
        {"byte beyond the set ignored", taille.Fonction, ensemble({{n, 1}}), ensemble({}), 0},
    };
    SCOPED_TRACE(n);
    for (const TCas& c : cas) VerifierCas(c);
  }
}

TEST(ComparateursTypes, Blob) {
  using TBlob = std::vector<std::uint8_t>;
  struct TCasBlob {
    TBlob A, B;
    int Attendu;
  };
  for (const TCasBlob& c : {
           TCasBlob{{}, {}, 0},
           TCasBlob{{}, {0x00}, -1},
           TCasBlob{{0x01, 0x02}, {0x01, 0x01}, 1},
           TCasBlob{{0x00, 0x00, 0x00}, {0xFF, 0xFF}, 1},
           TCasBlob{{0x80}, {0x7F}, 1},
           TCasBlob{{0x01, 0x02, 0x03}, {0x01, 0x02, 0x03}, 0},
       }) {
    EXPECT_EQ(TBaseComparer::ComparerBlob(&c.A, &c.B), c.Attendu)
        << c.A.size() << " / " << c.B.size();
    EXPECT_EQ(TBaseComparer::ComparerBlob(&c.B, &c.A), -c.Attendu)
        << c.A.size() << " / " << c.B.size();
  }
}

TEST(ComparateursTypes, ComparerEtPoursuivre) {
  struct TCasPoursuite {
    std::uint32_t A, B;
    int Resultat;
    bool Differents;
  };
  for (const TCasPoursuite& c : {
           TCasPoursuite{3, 3, 0, false},
           TCasPoursuite{2, 3, -1, true},
           TCasPoursuite{3, 2, 1, true},
           TCasPoursuite{0xFFFFFFFFu, 1, 1, true},
       }) {
    int resultat = 42;
    EXPECT_EQ(ComparerEtPoursuivre(c.A, c.B, resultat), c.Differents) << c.A << " " << c.B;
    EXPECT_EQ(resultat, c.Resultat) << c.A << " " << c.B;
  }
}

TEST(ComparateursTypes, ObjetAutourDUneFonction) {
  TRef<IComparateurNonType> comparateur;
  {
    const auto objet =
        Nouveau<TComparateurNonTypeFoncComparaison>(&TBaseComparer::ComparerCardinal);
    comparateur = Interroger<IComparateurNonType>(objet->InterfaceDeBase());
  }
  ASSERT_TRUE(comparateur);
  const std::uint32_t grand = 0xFFFFFFFFu;
  const std::uint32_t petit = 1;
  EXPECT_EQ(comparateur->Comparer(&grand, &petit), 1) << "the function given, not another";
  EXPECT_EQ(comparateur->Comparer(&petit, &grand), -1);
}

}  // namespace
}  // namespace kv
