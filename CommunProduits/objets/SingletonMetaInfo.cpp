#include "objets/SingletonMetaInfo.h"

#include <mutex>
#include <utility>

namespace kv {
namespace {

// Trivially destructible, as finalisable class state must be. Made and freed
// together.
TListeMetaInfo* Liste = nullptr;
std::recursive_mutex* Verrou = nullptr;

}  // namespace

TListeMetaInfo& TSingletonMetaInfo::GetListe() {
  if (!Liste) {
    Liste = new TListeMetaInfo;
    Verrou = new std::recursive_mutex;
    RecenserFinalisation<TSingletonMetaInfo>(TypeGenreClasseFinalisable::cfFinalisationPrecoce);
  }
  return *Liste;
}

TRef<IMetaInfo> TSingletonMetaInfo::GetMetaInfo(const TGUID& AGuid, std::u16string_view ANom,
                                                std::span<const std::u16string_view> AAutresNoms) {
  return GetListe().GetMetaInfo(AGuid, ANom, AAutresNoms);
}

TRef<IMetaInfoClasse> TSingletonMetaInfo::GetMetaInfoClasse(const TClasse* AClasse) {
  return GetListe().GetMetaInfoClasse(AClasse);
}

TRef<IMetaInfo> TSingletonMetaInfo::GetMetaInfoParNom(std::u16string_view ANom) {
  return GetListe().GetMetaInfoParNom(ANom);
}

TGUID TSingletonMetaInfo::GetGuidMetaInfo(IMetaInfo* AMetaInfo) {
  return GetListe().GetGuidMetaInfo(AMetaInfo);
}

void TSingletonMetaInfo::EntrerSectionCritique() {
  GetListe();
  Verrou->lock();
}

void TSingletonMetaInfo::SortirSectionCritique() {
  if (Verrou) Verrou->unlock();
}

void TSingletonMetaInfo::FinaliserClasse() {
  // Forgotten before they are freed: a descriptor's extension that asks for
  // the registry while it goes gets a new one.
  delete std::exchange(Verrou, nullptr);
  delete std::exchange(Liste, nullptr);
}

}  // namespace kv
