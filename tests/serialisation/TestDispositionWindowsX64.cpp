#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "CaptureAppel.h"
#include "EntreesDisposition.h"
#include "commun/Exception.h"
#include "serialisation/DispositionAppel.h"

namespace kv::test {
namespace {

struct TypeCasWindows {
  const char* Nom;
  TypeEntreeDispositionMethode Entree;
  std::vector<TypeDispositionParametre> Parametres;  // {Offset, Modes}
  std::int32_t TaillePile;
  std::uint8_t MasqueSse;
};

TEST(DispositionWindowsX64, RegleDuCadreDAppel) {
  const TypeEntreeDisposition i32 = Entier(4);
  const std::vector<TypeCasWindows> cas = {
      {"un entier de 32 bits par valeur", Methode({i32}), {{32, mpsE}}, 32, 0},
      {"un double en entrée, un entier de 32 bits en résultat",
       Fonction(Entier(4), {Flottant(8)}),
       {{0, mpsS}, {32, mpsE}},
       32,
       0x02},
      {"une chaîne en résultat, argument caché", Fonction(Chaine(), {}), {{32, mpsSR}}, 32, 0},
      {"records const de 3 et 4 octets, ensemble const de 3, record de 3 par valeur",
       Methode({Record(3, {}, mpsER), Record(4, {}, mpsER), Ensemble(3, mpsER), Record(3, {})}),
       {{32, mpsER}, {40, mpsE}, {48, mpsE}, {56, mpsER}},
       48,
       0},
      {"cinq entiers",
       Methode({i32, i32, i32, i32, i32}),
       {{32, mpsE}, {40, mpsE}, {48, mpsE}, {56, mpsE}, {64, mpsE}},
       48,
       0},
      {"six entiers",
       Methode({i32, i32, i32, i32, i32, i32}),
       {{32, mpsE}, {40, mpsE}, {48, mpsE}, {56, mpsE}, {64, mpsE}, {72, mpsE}},
       64,
       0},
      {"un tableau ouvert décale le bit suivant de deux",
       Methode({TableauOuvert(), Flottant(8)}),
       {{32, mpsE}, {48, mpsE}},
       32,
       0x08},
      {"flottants en positions 1 à 3 seulement",
       Methode({Flottant(4), i32, Flottant(8), Flottant(8)}),
       {{32, mpsE}, {40, mpsE}, {48, mpsE}, {56, mpsE}},
       48,
       0x0A},
      {"un argument caché décale le premier bit",
       Fonction(Record(16, {}), {Flottant(8), Flottant(8, mpsESR)}),
       {{32, mpsSR}, {40, mpsE}, {48, mpsESR}},
       32,
       0x04},
      {"var, out et const au-delà de 8 octets restent des adresses",
       Methode({Chaine(mpsESR), Chaine(mpsSR), Chaine(mpsER), Record(8, {}, mpsER)}),
       {{32, mpsESR}, {40, mpsSR}, {48, mpsER}, {56, mpsE}},
       48,
       0},
      {"un double par référence n'est pas dans un registre SSE",
       Methode({Flottant(8, mpsESR)}),
       {{32, mpsESR}},
       32,
       0},
      {"un entier de 64 bits et un pointeur géré par valeur",
       Fonction(PointeurGere(), {Entier(8), PointeurGere()}),
       {{32, mpsSR}, {40, mpsE}, {48, mpsE}},
       32,
       0},
      // One position holds at most 8 bytes: a larger value goes by address.
      {"valeurs de plus de 8 octets par valeur",
       Methode({Record(16, {}), Ensemble(12), Chaine(), i32}),
       {{32, mpsER}, {40, mpsER}, {48, mpsER}, {56, mpsE}},
       48,
       0},
  };
  for (const TypeCasWindows& c : cas) {
    SCOPED_TRACE(c.Nom);
    const TypeDispositionMethode d = DispositionWindowsX64().Disposer(c.Entree);
    ASSERT_EQ(d.Parametres.size(), c.Parametres.size());
    for (std::size_t i = 0; i < c.Parametres.size(); ++i) {
      EXPECT_EQ(d.Parametres[i].Offset, c.Parametres[i].Offset) << i;
      EXPECT_EQ(d.Parametres[i].Modes, c.Parametres[i].Modes) << i;
    }
    EXPECT_EQ(d.OffsetInterface, 24);
    EXPECT_EQ(d.TaillePile, c.TaillePile);
    EXPECT_EQ(d.MasqueSse, c.MasqueSse);
    EXPECT_EQ(d.ResultatDansRegistre, c.Entree.AvecValeurRetour && c.Parametres[0].Offset == 0);
  }
}

TEST(DispositionWindowsX64, EntreesQuiNeDecriventPasUneMethode) {
  EXPECT_THROW(DispositionWindowsX64().Disposer({true, {}}), EArgumentInvalide);
  EXPECT_THROW(DispositionWindowsX64().Disposer(Methode({Entier(-1)})), EArgumentInvalide);
  TypeEntreeDisposition sansPosition = Entier(4);
  sansPosition.NombreParametres = 0;
  EXPECT_THROW(DispositionWindowsX64().Disposer(Methode({sansPosition})), EArgumentInvalide);
  EXPECT_THROW(DispositionSystemVX64().Disposer(Methode({Record(4, {{2, 4, false}})})),
               EArgumentInvalide);
}

#if defined(__x86_64__) && !defined(_WIN32)

// The compiler's own Windows x64 convention, for the values whose passing
// does not depend on the framework's rules: by value, no result.
struct TypeTroisOctets {
  std::uint8_t A, B, C;
  friend bool operator==(const TypeTroisOctets&, const TypeTroisOctets&) = default;
};
struct TypeQuatreOctets {
  std::int16_t A, B;
  friend bool operator==(const TypeQuatreOctets&, const TypeQuatreOctets&) = default;
};
struct TypeDeuxEntiers {
  std::int64_t A, B;
  friend bool operator==(const TypeDeuxEntiers&, const TypeDeuxEntiers&) = default;
};
struct TypeHuitOctets {
  std::int32_t A, B;
  friend bool operator==(const TypeHuitOctets&, const TypeHuitOctets&) = default;
};

using TypeAppelMs = void(__attribute__((ms_abi)) *)(void*, TypeTroisOctets, TypeQuatreOctets,
                                                    double, TypeDeuxEntiers, std::int32_t,
                                                    TypeHuitOctets, float);

__attribute__((ms_abi)) void RecevoirMs(void*, TypeTroisOctets, TypeQuatreOctets, double,
                                        TypeDeuxEntiers, std::int32_t, TypeHuitOctets, float) {
  GVerification();
}

// The word of argument position k: RCX, RDX, R8, R9 or XMM k for the first
// four, then the stack above the 32-byte home area.
std::uint64_t MotWindows(std::size_t APosition, std::uint8_t AMasqueSse) {
  if (APosition >= 4) return GCapture.Pile[APosition];
  if (AMasqueSse & (1u << APosition)) return GCapture.Sse[APosition];
  const std::size_t indices[4] = {3, 2, 4, 5};  // RCX, RDX, R8, R9 among the captured registers
  return GCapture.Entiers[indices[APosition]];
}

TEST(DispositionWindowsX64, LeCompilateurPlaceLesValeursOuLaDispositionLesAttend) {
  const TypeDispositionMethode d = DispositionWindowsX64().Disposer(
      Methode({Record(3, {}), Record(4, {}), Flottant(8), Record(16, {}), Entier(4), Record(8, {}),
               Flottant(4)}));
  const TypeTroisOctets trois{1, 2, 3};
  const TypeQuatreOctets quatre{-4, 5};
  const double reel = 6.5;
  const TypeDeuxEntiers seize{0x0707070707070707, 0x0808080808080808};
  const std::int32_t entier = -9;
  const TypeHuitOctets huit{10, 11};
  const float simple = 12.5f;
  const std::vector<TypeAttendu> attendus = {Attendu(trois), Attendu(quatre), Attendu(reel),
                                             Attendu(seize), Attendu(entier), Attendu(huit),
                                             Attendu(simple)};
  int objet = 0;
  bool verifiee = false;
  GVerification = [&] {
    verifiee = true;
    EXPECT_EQ(MotWindows(0, d.MasqueSse), reinterpret_cast<std::uintptr_t>(&objet));
    for (std::size_t i = 0; i < attendus.size(); ++i) {
      const std::size_t position = static_cast<std::size_t>(d.Parametres[i].Offset - 24) / 8;
      const std::uint64_t mot = MotWindows(position, d.MasqueSse);
      if (ContientMode(d.Parametres[i].Modes, TypeModeParametre::mpParReference)) {
        EXPECT_TRUE(attendus[i].Egal(reinterpret_cast<const void*>(mot), attendus[i].Valeur)) << i;
      } else {
        EXPECT_TRUE(MemesOctets(mot, attendus[i].Valeur, attendus[i].Taille)) << i;
      }
    }
  };
  GCapture.Cible = reinterpret_cast<const void*>(&RecevoirMs);
  auto appel = reinterpret_cast<TypeAppelMs>(&CapturerAppel);
  // Seen through, the call would take the convention of the routine's own
  // declaration.
  asm volatile("" : "+r"(appel));
  appel(&objet, trois, quatre, reel, seize, entier, huit, simple);
  GVerification = nullptr;
  EXPECT_TRUE(verifiee);
  // The 16-byte record went by address, in one position.
  EXPECT_EQ(d.Parametres[4].Offset, 64);
  EXPECT_EQ(d.MasqueSse, 0x08);
}

#endif

}  // namespace
}  // namespace kv::test
