#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include <string>
#include <vector>

#include "comparaison/FixtureFauxIcu.h"
#include "comparaison/ImplGestionIcu.h"
#include "comparaison/IntercepteurCompareString.h"
#include "comparaison/IntercepteurCompareStringIcu.h"
#include "objets/ClasseFinalisable.h"
#include "plateforme/Console.h"
#include "outils/VariableTemporaire.h"
#include "plateforme/ComparaisonLocale.h"
#include "plateforme/Locales.h"

namespace kv::tests {
namespace {

using plateforme::CompareString;

int Entree(std::uint32_t ALcid, std::uint32_t AOptions, std::u16string_view A,
           std::u16string_view B) {
  return CompareString(ALcid, AOptions, A.data(), static_cast<int>(A.size()), B.data(),
                       static_cast<int>(B.size()));
}

int GAppels = 0;
int Sentinelle(std::uint32_t, std::uint32_t, const char16_t*, int, const char16_t*, int) {
  ++GAppels;
  return plateforme::ComparaisonEgale;
}

TEST(TestIntercepteurIcu, RoutesTheEntryWhileLoadedAndPutsBackExactlyWhatWasThere) {
  // Whatever function is in place before ICU comes must be the one after.
  const plateforme::TypeFonctionCompareString systeme = plateforme::RemplacerCompareString(&Sentinelle);
  {
    TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>();
    ASSERT_TRUE(gestion->IcuDisponible());
    GAppels = 0;
    // ICU's order, not the code points': "é" (U+00E9) before "f".
    EXPECT_EQ(Entree(plateforme::IdLocaleUtilisateurParDefaut, 0, u"é", u"f"),
              plateforme::ComparaisonInferieure);
    EXPECT_EQ(plateforme::ComparerChaines(u"é", u"f"), -1);
    EXPECT_TRUE(plateforme::MemeTexte(u"Élan", u"élan"));
    EXPECT_EQ(GAppels, 0);
  }
  EXPECT_EQ(plateforme::RemplacerCompareString(systeme), &Sentinelle);
  // The system's comparison again: code point order under this machine's
  // default collation.
  EXPECT_EQ(Entree(plateforme::IdLocaleUtilisateurParDefaut, 0, u"a", u"b"),
            plateforme::ComparaisonInferieure);
}

TEST(TestIntercepteurIcu, LocalesAndOptionsChooseTheComparer) {
  // The user's locale is read when ICU is loaded.
  TVariableTemporaire lcAll("LC_ALL", std::nullopt);
  TVariableTemporaire lcCollate("LC_COLLATE", std::nullopt);
  TVariableTemporaire lang("LANG", "sv_SE.UTF-8");
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>();
  ASSERT_TRUE(gestion->IcuDisponible());
  TRef<IIntercepteurCompareString> intercepteur = IntercepteurCompareString();
  ASSERT_TRUE(intercepteur);

  // Swedish sorts "ä" after "z", ICU's root before it.
  for (std::uint32_t lcid : {0x400u, 0x800u, 0x040Cu, 0x0409u, 0x1000u}) {
    EXPECT_EQ(Entree(lcid, 0, u"ä", u"z"), plateforme::ComparaisonSuperieure) << lcid;
  }
  EXPECT_EQ(Entree(plateforme::IdLocaleInvariante, 0, u"ä", u"z"), plateforme::ComparaisonInferieure);
  const char16_t* z = u"z";
  EXPECT_EQ(intercepteur->CompareStringEx(u"", 0, u"ä", 1, z, 1), plateforme::ComparaisonInferieure);
  EXPECT_EQ(intercepteur->CompareStringEx(nullptr, 0, u"ä", 1, z, 1),
            plateforme::ComparaisonSuperieure);
  EXPECT_EQ(intercepteur->CompareStringEx(u"fr-FR", 0, u"ä", 1, z, 1),
            plateforme::ComparaisonSuperieure);

  struct TCas {
    std::uint32_t Options;
    std::u16string A, B;
    int Attendu;
  };
  const std::vector<TCas> cas = {
      {0, u"a", u"A", 1},      {4, u"a", u"A", 1},  // identical strength
      {1, u"a", u"A", 2},      {1, u"e", u"é", 1},  // secondary: case ignored
      {2, u"e", u"É", 2},      {3, u"e", u"É", 2},  // primary: accents too
      {0x10001, u"a", u"A", 2},                     // other bits ignored
  };
  for (const TCas& c : cas) {
    EXPECT_EQ(Entree(0x7F, c.Options, c.A, c.B), c.Attendu) << c.Options;
  }
}

// A zero-terminated text of more units than an int counts, without the memory:
// one block of 'a' units mapped over and over, then a page of zeros.
class TTexteGeant {
 public:
  static constexpr std::size_t TailleBloc = std::size_t{1} << 21;
  static constexpr std::size_t NombreBlocs = 4096;  // 2^32 units
  static constexpr std::size_t Taille = TailleBloc * NombreBlocs;

