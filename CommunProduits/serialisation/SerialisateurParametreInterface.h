#pragma once

// Interface values: one pointer to the interface of GUID Guid, holding a
// counted reference (null for none). Every interface derives singly from
// IInterface, so the pointer also reaches the three IInterface slots.

#include "objets/Guid.h"
#include "serialisation/I_SerialisateurParametreInterface.h"
#include "serialisation/SerialisateurParametre.h"

namespace kv {

class TSerialisateurParametreInterface : public TSerialisateurParametre,
                                         public ISerialisateurParametreInterface {
  KV_INTERFACES(TSerialisateurParametre, ISerialisateurParametreInterface)
  KV_CLASSE_SERIALISABLE(TSerialisateurParametreInterface, TSerialisateurParametre)

 public:
  // The virtual constructor: a null GUID, to be read.
  explicit TSerialisateurParametreInterface(bool ALiberationAutomatique) noexcept
      : TSerialisateurParametre(ALiberationAutomatique) {}
  explicit TSerialisateurParametreInterface(const TGUID& AGuid) noexcept
      : TSerialisateurParametre(true), FGuid(AGuid) {}

  TGUID GetGuid() override;

  TConteneurParametre* CreerConteneur(std::u16string_view ANom) override;
  // Counted assignment; the previous reference is released.
  void CopierValeur(const void* ASource, void* ADestination, bool ALibererObjets) override;
  void LibererValeur(void* AAdresse, bool ALibererObjets) override;
  // Not in place: the object travels (EcrireInterface), and reading keeps its
  // interface Guid, or null when it has none. In place: the object's state
  // travels through AFormat, when there is an object.
  void SerialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                        TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  void DeserialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                          TypeClasseFormatSerialisation AFormat, bool AEnPlace) override;
  std::int32_t GetTaille() override;
  bool GetEstGere() override;
  // Also: AAutre is an interface serializer of the same GUID.
  bool EstCompatibleAvec(ISerialisateurParametre* AAutre) override;

  // The GUID.
  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  // "Guid".
  void SerialiserPourTrace(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;

 protected:
  ~TSerialisateurParametreInterface() override = default;

 private:
  TGUID FGuid;
};

}  // namespace kv
