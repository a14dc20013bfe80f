#pragma once

// The description of an invocable service built from the type information of
// an interface (objets/DescriptionInterface.h), serializers included.
//
// What the C++ forms of parameters give (InitialiserInfoParametre):
//
//   T (by value, I* for an interface)      {mpEntrant}
//   const T&, TTableauOuvert<const T>      {mpEntrant, mpParReference}; {mpEntrant} for
//                                          a floating-point type or an open array
//   T&                                     {mpEntrant, mpSortant, mpParReference}
//   TSortie<T>, the result                 {mpSortant, mpParReference}
//   TTableauOuvert<T> (T not const)        {mpEntrant}: the values go in, as for a
//                                          value; the open-array flag alone would
//                                          otherwise give no mode at all
//   the by-address flag alone              {mpEntrant, mpSortant}
//
// and a set gets mpRegles32En64 besides. The layout (CalculerDisposition)
// then decides what travels by address.

#include <string_view>

#include "commun/Exception.h"
#include "objets/DescriptionInterface.h"
#include "objets/InfoType.h"
#include "serialisation/InfoServiceInvocable.h"

namespace kv {

class TInfoParametreServiceInvocable;

// The type information of an interface lacks what a description needs.
KV_DECLARER_EXCEPTION(EInterfaceRTTIException, Exception);

class TInfoServiceInvocableAuto : public TInfoServiceInvocable {
  // No class object of its own: once built it is a TInfoServiceInvocable,
  // and is written, and read back, as one.

 public:
  // Methods 0 to 2 are IInterface's, named only; then AInterface's methods,
  // its parents' first, each laid out. Raises EInterfaceRTTIException
  // ("L'interface %s n'a pas de RTTI.") when the methods listed do not
  // follow the interface's table, and ("Le paramètre %s de la méthode %s de
  // l'interface %s n'a pas de RTTI") for a parameter or result without type
  // information or whose type has no serializer.
  explicit TInfoServiceInvocableAuto(const TInfoTypeInterface& AInterface);

 protected:
  ~TInfoServiceInvocableAuto() override = default;
};

// A new description of the described interface I.
template <class I>
TRef<TInfoServiceInvocable> InfoServiceInvocableDe() {
  return Nouveau<TInfoServiceInvocableAuto>(InfoTypeInterfaceDe<I>());
}

// Sets AInfo up as a parameter named ANom, declared with ADrapeaux, of type
// AType (the element type for an open array): its serializer and its
// ModesAPriori. Raises EInterfaceRTTIException, naming AMethode and
// AInterface, when AType has no serializer.
void InitialiserInfoParametre(TInfoParametreServiceInvocable& AInfo, std::u16string_view ANom,
                              TypeDrapeauxParametre ADrapeaux, const TInfoType& AType,
                              std::u16string_view AMethode, std::u16string_view AInterface);

}  // namespace kv
