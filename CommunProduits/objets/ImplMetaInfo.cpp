#include "objets/ImplMetaInfo.h"

#include <utility>

#include "objets/SingletonMetaInfo.h"

namespace kv {

TMetaInfo::TMetaInfo(const TGUID& AGuid, bool AGuidAttribue, std::u16string ANom)
    : TObjetInterfacableExtensible(true),
      FGuid(AGuid),
      FGuidAttribue(AGuidAttribue),
      FNom(std::move(ANom)) {}

bool TMetaInfo::AjouterExtension(const TGUID& AGuid, IAvecConteneur* AExtension) noexcept {
  return TObjetInterfacableExtensible::AjouterExtension(AGuid, AExtension);
}

std::u16string TMetaInfo::GetNom() { return FNom; }

TRef<IMetaInfoClasse> TMetaInfo::GetMetaInfoClasse() {
  return TSingletonMetaInfo::GetMetaInfoClasse(&ClasseObjet());
}

TGUID TMetaInfo::GetGuid() noexcept { return FGuid; }

void TMetaInfo::SetGuid(const TGUID& AGuid) noexcept { FGuid = AGuid; }

bool TMetaInfo::GetGuidAttribue() noexcept { return FGuidAttribue; }

void TMetaInfo::SetGuidAttribue(bool AValeur) noexcept { FGuidAttribue = AValeur; }

TMetaInfoClasse::TMetaInfoClasse(std::u16string ANom, const TClasse* AClasse,
                                 TRef<IMetaInfoClasse> AMetaInfoParent)
    : TMetaInfo(TGUID{}, false, std::move(ANom)),
      FClasse(AClasse),
      FMetaInfoParent(std::move(AMetaInfoParent)) {}

bool TMetaInfoClasse::AjouterExtension(const TGUID& AGuid, IAvecConteneur* AExtension) noexcept {
  return TMetaInfo::AjouterExtension(AGuid, AExtension);
}

std::u16string TMetaInfoClasse::GetNom() { return TMetaInfo::GetNom(); }

const TClasse* TMetaInfoClasse::GetClasse() noexcept { return FClasse; }

TRef<IMetaInfoClasse> TMetaInfoClasse::GetMetaInfoParent() noexcept { return FMetaInfoParent; }

}  // namespace kv
