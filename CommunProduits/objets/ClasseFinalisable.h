#pragma once

#include <cstdint>

#include "objets/ClasseNonInstanciable.h"

namespace kv {

enum class TypeGenreClasseFinalisable : std::uint8_t {
  cfFinalisationPrecoce = 0,  // run by the application's destructor
  cfFinalisationTardive = 1,  // run once when the process ends normally
  cfFinalisationThread = 2,   // classes whose state belongs to the registering thread
};

// A static class that holds resources and releases them in an orderly phase
// instead of relying on the order of process-exit destruction.
//
// A descendant supplies `static void FinaliserClasse()`, reachable from this
// class (public, or with this class as a friend), and calls
// `RecenserFinalisation<Descendant>(genre)` when it first creates its state.
// A phase calls the registered classes newest first, swallowing whatever they
// raise. The late phase also runs at process exit, from a static destructor:
// class state must therefore be trivially destructible (plain pointers, say),
// so that it is still there when its finaliser runs.
class TClasseFinalisable : public TClasseNonInstanciable {
 public:
  // A class reference: the class-level finaliser of the class it stands for.
  using TypeClasse = void (*)();

  // Most calls a list may regrow by during one run before the run gives up on it.
  static constexpr int LimiteRecroissance = 100;

  static void FinaliserTout(TypeGenreClasseFinalisable AGenre);

 protected:
  template <class AClasse>
  static void RecenserFinalisation(TypeGenreClasseFinalisable AGenre) {
    Recenser(AGenre, &AClasse::FinaliserClasse);
  }

 private:
  static void Recenser(TypeGenreClasseFinalisable AGenre, TypeClasse AClasse);
};

}  // namespace kv
