#include "objets/DictionnaireExtensions.h"

#include <vector>

namespace kv {

TDictionnaireExtensions::TDictionnaireExtensions(bool) {}

TDictionnaireExtensions::~TDictionnaireExtensions() { Vider(); }

void TDictionnaireExtensions::Vider() noexcept {
  // Released outside the map: a service freed here may look the dictionary up.
  auto extensions = std::move(FExtensions);
  FExtensions.clear();
}

void TDictionnaireExtensions::AjouterExtension(const TGUID& AGuid, IInterface* AExtension) {
  if (!AExtension) return;
  if (!FExtensions.try_emplace(AGuid, AExtension).second) {
    throw EListError(u"Doublons non autorisés");
  }
}

void TDictionnaireExtensions::AjouterExtensions(std::initializer_list<TGUID> AGuids,
                                                IInterface* AExtension) {
  for (const TGUID& guid : AGuids) AjouterExtension(guid, AExtension);
}

void TDictionnaireExtensions::SupprimerExtension(const TGUID& AGuid) {
  const auto trouvee = FExtensions.find(AGuid);
  if (trouvee == FExtensions.end()) return;
  // Held until every entry is gone, so that the object goes after them.
  const TRef<IInterface> objet = trouvee->second;
  SupprimerValeur(objet.Get());
}

void TDictionnaireExtensions::SupprimerValeur(IInterface* AExtension) {
  std::vector<TGUID> guids;
  guids.reserve(FExtensions.size());
  for (const auto& [guid, extension] : FExtensions) {
    if (extension.Get() == AExtension) guids.push_back(guid);
  }
  for (const TGUID& guid : guids) FExtensions.erase(guid);
}

bool TDictionnaireExtensions::TryGetNonType(const TGUID& AGuid,
                                            TRef<IInterface>& AExtension) const noexcept {
  AExtension = nullptr;
  const auto trouvee = FExtensions.find(AGuid);
  if (trouvee == FExtensions.end()) return false;
  void* interface = nullptr;
  if (trouvee->second->QueryInterface(AGuid, &interface) != S_OK) return false;
  // The interface AGuid, carried untyped: every interface starts with the
  // IInterface slots.
  AExtension = TRef<IInterface>::Adopter(static_cast<IInterface*>(interface));
  return true;
}

TRef<IInterface> TDictionnaireExtensions::GetNonType(const TGUID& AGuid) const {
  TRef<IInterface> extension;
  if (!TryGetNonType(AGuid, extension)) {
    throw EExtensionNonSupportee_GraveNePasIgnorer(u"Extension non recensée " +
                                                   GuidVersTexte(AGuid));
  }
  return extension;
}

}  // namespace kv
