#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comparaison/FixtureFauxIcu.h"
#include "comparaison/ImplGestionIcu.h"
#include "comparaison/IntercepteurCompareString.h"
#include "comparaison/IntercepteurCompareStringIcu.h"
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
