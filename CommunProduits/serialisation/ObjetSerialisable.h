#pragma once

// Serialisable objects: interfaced objects that write and read their own
// description through the formats (FormatSerialisation.h) and that can be made
// again, on the reading side, from their class alone.
//
// Class-level operations live on the class objects: a serialisable class
// declares its class with KV_CLASSE_SERIALISABLE, whose class object (a
// TClasseSerialisable of the class) carries the virtual constructor Create,
// EnregistrerInstanciateurs and GetMetaInfoClasse. Create always builds the
// most derived class through its constructor taking the Boolean
// ALiberationAutomatique, which every concrete serialisable class offers (the
// "virtual constructor": a class that must construct otherwise, the parameter
// serializers say, does so in that constructor). A class that needs other
// class-level behaviour gives its class object a type derived from
// TClasseSerialisable and declares it with KV_CLASSE_TYPEE.

#include <string_view>
#include <type_traits>

#include "commun/Exception.h"
#include "objets/Classe.h"
#include "objets/I_MetaInfo.h"
#include "objets/ObjetInterfacable.h"
#include "objets/Reference.h"
#include "serialisation/I_FormatSerialisation.h"

namespace kv {

class TObjetSerialisable;

// A class that has abstract operations was asked for an instance.
KV_DECLARER_EXCEPTION(EAbstractError, Exception);

namespace detail {
[[noreturn]] void LeverClasseAbstraite(std::u16string_view ANomClasse);
}  // namespace detail

// The class object of a serialisable class.
class TClasseObjetSerialisable : public TClasse {
 public:
  constexpr TClasseObjetSerialisable(std::u16string_view ANom, const TClasse* AParent) noexcept
      : TClasse(ANom, AParent) {}

  // Adds to AMetaInfoClasse two instantiators of this class, one as the
  // extension IInstanciateur, one as IInstanciateurObjetSerialisable. An
  // extension the meta information already has stays; the new one goes.
  virtual void EnregistrerInstanciateurs(IMetaInfoClasse* AMetaInfoClasse) const;

  // The virtual constructor: a new instance of the most derived class, which
  // goes with its last reference when ALiberationAutomatique is true (and the
  // class keeps it) and is freed by Liberer otherwise. Raises EAbstractError
  // for a class with abstract operations.
  virtual TObjetSerialisable* Create(bool ALiberationAutomatique) const = 0;

  // The class's meta information, with the instantiators registered on the
  // first request that finds none (once per class).
  virtual TRef<IMetaInfoClasse> GetMetaInfoClasse() const;
};

// The class object of AClasse: Create builds an AClasse.
template <class AClasse>
class TClasseSerialisable : public TClasseObjetSerialisable {
 public:
  using TClasseObjetSerialisable::TClasseObjetSerialisable;

  TObjetSerialisable* Create(bool ALiberationAutomatique) const override {
    if constexpr (std::is_abstract_v<AClasse>) {
      detail::LeverClasseAbstraite(GetNom());
    } else {
      return Construire<AClasse>(ALiberationAutomatique);
    }
  }
};

}  // namespace kv

// Declares, in the body of the serialisable class ANom derived from ABase, its
// class object of type TClasseSerialisable<ANom>. Leaves the access private.
#define KV_CLASSE_SERIALISABLE(ANom, ABase) \
  KV_CLASSE_TYPEE(ANom, ABase, ::kv::TClasseSerialisable<ANom>)

namespace kv {

// The root of the serialisable classes. Its descriptions write and read
// nothing; descendants override Serialiser and Deserialiser (IFSTout) and add
// the other descriptions they offer.
class TObjetSerialisable : public TObjetInterfacable, public IFSTout, public IAvecMetaInfoClasse {
  KV_INTERFACES(TObjetInterfacable, IFSTout, IAvecMetaInfoClasse)
  KV_CLASSE_SERIALISABLE(TObjetSerialisable, TObjetInterfacable)

 public:
  explicit TObjetSerialisable(bool ALiberationAutomatique) noexcept
      : TObjetInterfacable(ALiberationAutomatique) {}

  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;

  // The class-level GetMetaInfoClasse of the object's own class.
  TRef<IMetaInfoClasse> GetMetaInfoClasse() override;

  // The class object of the object's class: that of the nearest ancestor
  // declared with a serialisable class object.
  const TClasseObjetSerialisable& ClasseSerialisable() const noexcept;

 protected:
  ~TObjetSerialisable() override = default;
};

}  // namespace kv
