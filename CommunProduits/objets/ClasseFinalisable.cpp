#include "objets/ClasseFinalisable.h"

#include <thread>
#include <vector>

namespace kv {
namespace {

using TypeClassesFinalisables = std::vector<TClasseFinalisable::TypeClasse>;

// Process-wide lists. The main thread's own list lives here rather than in
// thread-local storage: thread-local objects are destroyed before static ones,
// and the late phase still needs it at exit.
struct TypeEtatFinalisation {
  TypeClassesFinalisables Precoce;
  TypeClassesFinalisables Tardive;
  TypeClassesFinalisables ThreadPrincipal;
  std::thread::id IdThreadPrincipal = std::this_thread::get_id();

  ~TypeEtatFinalisation();
};

TypeEtatFinalisation& Etat() {
  static TypeEtatFinalisation etat;
  return etat;
}

// Built during start-up, which runs on the main thread.
[[maybe_unused]] const TypeEtatFinalisation& EtatAuDemarrage = Etat();

TypeClassesFinalisables& ListeThread(TypeEtatFinalisation& AEtat) {
  thread_local TypeClassesFinalisables liste;
  return std::this_thread::get_id() == AEtat.IdThreadPrincipal ? AEtat.ThreadPrincipal : liste;
}

void FinaliserListe(TypeClassesFinalisables& AListe) {
  int recroissances = 0;
  while (!AListe.empty()) {
    const TClasseFinalisable::TypeClasse classe = AListe.back();
    AListe.pop_back();
    const std::size_t longueur = AListe.size();
    try {
      classe();
    } catch (...) {
      // One failing class must not keep the others from being finalised.
    }
    if (AListe.size() > longueur && ++recroissances > TClasseFinalisable::LimiteRecroissance) {
      return;
    }
  }
}

void Finaliser(TypeEtatFinalisation& AEtat, TypeGenreClasseFinalisable AGenre,
               bool AAvecListeThread) {
  using enum TypeGenreClasseFinalisable;
  switch (AGenre) {
    case cfFinalisationPrecoce:
      FinaliserListe(AEtat.Precoce);
      if (AAvecListeThread) FinaliserListe(ListeThread(AEtat));
      break;
    case cfFinalisationTardive:
      FinaliserListe(AEtat.Precoce);
      if (AAvecListeThread) FinaliserListe(ListeThread(AEtat));
      FinaliserListe(AEtat.Tardive);
      break;
    case cfFinalisationThread:
      if (AAvecListeThread) FinaliserListe(ListeThread(AEtat));
      break;
  }
}

// Normal process termination. A thread other than the main one that ends the
// process has already lost its thread-local list, so only the main thread's is
// run.
TypeEtatFinalisation::~TypeEtatFinalisation() {
  const bool principal = std::this_thread::get_id() == IdThreadPrincipal;
  Finaliser(*this, TypeGenreClasseFinalisable::cfFinalisationTardive, principal);
  Precoce.clear();
  Tardive.clear();
  ThreadPrincipal.clear();
}

}  // namespace

void TClasseFinalisable::FinaliserTout(TypeGenreClasseFinalisable AGenre) {
  Finaliser(Etat(), AGenre, true);
}

void TClasseFinalisable::Recenser(TypeGenreClasseFinalisable AGenre, TypeClasse AClasse) {
  using enum TypeGenreClasseFinalisable;
  TypeEtatFinalisation& etat = Etat();
  switch (AGenre) {
    case cfFinalisationPrecoce:
      etat.Precoce.push_back(AClasse);
      break;
    case cfFinalisationTardive:
      etat.Tardive.push_back(AClasse);
      break;
    case cfFinalisationThread:
      ListeThread(etat).push_back(AClasse);
      break;
  }
}

}  // namespace kv
