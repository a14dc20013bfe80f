#pragma once

// Meta information: the one shared descriptor of a named interface type or of
// a class, found through the registry (SingletonMetaInfo.h). A descriptor is
// extensible: other parts of the framework attach extensions that answer
// further interfaces on its behalf (the instantiators of a class, say).

#include <string>

#include "objets/Classe.h"
#include "objets/Guid.h"
#include "objets/I_InterfaceExtensible.h"
#include "objets/Interface.h"
#include "objets/Reference.h"

namespace kv {

class IMetaInfo : public IInterfaceExtensible {
 public:
  static constexpr TGUID IID = GuidLitteral("{BD0B6898-ECD0-4D46-A6B3-E849B318AFCF}");

  // The descriptor's name: the interface's name as registered, or the class
  // name in upper case for a class descriptor.
  virtual std::u16string GetNom() = 0;

 protected:
  ~IMetaInfo() = default;
};

// The descriptor of a class.
class IMetaInfoClasse : public IMetaInfo {
 public:
  static constexpr TGUID IID = GuidLitteral("{1032C9E9-1AF3-4EB9-BB34-476839E930CA}");

  // The described class; never null.
  virtual const TClasse* GetClasse() noexcept = 0;
  // The descriptor of the parent class; null for a root class.
  virtual TRef<IMetaInfoClasse> GetMetaInfoParent() noexcept = 0;

 protected:
  ~IMetaInfoClasse() = default;
};

// An object that knows the descriptor of its own class.
class IAvecMetaInfoClasse : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{754F21B9-99BF-4CA4-99E3-26A933E11CAA}");

  virtual TRef<IMetaInfoClasse> GetMetaInfoClasse() = 0;

 protected:
  ~IAvecMetaInfoClasse() = default;
};

// The GUID a descriptor keeps for itself. A class descriptor has none until the
// registry assigns one (TListeMetaInfo::GetGuidMetaInfo).
class ICacheGuid : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{47298CCE-EEB3-4DE8-9E02-82E05759F2D2}");

  virtual TGUID GetGuid() noexcept = 0;
  virtual void SetGuid(const TGUID& AGuid) noexcept = 0;
  // True once GetGuid is meaningful.
  virtual bool GetGuidAttribue() noexcept = 0;
  virtual void SetGuidAttribue(bool AValeur) noexcept = 0;

 protected:
  ~ICacheGuid() = default;
};

}  // namespace kv
