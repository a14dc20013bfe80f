#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <type_traits>

#include "commun/Exception.h"
#include "objets/ClasseFinalisable.h"
#include "outils/ProcessusEnfant.h"

namespace kv {
namespace {

using enum TypeGenreClasseFinalisable;

std::string Journal;

// A finalisable class whose finaliser leaves its name in the journal; the
// behaviour of some of them is set by the test.
template <char ANom>
class TClasse : public TClasseFinalisable {
 public:
  static void Recenser(TypeGenreClasseFinalisable AGenre) { RecenserFinalisation<TClasse>(AGenre); }
  static void FinaliserClasse() {
    Journal += ANom;
    if (Action) Action();
  }
  static inline void (*Action)() = nullptr;
};

using A = TClasse<'A'>;
using B = TClasse<'B'>;
using C = TClasse<'C'>;

static_assert(!std::is_default_constructible_v<A>, "a static class has no instances");

class Finalisation : public testing::Test {
 protected:
  void SetUp() override {
    TClasseFinalisable::FinaliserTout(cfFinalisationTardive);
    Journal.clear();
  }
  void TearDown() override {
    A::Action = B::Action = C::Action = nullptr;
    TClasseFinalisable::FinaliserTout(cfFinalisationTardive);
  }
};

TEST_F(Finalisation, LesPlusRecentesDAbord) {
  A::Recenser(cfFinalisationPrecoce);
  B::Recenser(cfFinalisationPrecoce);
  C::Recenser(cfFinalisationPrecoce);
  A::Recenser(cfFinalisationPrecoce);
  TClasseFinalisable::FinaliserTout(cfFinalisationPrecoce);
  EXPECT_EQ(Journal, "ACBA");
  Journal.clear();
  TClasseFinalisable::FinaliserTout(cfFinalisationPrecoce);
  EXPECT_EQ(Journal, "") << "a class is removed from the list before it is called";
}

TEST_F(Finalisation, UneExceptionNArretePasLesAutres) {
  B::Action = [] { throw Exception(u"panne"); };
  C::Action = [] { throw 42; };
  A::Recenser(cfFinalisationPrecoce);
  B::Recenser(cfFinalisationPrecoce);
  C::Recenser(cfFinalisationPrecoce);
  EXPECT_NO_THROW(TClasseFinalisable::FinaliserTout(cfFinalisationPrecoce));
  EXPECT_EQ(Journal, "CBA");
}

TEST_F(Finalisation, UneClasseQuiSeRecenseEnFinalisantEstRappelee) {
  A::Recenser(cfFinalisationPrecoce);
  B::Action = [] {
    B::Action = nullptr;
    B::Recenser(cfFinalisationPrecoce);
  };
  B::Recenser(cfFinalisationPrecoce);
  TClasseFinalisable::FinaliserTout(cfFinalisationPrecoce);
  EXPECT_EQ(Journal, "BBA");
}

// 101 calls: the 101st regrowth passes the limit of 100 and leaves one entry.
TEST_F(Finalisation, LaRecroissanceSansFinEstBornee) {
  A::Recenser(cfFinalisationPrecoce);
  B::Action = [] { B::Recenser(cfFinalisationPrecoce); };
  B::Recenser(cfFinalisationPrecoce);
  TClasseFinalisable::FinaliserTout(cfFinalisationPrecoce);
  EXPECT_EQ(Journal, std::string(101, 'B')) << "A stays in the list behind the abandoned entry";

  B::Action = nullptr;
  Journal.clear();
  TClasseFinalisable::FinaliserTout(cfFinalisationPrecoce);
  EXPECT_EQ(Journal, "BA");
}

struct TypeCasPhase {
  TypeGenreClasseFinalisable Phase;
  std::string Appels;
};

class PhasesFinalisation : public Finalisation, public testing::WithParamInterface<TypeCasPhase> {};

// A for the early phase, B for the late one, C for the calling thread.
TEST_P(PhasesFinalisation, ChaquePhaseParcourtSesListesDansLOrdre) {
  A::Recenser(cfFinalisationPrecoce);
  B::Recenser(cfFinalisationTardive);
  C::Recenser(cfFinalisationThread);
  TClasseFinalisable::FinaliserTout(GetParam().Phase);
  EXPECT_EQ(Journal, GetParam().Appels);
}

INSTANTIATE_TEST_SUITE_P(Cas, PhasesFinalisation,
                         testing::Values(TypeCasPhase{cfFinalisationPrecoce, "AC"},
                                         TypeCasPhase{cfFinalisationTardive, "ACB"},
                                         TypeCasPhase{cfFinalisationThread, "C"},
                                         TypeCasPhase{static_cast<TypeGenreClasseFinalisable>(7),
                                                      ""}));

TEST_F(Finalisation, LaListeDUnThreadLuiAppartient) {
  std::string journalThread;
  std::thread([&] {
    C::Recenser(cfFinalisationThread);
    TClasseFinalisable::FinaliserTout(cfFinalisationTardive);
    journalThread = Journal;
    Journal.clear();
    TClasseFinalisable::FinaliserTout(cfFinalisationThread);
    journalThread += "|" + Journal;
    Journal.clear();
  }).join();
  EXPECT_EQ(journalThread, "C|");
  TClasseFinalisable::FinaliserTout(cfFinalisationThread);
  EXPECT_EQ(Journal, "") << "the main thread does not see the worker's list";
}

TEST_F(Finalisation, UnThreadNeFinalisePasLaListeDuThreadPrincipal) {
  C::Recenser(cfFinalisationThread);
  std::thread([] { TClasseFinalisable::FinaliserTout(cfFinalisationThread); }).join();
  EXPECT_EQ(Journal, "");
  TClasseFinalisable::FinaliserTout(cfFinalisationThread);
  EXPECT_EQ(Journal, "C");
}

// The child runs the early phase (P), registers again and returns from main:
// at exit the late phase runs the early list (Q), the main thread's list (F)
// and the late list (T).
TEST(FinalisationSortie, LaPhaseTardiveTourneALaFinDuProcessus) {
  tests::TypeLancement lancement;
  lancement.Executable = FINALISATION_SORTIE;
  const tests::TypeResultat resultat = tests::Lancer(lancement);
  EXPECT_EQ(resultat.CodeSortie, 0);
  EXPECT_EQ(resultat.Sortie, "P | Q F T ");
  EXPECT_EQ(resultat.Erreur, "");
}

}  // namespace
}  // namespace kv
