#include "objets/ObjetInterfacableExtensible.h"

#include <utility>

namespace kv {

bool TObjetInterfacableExtensible::AjouterExtension(const TGUID& AGuid,
                                                    IAvecConteneur* AExtension) noexcept {
  void* interface = nullptr;
  if (!AExtension || AExtension->QueryInterface(AGuid, &interface) != S_OK) return false;
  // Counted on the extension for now, on this object once it is attached.
  TRef<IInterface> obtenue = TRef<IInterface>::Adopter(static_cast<IInterface*>(interface));
  if (FTableExtensions.contains(AGuid)) return false;
  if (!AExtension->SetConteneur(InterfaceDeBase(), true)) return false;
  FTableExtensions.emplace(AGuid, TypeExtension{obtenue.Get(), AExtension});
  return true;
}

void TObjetInterfacableExtensible::PartieLiberee(IAvecConteneur* APartie) noexcept {
  std::erase_if(FTableExtensions,
                [APartie](const auto& AEntree) { return AEntree.second.Partie == APartie; });
}

TObjetInterfacableExtensible::~TObjetInterfacableExtensible() {
  // Taken out first: an extension that frees itself below tells this object,
  // which must not be walking the table then.
  TypeTableExtensions extensions = std::exchange(FTableExtensions, {});
  for (auto& [guid, extension] : extensions) {
    TRef<IInterface> reference(extension.Interface);  // released at once: frees it
  }
}

bool TObjetInterfacableExtensible::ObtenirInterface(const TGUID& AGuid,
                                                    void** AInterface) noexcept {
  if (detail::ChercherInterfaces<IInterfaceExtensible, IConteneurDeParties>(this, AGuid,
                                                                            AInterface) ||
      TObjetInterfacable::ObtenirInterface(AGuid, AInterface)) {
    return true;
  }
  const auto trouvee = FTableExtensions.find(AGuid);
  if (trouvee == FTableExtensions.end()) return false;
  trouvee->second.Interface->_AddRef();
  *AInterface = trouvee->second.Interface;
  return true;
}

}  // namespace kv
