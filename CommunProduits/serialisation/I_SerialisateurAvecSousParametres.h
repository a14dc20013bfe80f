#pragma once

#include "objets/Guid.h"
#include "objets/Interface.h"
#include "serialisation/ListeInfoParametresServiceInvocable.h"

namespace kv {

// A serializer whose values have parts described by parameter descriptions:
// the fields of a record, the element and index of an array.
class ISerialisateurAvecSousParametres : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{1813DCA9-0DCF-4B26-9565-28A6EE57BDB8}");

  // A copy of the list, sharing its description objects, which stay owned
  // by the serializer.
  virtual void GetInfoSousParametres(TypeListeInfoParametresServiceInvocable& AListe) = 0;

 protected:
  ~ISerialisateurAvecSousParametres() = default;
};

}  // namespace kv