  TTexteGeant() {
    const int descripteur = ::memfd_create("texte-geant", 0);
    if (descripteur < 0 || ::ftruncate(descripteur, TailleBloc) != 0) return;
    void* bloc = ::mmap(nullptr, TailleBloc, PROT_READ | PROT_WRITE, MAP_SHARED, descripteur, 0);
    if (bloc != MAP_FAILED) {
      std::fill_n(static_cast<char16_t*>(bloc), TailleBloc / sizeof(char16_t), u'a');
      ::munmap(bloc, TailleBloc);
      FZone = ::mmap(nullptr, Taille + TailleBloc, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    }
    if (FZone == MAP_FAILED) FZone = nullptr;
    for (std::size_t i = 0; FZone && i < NombreBlocs; ++i) {
      if (::mmap(static_cast<char*>(FZone) + i * TailleBloc, TailleBloc, PROT_READ,
                 MAP_SHARED | MAP_FIXED, descripteur, 0) == MAP_FAILED) {
        ::munmap(FZone, Taille + TailleBloc);
        FZone = nullptr;
      }
    }
    ::close(descripteur);
  }
  ~TTexteGeant() {
    if (FZone) ::munmap(FZone, Taille + TailleBloc);
  }
  TTexteGeant(const TTexteGeant&) = delete;
  TTexteGeant& operator=(const TTexteGeant&) = delete;

  const char16_t* Texte() const { return static_cast<const char16_t*>(FZone); }

 private:
  void* FZone = nullptr;
};

// ICU counts in an int: a zero-terminated text longer than that is a failure,
// as for the platform's comparisons of the user's locale, not a text cut to
// what its length leaves in an int.
TEST(TestIntercepteurIcu, AZeroTerminatedTextLongerThanAnIntIsRefused) {
  static_assert(TTexteGeant::Taille / sizeof(char16_t) > std::size_t{INT_MAX});
  const TTexteGeant geant;
  ASSERT_TRUE(geant.Texte()) << std::strerror(errno);
  ASSERT_EQ(geant.Texte()[TTexteGeant::Taille / sizeof(char16_t)], u'\0');
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>();
  ASSERT_TRUE(gestion->IcuDisponible());
  TRef<IIntercepteurCompareString> intercepteur = IntercepteurCompareString();
  ASSERT_TRUE(intercepteur);
  errno = 0;
  EXPECT_EQ(intercepteur->CompareString(0x7F, 0, geant.Texte(), -1, u"b", 1), 0);
  EXPECT_EQ(errno, EOVERFLOW);
  errno = 0;
  EXPECT_EQ(gestion->CreerComparateur(ForcePrimaire, u"")->Compare(u"b", 1, geant.Texte(), -1), -2);
  EXPECT_EQ(errno, EOVERFLOW);
}

using TestIntercepteurFaux = TFixtureFauxIcu;

TEST_F(TestIntercepteurFaux, LengthsAndPointersAreSettledBeforeIcu) {
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
  TRef<IIntercepteurCompareString> intercepteur = IntercepteurCompareString();
  ASSERT_TRUE(intercepteur);
  Journal();
  const char16_t* abc = u"abcde";
  EXPECT_EQ(intercepteur->CompareString(0x400, 0, u"", 0, u"", 0), 2);
  EXPECT_EQ(intercepteur->CompareString(0x400, 0, u"", 0, abc, 3), 1);
  EXPECT_EQ(intercepteur->CompareString(0x400, 0, abc, 3, abc, 5), 1);
  EXPECT_EQ(intercepteur->CompareString(0x400, 0, abc, -1, abc, 2), 3);
  // Zero-terminated lengths are measured before the emptiness test.
  EXPECT_EQ(intercepteur->CompareString(0x400, 0, u"", -1, abc, -1), 1);
  // Nothing is read through a null pointer.
  EXPECT_EQ(intercepteur->CompareString(0x400, 0, nullptr, -1, abc, 3), 0);
  EXPECT_EQ(intercepteur->CompareString(0x400, 0, nullptr, 0, abc, 3), 1);
  EXPECT_TRUE(Journal().empty());

  EXPECT_EQ(intercepteur->CompareString(0x400, 0, u"abd", -1, abc, -1), 3);
  EXPECT_EQ(Journal(), std::vector<std::string>{"ucol_strcoll"});
}

TEST_F(TestIntercepteurFaux, AnotherManagersInterceptorIsLeftInPlace) {
  TRef<TGestionIcu> premier = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
  TRef<IIntercepteurCompareString> installe;
  {
    TRef<TGestionIcu> second = Nouveau<TGestionIcu>();
    ASSERT_TRUE(second->IcuDisponible());
    installe = IntercepteurCompareString();
    premier.Relacher();
    EXPECT_EQ(IntercepteurCompareString(), installe);
    installe.Relacher();
  }
  EXPECT_FALSE(IntercepteurCompareString());
}

}  // namespace
}  // namespace kv::tests

namespace kv::tests {
namespace {

// An interceptor that answers "equal" and says when it goes.
class TIntercepteurTemoin : public TObjetInterfacable, public IIntercepteurCompareString {
  KV_INTERFACES(TObjetInterfacable, IIntercepteurCompareString)

