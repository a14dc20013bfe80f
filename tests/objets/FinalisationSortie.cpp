// Registers classes for every phase, runs the early phase by hand as an
// application's destructor would, registers again and ends: what the late phase
// does at process exit is written on standard output.

#include <unistd.h>

#include <string_view>

#include "objets/ClasseFinalisable.h"

namespace {

using kv::TypeGenreClasseFinalisable;

void Ecrire(std::string_view ATexte) {
  [[maybe_unused]] const auto ecrits = ::write(STDOUT_FILENO, ATexte.data(), ATexte.size());
}

template <char ANom>
class TEssai : public kv::TClasseFinalisable {
 public:
  static void Recenser(TypeGenreClasseFinalisable AGenre) { RecenserFinalisation<TEssai>(AGenre); }
  static void FinaliserClasse() {
    const char texte[] = {ANom, ' '};
    Ecrire({texte, sizeof texte});
  }
};

}  // namespace

int main() {
  using enum TypeGenreClasseFinalisable;
  TEssai<'P'>::Recenser(cfFinalisationPrecoce);
  kv::TClasseFinalisable::FinaliserTout(cfFinalisationPrecoce);
  Ecrire("| ");
  TEssai<'T'>::Recenser(cfFinalisationTardive);
  TEssai<'F'>::Recenser(cfFinalisationThread);
  TEssai<'Q'>::Recenser(cfFinalisationPrecoce);
  return 0;
}
