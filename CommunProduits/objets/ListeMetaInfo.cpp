#include "objets/ListeMetaInfo.h"

#include <algorithm>
#include <utility>

#include "objets/ConversionInterface.h"
#include "objets/ImplMetaInfo.h"
#include "objets/ObjetInterfacable.h"
#include "plateforme/Casse.h"

namespace kv {
namespace {

std::u16string Clef(std::u16string_view ANom) { return plateforme::EnMajuscules(ANom); }

// A descriptor is listed once under a name, however often its names repeat
// it: listed twice, it would count as two and never be found by that name.
void Ajouter(std::vector<TRef<IMetaInfo>>& AListe, const TRef<IMetaInfo>& AMetaInfo) {
  if (std::find(AListe.begin(), AListe.end(), AMetaInfo) == AListe.end()) {
    AListe.push_back(AMetaInfo);
  }
}

}  // namespace

TListeMetaInfo::~TListeMetaInfo() {
  FAssocGuidInterface.clear();
  FAssocStringInterface.clear();
}

TListeMetaInfo::TypeListe& TListeMetaInfo::ListeNom(const std::u16string& AClef) {
  return FAssocStringInterface[AClef];
}

TRef<IMetaInfo> TListeMetaInfo::GetMetaInfo(const TGUID& AGuid, std::u16string_view ANom,
                                            std::span<const std::u16string_view> AAutresNoms) {
  if (const auto trouvee = FAssocGuidInterface.find(AGuid); trouvee != FAssocGuidInterface.end()) {
    return trouvee->second;
  }
  TRef<TMetaInfo> objet = Nouveau<TMetaInfo>(AGuid, true, std::u16string(ANom));
  TRef<IMetaInfo> metaInfo(static_cast<IMetaInfo*>(objet.Get()));
  FAssocGuidInterface.emplace(AGuid, metaInfo);
  Ajouter(ListeNom(Clef(ANom)), metaInfo);
  for (const std::u16string_view autre : AAutresNoms) Ajouter(ListeNom(Clef(autre)), metaInfo);
  return metaInfo;
}

TRef<IMetaInfoClasse> TListeMetaInfo::GetMetaInfoClasse(const TClasse* AClasse) {
  if (!AClasse) return nullptr;
  const std::u16string clef = Clef(AClasse->GetNom());
  if (const auto liste = FAssocStringInterface.find(clef); liste != FAssocStringInterface.end()) {
    for (const TRef<IMetaInfo>& metaInfo : liste->second) {
      TRef<IMetaInfoClasse> classe = Interroger<IMetaInfoClasse>(metaInfo);
      if (classe && classe->GetClasse() == AClasse) return classe;
    }
  }
  // The parent first: it may land in the same list (an ancestor of the same
  // name), which is therefore looked up again afterwards.
  TRef<IMetaInfoClasse> parent = GetMetaInfoClasse(AClasse->GetParent());
  TRef<TMetaInfoClasse> objet = Nouveau<TMetaInfoClasse>(clef, AClasse, std::move(parent));
  ListeNom(clef).push_back(TRef<IMetaInfo>(static_cast<TMetaInfo*>(objet.Get())));
  return TRef<IMetaInfoClasse>(static_cast<IMetaInfoClasse*>(objet.Get()));
}

TRef<IMetaInfo> TListeMetaInfo::GetMetaInfoParNom(std::u16string_view ANom) const {
  // A name never registered leaves nothing behind: names read from outside
  // (a stream) must not grow the registry.
  const auto liste = FAssocStringInterface.find(Clef(ANom));
  if (liste == FAssocStringInterface.end() || liste->second.size() != 1) return nullptr;
  return liste->second.front();
}

TGUID TListeMetaInfo::GetGuidMetaInfo(IMetaInfo* AMetaInfo) {
  TRef<ICacheGuid> cache = Convertir<ICacheGuid>(AMetaInfo);
  if (cache->GetGuidAttribue()) return cache->GetGuid();
  TGUID guid = NouveauGuid();
  while (FAssocGuidInterface.contains(guid)) guid = NouveauGuid();
  // Kept as the descriptor's own IMetaInfo, which GetMetaInfo's callers then
  // compare with what the other lookups answer.
  FAssocGuidInterface.emplace(guid, Convertir<IMetaInfo>(AMetaInfo));
  cache->SetGuid(guid);
  cache->SetGuidAttribue(true);
  return guid;
}

}  // namespace kv
