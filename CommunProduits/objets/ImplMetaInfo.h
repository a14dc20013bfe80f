#pragma once

#include <string>

#include "objets/I_MetaInfo.h"
#include "objets/ObjetInterfacableExtensible.h"

namespace kv {

// The descriptor of a named interface type; the registry makes it (always
// with automatic freeing) and holds it until the registry goes. Its extensions
// go with it.
class TMetaInfo : public TObjetInterfacableExtensible,
                  public ICacheGuid,
                  public IAvecMetaInfoClasse,
                  public IMetaInfo {
  KV_INTERFACES(TObjetInterfacableExtensible, ICacheGuid, IAvecMetaInfoClasse, IMetaInfo)
  KV_CLASSE(TMetaInfo, TObjetInterfacableExtensible)

 public:
  TMetaInfo(const TGUID& AGuid, bool AGuidAttribue, std::u16string ANom);

  // IMetaInfo
  bool AjouterExtension(const TGUID& AGuid, IAvecConteneur* AExtension) noexcept override;
  std::u16string GetNom() override;

  // IAvecMetaInfoClasse: the descriptor of this object's own class (TMetaInfo
  // or a descendant), from the registry.
  TRef<IMetaInfoClasse> GetMetaInfoClasse() override;

  // ICacheGuid
  TGUID GetGuid() noexcept override;
  void SetGuid(const TGUID& AGuid) noexcept override;
  bool GetGuidAttribue() noexcept override;
  void SetGuidAttribue(bool AValeur) noexcept override;

 protected:
  ~TMetaInfo() override = default;

 private:
  TGUID FGuid;
  bool FGuidAttribue;
  std::u16string FNom;
};

// The descriptor of a class. Named after the class in upper case, without a
// GUID until the registry assigns one.
class TMetaInfoClasse : public TMetaInfo, public IMetaInfoClasse {
  KV_INTERFACES(TMetaInfo, IMetaInfoClasse)
  KV_CLASSE(TMetaInfoClasse, TMetaInfo)

 public:
  // AClasse must not be null.
  TMetaInfoClasse(std::u16string ANom, const TClasse* AClasse,
                  TRef<IMetaInfoClasse> AMetaInfoParent);

  // IMetaInfo, as inherited from TMetaInfo.
  bool AjouterExtension(const TGUID& AGuid, IAvecConteneur* AExtension) noexcept override;
  std::u16string GetNom() override;

  // IMetaInfoClasse
  const TClasse* GetClasse() noexcept override;
  TRef<IMetaInfoClasse> GetMetaInfoParent() noexcept override;

 protected:
  ~TMetaInfoClasse() override = default;

 private:
  const TClasse* FClasse;
  TRef<IMetaInfoClasse> FMetaInfoParent;
};

}  // namespace kv
