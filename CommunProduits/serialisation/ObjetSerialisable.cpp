#include "serialisation/ObjetSerialisable.h"

#include "commun/Format.h"
#include "objets/SingletonMetaInfo.h"
#include "serialisation/I_Instanciateur.h"
#include "serialisation/ImplInstanciateur.h"

namespace kv {

namespace detail {

void LeverClasseAbstraite(std::u16string_view ANomClasse) {
  throw EAbstractError(Formater(
      u"Erreur interne : la classe « %0:s » a des opérations abstraites et ne s'instancie pas.",
      {ANomClasse}));
}

}  // namespace detail

void TClasseObjetSerialisable::EnregistrerInstanciateurs(IMetaInfoClasse* AMetaInfoClasse) const {
  // Each made before it is handed over, so that a refusal frees it.
  TRef<TInstanciateurObjetSerialisable> instanciateur =
      Nouveau<TInstanciateurObjetSerialisable>(*this);
  AMetaInfoClasse->AjouterExtension(IInstanciateur::IID, instanciateur.Get());
  instanciateur = Nouveau<TInstanciateurObjetSerialisable>(*this);
  AMetaInfoClasse->AjouterExtension(IInstanciateurObjetSerialisable::IID, instanciateur.Get());
}

TRef<IMetaInfoClasse> TClasseObjetSerialisable::GetMetaInfoClasse() const {
  TRef<IMetaInfoClasse> metaInfo = TSingletonMetaInfo::GetMetaInfoClasse(this);
  if (!Interroger<IInstanciateur>(metaInfo)) EnregistrerInstanciateurs(metaInfo.Get());
  return metaInfo;
}

void TObjetSerialisable::Serialiser(IFormatter&, TypeClasseFormatSerialisation) {}

void TObjetSerialisable::Deserialiser(IFormatter&, TypeClasseFormatSerialisation) {}

TRef<IMetaInfoClasse> TObjetSerialisable::GetMetaInfoClasse() {
  return ClasseSerialisable().GetMetaInfoClasse();
}

const TClasseObjetSerialisable& TObjetSerialisable::ClasseSerialisable() const noexcept {
  for (const TClasse* classe = &ClasseObjet(); classe; classe = classe->GetParent()) {
    if (const auto* serialisable = dynamic_cast<const TClasseObjetSerialisable*>(classe)) {
      return *serialisable;
    }
  }
  return Classe();  // not reached: this class's own class object is one
}

}  // namespace kv
