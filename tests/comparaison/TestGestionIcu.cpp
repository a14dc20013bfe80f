#include <gtest/gtest.h>

#include <unicode/uvernum.h>

#include <algorithm>

#include "comparaison/ComparateursChaines.h"
#include "comparaison/FixtureFauxIcu.h"
#include "comparaison/ImplGestionIcu.h"
#include "comparaison/IntercepteurCompareString.h"
#include "comparaison/KVIcu.h"
#include "environnement/OptionsLibrairies.h"
#include "memoire/GestionnaireMemoire.h"
#include "plateforme/BibliothequesDynamiques.h"
#include "plateforme/ComparaisonLocale.h"

namespace kv::tests {
namespace {

using TestGestionIcu = TFixtureFauxIcu;

std::vector<std::string> Repete(std::vector<std::string> ALignes, int AFois) {
  std::vector<std::string> resultat;
  for (int i = 0; i < AFois; ++i) resultat.insert(resultat.end(), ALignes.begin(), ALignes.end());
  return resultat;
}

// The collators of the interceptor: three strengths for the user's locale,
// then three for the root locale.
std::vector<std::string> OuverturesIntercepteur() {
  std::vector<std::string> lignes;
  for (const char* locale : {"fr-FR", ""}) {
    for (const char* force : {"0", "1", "15"}) {
      lignes.push_back(std::string("ucol_open ") + locale);
      lignes.push_back(std::string("ucol_setAttribute 5 ") + force);
    }
  }
  return lignes;
}

TEST_F(TestGestionIcu, LoadsInitialisesAndUnloadsInTheOrderIcuNeeds) {
  const std::int64_t blocsAvant = memoire::BlocsEnCours();
  {
    TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
    ASSERT_TRUE(gestion->IcuDisponible());
    EXPECT_EQ(gestion->DossierIcu(), Emplacement("complet").Dossier);
    // The block the stand-in keeps came from the process memory manager.
    EXPECT_EQ(memoire::BlocsEnCours(), blocsAvant + 1);

    std::vector<std::string> attendu = {"u_setMemoryFunctions", "u_init"};
    const std::vector<std::string> ouvertures = OuverturesIntercepteur();
    attendu.insert(attendu.end(), ouvertures.begin(), ouvertures.end());
    EXPECT_EQ(Journal(), attendu);
    EXPECT_TRUE(IntercepteurCompareString());
  }
  // Every collator is closed before u_cleanup, and the libraries go after it,
  // the internationalisation one first.
  const std::vector<std::string> fin = Journal();
  ASSERT_EQ(fin.size(), 9u);
  EXPECT_EQ(std::count_if(fin.begin(), fin.begin() + 6,
                          [](const std::string& l) { return l.starts_with("ucol_close"); }),
            6);
  EXPECT_EQ(std::vector(fin.begin() + 6, fin.end()),
            (std::vector<std::string>{"u_cleanup", "dechargement in", "dechargement uc"}));
  EXPECT_FALSE(IntercepteurCompareString());
  EXPECT_EQ(memoire::BlocsEnCours(), blocsAvant);
}

// Two managers that load the same copy of ICU share it: the second neither
// hands it memory functions again nor initialises it, and ICU is cleaned up
// only once the last one goes. Meanwhile the entry stays with ICU.
TEST_F(TestGestionIcu, ManagersOfTheSameIcuShareItUntilTheLastGoes) {
  const std::int64_t blocsAvant = memoire::BlocsEnCours();
  {
    TRef<TGestionIcu> premier = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
    ASSERT_TRUE(premier->IcuDisponible());
    TRef<IComparateurChaines> comparateur = premier->CreerComparateur(ForcePrimaire, u"fr-FR");
    const TRef<IIntercepteurCompareString> intercepteurPremier = IntercepteurCompareString();
    Journal();
    {
      TRef<TGestionIcu> second = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
      ASSERT_TRUE(second->IcuDisponible());
      EXPECT_NE(IntercepteurCompareString(), intercepteurPremier);
    }
    for (const std::string& ligne : Journal()) {
      EXPECT_TRUE(ligne.starts_with("ucol_")) << ligne;
    }
    // The entry is answered by the first manager's collators again.
    EXPECT_EQ(IntercepteurCompareString(), intercepteurPremier);
    EXPECT_EQ(plateforme::ComparerChaines(u"abd", u"abc"), 1);
    EXPECT_EQ(Journal(), std::vector<std::string>{"ucol_strcoll"});
    EXPECT_EQ(comparateur->Compare(u"abc", u"abd"), -1);
  }
  const std::vector<std::string> fin = Journal();
  ASSERT_GE(fin.size(), 3u);
  EXPECT_EQ(std::vector(fin.end() - 3, fin.end()),
            (std::vector<std::string>{"u_cleanup", "dechargement in", "dechargement uc"}));
  EXPECT_EQ(std::count(fin.begin(), fin.end(), "u_cleanup"), 1);
  EXPECT_FALSE(IntercepteurCompareString());
  EXPECT_EQ(memoire::BlocsEnCours(), blocsAvant);
}

// The same with the system's ICU, whichever goes first: no collator outlives
// ICU's clean-up, and every block ICU took is given back.
TEST(TestGestionIcuSysteme, TwoManagersAliveAtOnce) {
  for (const bool premierPartEnPremier : {false, true}) {
    const std::int64_t blocsAvant = memoire::BlocsEnCours();
    {
      TRef<TGestionIcu> premier = Nouveau<TGestionIcu>();
      ASSERT_TRUE(premier->IcuDisponible());
      TRef<IComparateurChaines> comparateurPremier =
          premier->CreerComparateur(ForcePrimaire, u"fr-FR");
      TRef<TGestionIcu> second = Nouveau<TGestionIcu>();
      ASSERT_TRUE(second->IcuDisponible());
      TRef<IComparateurChaines> comparateurSecond =
          second->CreerComparateur(ForcePrimaire, u"fr-FR");
      TRef<TGestionIcu>& partant = premierPartEnPremier ? premier : second;
      TRef<IComparateurChaines>& comparateurPartant =
          premierPartEnPremier ? comparateurPremier : comparateurSecond;
      TRef<IComparateurChaines>& comparateurRestant =
          premierPartEnPremier ? comparateurSecond : comparateurPremier;
      comparateurPartant.Relacher();
      partant.Relacher();
      // ICU's order, not the code points': "é" before "f".
      EXPECT_EQ(plateforme::ComparerChaines(u"é", u"f"), -1) << premierPartEnPremier;
      EXPECT_EQ(comparateurRestant->Compare(u"élan", u"ELAN"), 0) << premierPartEnPremier;
    }
    EXPECT_EQ(memoire::BlocsEnCours(), blocsAvant) << premierPartEnPremier;
    EXPECT_FALSE(IntercepteurCompareString());
  }
}

TEST_F(TestGestionIcu, AnIncompletePlaceIsUnloadedAndTheNextOneTried) {
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(
      std::vector{Emplacement("uc-seul"), Emplacement("sans-setmemory"),
                  Emplacement("sans-setattribute"), Emplacement("complet")});
  ASSERT_TRUE(gestion->IcuDisponible());
  EXPECT_EQ(gestion->DossierIcu(), Emplacement("complet").Dossier);

  // A folder with one library only is passed over without loading anything;
  // the others are loaded, found wanting and given back.
  for (const auto& [dossier, bibliotheque] :
       std::vector<std::pair<std::string, std::string>>{{"uc-seul", "libicuuc.so.57"},
                                                        {"sans-setmemory", "libicuuc.so.57"},
                                                        {"sans-setattribute", "libicuuc.so.57"},
                                                        {"sans-setattribute", "libicui18n.so.57"}}) {
    EXPECT_FALSE(plateforme::BibliothequeChargee(Fichier(dossier, bibliotheque)))
        << dossier << "/" << bibliotheque;
  }
  const std::vector<std::u16string>& diagnostic = gestion->Diagnostic();
  ASSERT_EQ(diagnostic.size(), 3u);
  EXPECT_NE(diagnostic[0].find(u"Fichier absent"), std::u16string::npos);
  EXPECT_NE(diagnostic[1].find(u"Symbole u_setMemoryFunctions_57 absent"), std::u16string::npos);
  EXPECT_NE(diagnostic[2].find(u"Symbole ucol_setAttribute_57 absent"), std::u16string::npos);
}

TEST_F(TestGestionIcu, NothingLoadableMeansTheSystemComparisonAndNoError) {
  TRef<TGestionIcu> gestion =
      Nouveau<TGestionIcu>(std::vector{Emplacement("uc-seul"), Emplacement("inexistant")});
  EXPECT_FALSE(gestion->IcuDisponible());
  EXPECT_FALSE(IntercepteurCompareString());
  TRef<IComparateurChaines> comparateur = gestion->CreerComparateur(ForceSecondaire, u"fr-FR");
  EXPECT_EQ(comparateur->Compare(u"abc", u"ABC"), 0);
  EXPECT_EQ(comparateur->Compare(u"abc", u"abd"), -1);
  EXPECT_TRUE(Journal().empty());
}

// A collator asked of a manager that has no ICU is refused, not opened
// through an entry point that was never found.
TEST_F(TestGestionIcu, NoCollatorWithoutIcu) {
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(std::vector{Emplacement("uc-seul")});
  ASSERT_FALSE(gestion->IcuDisponible());
  const std::string message = "Erreur dans le composant ICU (ucol_open, code " +
                              std::to_string(U_INVALID_STATE_ERROR) + ")";
  try {
    gestion->OuvrirCollationneur(ForceIdentique, u"fr-FR");
    ADD_FAILURE() << "collationneur ouvert sans ICU";
  } catch (const EErreurIcu& e) {
    EXPECT_EQ(plateforme::VersUtf8(e.Message()), message);
  }
  EXPECT_THROW(Nouveau<TComparateurChainesIcu>(gestion.Get(), ForcePrimaire, u"fr-FR"), EErreurIcu);
  gestion->FermerCollationneur(nullptr);
}

// ICU knows strengths 0 to 3 and 15; a value beyond its range is refused as
// ICU refuses an unknown one, before any collator is opened.
TEST_F(TestGestionIcu, AStrengthOutOfIcusRangeIsRefused) {
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
  Journal();
  for (std::uint32_t force : {16u, 0x100u, 0x80000000u, 0xFFFFFFFFu}) {
    try {
      gestion->CreerComparateur(force, u"fr-FR");
      ADD_FAILURE() << "force " << force << " acceptée";
    } catch (const EErreurIcu& e) {
      EXPECT_EQ(plateforme::VersUtf8(e.Message()),
                "Erreur dans le composant ICU (ucol_setAttribute, code " +
                    std::to_string(U_ILLEGAL_ARGUMENT_ERROR) + ")");
    }
  }
  EXPECT_TRUE(Journal().empty());
}

TEST_F(TestGestionIcu, TheOptionKeepsIcuOutEvenWhenPresent) {
  struct TRestaurer {
    ~TRestaurer() { OptionsLibrairiesCourantes.ComparaisonsParIcu = true; }
  } restaurer;
  OptionsLibrairiesCourantes.ComparaisonsParIcu = false;
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
  EXPECT_FALSE(gestion->IcuDisponible());
  EXPECT_FALSE(plateforme::BibliothequeChargee(Fichier("complet", "libicuuc.so.57")));
  EXPECT_TRUE(Journal().empty());
  TRef<TGestionIcu> parDefaut = Nouveau<TGestionIcu>();
  EXPECT_FALSE(parDefaut->IcuDisponible());
}

struct TCasEchec {
  const char* Fonction;
  const char* Message;
};

class TestEchecIcu : public TFixtureFauxIcu, public ::testing::WithParamInterface<TCasEchec> {};

TEST_P(TestEchecIcu, AFailureAtStartUpUndoesEverything) {
  Statut(GetParam().Fonction, 1);
  EXPECT_THROW(
      {
        try {
          Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
        } catch (const EErreurIcu& e) {
          EXPECT_EQ(plateforme::VersUtf8(e.Message()), GetParam().Message);
          throw;
        }
      },
      EErreurIcu);
  const std::vector<std::string> journal = Journal();
  ASSERT_GE(journal.size(), 3u);
  EXPECT_EQ(std::vector(journal.end() - 3, journal.end()),
            (std::vector<std::string>{"u_cleanup", "dechargement in", "dechargement uc"}));
  EXPECT_FALSE(IntercepteurCompareString());
}

INSTANTIATE_TEST_SUITE_P(
    Fonctions, TestEchecIcu,
    ::testing::Values(
        TCasEchec{"SETMEMORY", "Erreur dans le composant ICU (u_setMemoryFunctions, code 1)"},
        TCasEchec{"U_INIT", "Erreur dans le composant ICU (u_init, code 1)"},
        TCasEchec{"UCOL_OPEN", "Erreur dans le composant ICU (ucol_open, code 1)"},
        TCasEchec{"SETATTRIBUTE", "Erreur dans le composant ICU (ucol_setAttribute, code 1)"}));

TEST_F(TestGestionIcu, AFailingSetAttributeClosesTheCollatorFirst) {
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
  Journal();
  Statut("SETATTRIBUTE", 1);
  EXPECT_THROW(gestion->CreerComparateur(ForcePrimaire, u"de-DE"), EErreurIcu);
  EXPECT_EQ(Journal(), (std::vector<std::string>{"ucol_open de-DE", "ucol_setAttribute 5 0",
                                                 "ucol_close de-DE"}));
}

TEST_F(TestGestionIcu, WarningsAreAccepted) {
  Statut("UCOL_OPEN", -128);
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
  EXPECT_TRUE(gestion->IcuDisponible());
  EXPECT_TRUE(gestion->CreerComparateur(ForceIdentique, u"fr-FR"));
}

TEST_F(TestGestionIcu, EveryComparerIsNew) {
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
  Journal();
  TRef<IComparateurChaines> premier = gestion->CreerComparateur(ForceIdentique, u"fr-FR");
  TRef<IComparateurChaines> second = gestion->CreerComparateur(ForceIdentique, u"fr-FR");
  EXPECT_NE(premier.Get(), second.Get());
  EXPECT_EQ(Journal(), Repete({"ucol_open fr-FR", "ucol_setAttribute 5 15"}, 2));
}

TEST_F(TestGestionIcu, ComparersByLocaleIdentifier) {
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
  Journal();
  gestion->CreerComparateur(ForceSecondaire, 0x0407u);
  gestion->CreerComparateur(ForceSecondaire, 0x7Fu);
  const std::vector<std::string> journal = Journal();
  EXPECT_EQ(journal[0], "ucol_open de-DE");
  EXPECT_NE(std::find(journal.begin(), journal.end(), "ucol_open "), journal.end());
  try {
    gestion->CreerComparateur(ForceSecondaire, 0xFFFFu);
    ADD_FAILURE() << "identifiant inconnu accepté";
  } catch (const Exception& e) {
    EXPECT_TRUE(plateforme::VersUtf8(e.Message()).starts_with("Erreur interne (LCIDToLocaleName, 0x"))
        << plateforme::VersUtf8(e.Message());
  }
}

// The system's ICU, found where this machine's loader would find it.
TEST(TestGestionIcuSysteme, FindsTheSystemReleaseWithoutAssumingIt) {
  const std::vector<TypeEmplacementIcu> emplacements = EmplacementsIcuParDefaut();
  ASSERT_EQ(emplacements.size(), 2u);
  EXPECT_EQ(emplacements[0].Noms[0], "libicuuc.so." + std::to_string(U_ICU_VERSION_MAJOR_NUM));
  EXPECT_EQ(emplacements[0].Noms[1], "u_init_" + std::to_string(U_ICU_VERSION_MAJOR_NUM));
  EXPECT_EQ(emplacements[1].Noms, NomsIcuApplication());
  EXPECT_TRUE(emplacements[1].Dossier.ends_with(u"\\icu\\"));

  const std::int64_t blocsAvant = memoire::BlocsEnCours();
  {
    TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>();
    ASSERT_TRUE(gestion->IcuDisponible());
    EXPECT_EQ(gestion->DossierIcu(), emplacements[0].Dossier);
    // ICU allocates through the framework's memory manager…
    EXPECT_GT(memoire::BlocsEnCours(), blocsAvant);
  }
  // …and gives every block back at clean-up.
  EXPECT_EQ(memoire::BlocsEnCours(), blocsAvant);
}

TEST(TestKVIcu, Helpers) {
  EXPECT_TRUE(EstNomLocaleInvariant(u""));
  EXPECT_FALSE(EstNomLocaleInvariant(nullptr));
  EXPECT_FALSE(EstNomLocaleInvariant(u"fr-FR"));
  EXPECT_TRUE(EchecIcu(1));
  EXPECT_FALSE(EchecIcu(0));
  EXPECT_FALSE(EchecIcu(-128));
  EXPECT_EQ(NomLocaleDepuisLcid(0x040C), u"fr-FR");
  EXPECT_EQ(NomLocaleDepuisLcid(0x7F), u"");
}

}  // namespace
}  // namespace kv::tests
