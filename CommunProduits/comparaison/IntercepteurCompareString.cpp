#include "comparaison/IntercepteurCompareString.h"

#include <utility>

#include "objets/ClasseFinalisable.h"
#include "plateforme/ComparaisonLocale.h"

namespace kv {

namespace {

// The slot's state; plain pointers, since the late finalisation phase may run
// from a static destructor.
class TSlotIntercepteur : public TClasseFinalisable {
 public:
  static IIntercepteurCompareString* FIntercepteur;  // one counted reference
  static plateforme::TypeFonctionCompareString FEntreePrecedente;
  static bool FRecense;

  static int Router(std::uint32_t ALcid, std::uint32_t AOptions, const char16_t* AChaine1,
                    int ALongueur1, const char16_t* AChaine2, int ALongueur2) {
    return FIntercepteur->CompareString(ALcid, AOptions, AChaine1, ALongueur1, AChaine2,
                                        ALongueur2);
  }

  static void Definir(TRef<IIntercepteurCompareString> AIntercepteur) {
    const bool installer = AIntercepteur && !FIntercepteur;
    if (installer && !FRecense) {
      RecenserFinalisation<TSlotIntercepteur>(TypeGenreClasseFinalisable::cfFinalisationTardive);
      FRecense = true;
    }
    // The entry reaches the slot only while the slot holds an interceptor:
    // it is routed after the slot is filled and put back before it is emptied.
    if (!AIntercepteur && FIntercepteur) {
      plateforme::RemplacerCompareString(FEntreePrecedente);
      FEntreePrecedente = nullptr;
    }
    const auto precedent = TRef<IIntercepteurCompareString>::Adopter(
        std::exchange(FIntercepteur, AIntercepteur.Detacher()));
    if (installer) FEntreePrecedente = plateforme::RemplacerCompareString(&Router);
  }

  // The phase took the class off its list: a later installation registers it
  // again.
  static void FinaliserClasse() {
    FRecense = false;
    Definir(nullptr);
  }
};

IIntercepteurCompareString* TSlotIntercepteur::FIntercepteur = nullptr;
plateforme::TypeFonctionCompareString TSlotIntercepteur::FEntreePrecedente = nullptr;
bool TSlotIntercepteur::FRecense = false;

}  // namespace

TRef<IIntercepteurCompareString> IntercepteurCompareString() noexcept {
  return TSlotIntercepteur::FIntercepteur;
}

void DefinirIntercepteurCompareString(TRef<IIntercepteurCompareString> AIntercepteur) {
  TSlotIntercepteur::Definir(std::move(AIntercepteur));
}

}  // namespace kv
