#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "objets/Classe.h"
#include "objets/Guid.h"
#include "objets/I_MetaInfo.h"
#include "objets/Reference.h"

namespace kv {

// The registry of meta information: descriptors by GUID, by name (and
// alternative names) and by class. A descriptor, once made, lives as long as
// the registry. Names match whatever their letter case: they are kept in
// simple upper case, the same for every language. No lock: see
// TSingletonMetaInfo.
class TListeMetaInfo {
 public:
  TListeMetaInfo() = default;
  // Releases every descriptor, those known by GUID first.
  ~TListeMetaInfo();
  TListeMetaInfo(const TListeMetaInfo&) = delete;
  TListeMetaInfo& operator=(const TListeMetaInfo&) = delete;

  // The descriptor of AGuid. The first request makes it, named ANom, and
  // lists it under ANom and under each of AAutresNoms; later requests answer
  // it whatever names they give.
  TRef<IMetaInfo> GetMetaInfo(const TGUID& AGuid, std::u16string_view ANom,
                              std::span<const std::u16string_view> AAutresNoms = {});
  TRef<IMetaInfo> GetMetaInfo(const TGUID& AGuid, std::u16string_view ANom,
                              std::initializer_list<std::u16string_view> AAutresNoms) {
    return GetMetaInfo(AGuid, ANom, std::span(AAutresNoms.begin(), AAutresNoms.size()));
  }

  // The descriptor of AClasse, made on first request together with those of
  // its ancestors that have none yet; null for a null class. Two classes of the
  // same name get two descriptors under that name.
  TRef<IMetaInfoClasse> GetMetaInfoClasse(const TClasse* AClasse);

  // The one descriptor listed under ANom; null when there is none, or more
  // than one.
  TRef<IMetaInfo> GetMetaInfoParNom(std::u16string_view ANom) const;

  // The GUID of AMetaInfo. A descriptor without one (a class descriptor) gets
  // a new random GUID, under which the registry then knows it too. Raises
  // EIntfCastError when AMetaInfo is null or is no descriptor of a registry
  // (lacks ICacheGuid).
  TGUID GetGuidMetaInfo(IMetaInfo* AMetaInfo);

 private:
  using TypeListe = std::vector<TRef<IMetaInfo>>;

  // The list under the upper-case name AClef, made empty when absent.
  TypeListe& ListeNom(const std::u16string& AClef);

  std::unordered_map<std::u16string, TypeListe> FAssocStringInterface;
  std::unordered_map<TGUID, TRef<IMetaInfo>, THachageGuid> FAssocGuidInterface;
};

}  // namespace kv
