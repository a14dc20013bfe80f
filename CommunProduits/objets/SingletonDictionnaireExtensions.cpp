#include "objets/SingletonDictionnaireExtensions.h"

#include <atomic>
#include <thread>
#include <utility>

namespace kv {
namespace {

// Trivially destructible, as finalisable class state must be.
TDictionnaireExtensions* Dictionnaire = nullptr;
// Never reset: the owner is fixed for the life of the process. Atomic only so
// that a refused thread reads it without a data race.
std::atomic<std::thread::id> ThreadProprietaire{};

}  // namespace

TDictionnaireExtensions& TSingletonDictionnaireExtensions::GetDictionnaireExtensions(
    bool AOrdreStrictSuppressions) {
  const std::thread::id appelant = std::this_thread::get_id();
  std::thread::id proprietaire = ThreadProprietaire.load(std::memory_order_relaxed);
  if (proprietaire == std::thread::id{}) {
    ThreadProprietaire.compare_exchange_strong(proprietaire, appelant);
    proprietaire = ThreadProprietaire.load(std::memory_order_relaxed);
  }
  if (proprietaire != appelant) {
    throw Exception(u"On ne doit pas accéder aux extensions plusieurs threads.");
  }
  if (!Dictionnaire) {
    Dictionnaire = new TDictionnaireExtensions(AOrdreStrictSuppressions);
    RecenserFinalisation<TSingletonDictionnaireExtensions>(
        TypeGenreClasseFinalisable::cfFinalisationPrecoce);
  }
  return *Dictionnaire;
}

bool TSingletonDictionnaireExtensions::Connait(const TGUID& AGuid) {
  return GetDictionnaireExtensions().Connait(AGuid);
}

void TSingletonDictionnaireExtensions::AjouterExtension(const TGUID& AGuid,
                                                        IInterface* AExtension) {
  GetDictionnaireExtensions().AjouterExtension(AGuid, AExtension);
}

void TSingletonDictionnaireExtensions::AjouterExtensions(std::initializer_list<TGUID> AGuids,
                                                         IInterface* AExtension) {
  GetDictionnaireExtensions().AjouterExtensions(AGuids, AExtension);
}

void TSingletonDictionnaireExtensions::SupprimerExtension(const TGUID& AGuid) {
  GetDictionnaireExtensions().SupprimerExtension(AGuid);
}

bool TSingletonDictionnaireExtensions::TryGetNonType(const TGUID& AGuid,
                                                     TRef<IInterface>& AExtension) {
  AExtension = nullptr;
  return GetDictionnaireExtensions().TryGetNonType(AGuid, AExtension);
}

TRef<IInterface> TSingletonDictionnaireExtensions::GetNonType(const TGUID& AGuid) {
  return GetDictionnaireExtensions().GetNonType(AGuid);
}

void TSingletonDictionnaireExtensions::FinaliserClasse() {
  // Forgotten before it is freed: a service freed with it may look it up and
  // get a new one.
  delete std::exchange(Dictionnaire, nullptr);
}

}  // namespace kv