 public:
  explicit TIntercepteurTemoin(bool* ALibere) : TObjetInterfacable(true), FLibere(ALibere) {}
  int CompareString(std::uint32_t, std::uint32_t, const char16_t*, int, const char16_t*,
                    int) override {
    return plateforme::ComparaisonEgale;
  }
  int CompareStringEx(const char16_t*, std::uint32_t, const char16_t*, int, const char16_t*,
                      int) override {
    return plateforme::ComparaisonEgale;
  }

 protected:
  ~TIntercepteurTemoin() override {
    if (FLibere) {
      *FLibere = true;
    } else {
      plateforme::EcrireLigneErreur(u"intercepteur libéré");
    }
  }

 private:
  bool* FLibere;
};

// Each run of the late phase empties the slot and puts the entry back, even
// when the slot was filled again after an earlier run.
TEST(TestSlotIntercepteur, EveryLatePhaseEmptiesTheSlot) {
  const plateforme::TypeFonctionCompareString avant = plateforme::RemplacerCompareString(&Sentinelle);
  for (int phase = 0; phase < 2; ++phase) {
    bool libere = false;
    DefinirIntercepteurCompareString(Nouveau<TIntercepteurTemoin>(&libere));
    EXPECT_EQ(Entree(0x400, 0, u"a", u"b"), plateforme::ComparaisonEgale);
    TClasseFinalisable::FinaliserTout(TypeGenreClasseFinalisable::cfFinalisationTardive);
    EXPECT_TRUE(libere) << phase;
    EXPECT_FALSE(IntercepteurCompareString()) << phase;
    EXPECT_EQ(plateforme::RemplacerCompareString(&Sentinelle), &Sentinelle) << phase;
  }
  plateforme::RemplacerCompareString(avant);
}

// At process exit the late phase releases the interceptor still in place.
TEST(TestSlotIntercepteur, TheInterceptorLeftInPlaceIsReleasedAtExit) {
  EXPECT_EXIT(
      {
        DefinirIntercepteurCompareString(Nouveau<TIntercepteurTemoin>(nullptr));
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "intercepteur libéré");
}

}  // namespace
}  // namespace kv::tests
