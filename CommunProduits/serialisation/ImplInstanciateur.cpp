#include "serialisation/ImplInstanciateur.h"

#include "commun/Format.h"
#include "objets/SingletonMetaInfo.h"

namespace kv {

TRef<IInterface> TCustomInstanciateur::InstancierInterface() {
  return RemettreParInterface(Instancier());
}

TRef<IInterface> TCustomInstanciateur::RemettreParInterface(TObjetInterfacable* AObjet) {
  if (!AObjet) return nullptr;
  if (!AObjet->LiberationAutomatique()) {
    const std::u16string nom = AObjet->NomClasseObjet();
    AObjet->Liberer();
    throw Exception(
        Formater(u"Erreur interne : l'instanciateur de « %0:s » a créé un objet qui ne "
                 u"se libère pas avec sa dernière référence.",
                 {nom}));
  }
  return TRef<IInterface>(AObjet->InterfaceDeBase());
}

TObjetInterfacable* TInstanciateurObjetSerialisable::Instancier() {
  return InstancierObjetSerialisable(false);
}

TRef<IInterface> TInstanciateurObjetSerialisable::InstancierInterface() {
  return RemettreParInterface(InstancierObjetSerialisable(true));
}

TObjetSerialisable* TInstanciateurObjetSerialisable::InstancierObjetSerialisable(
    bool ALiberationAutomatique) {
  return FClasse->Create(ALiberationAutomatique);
}

namespace {

// Start-up of the unit: the interface is known by GUID and name before main
// begins. IInstanciateur is not registered by name.
[[maybe_unused]] const bool InterfaceEnregistree = [] {
  TSingletonMetaInfo::GetMetaInfo(IInstanciateurObjetSerialisable::IID,
                                  u"IInstanciateurObjetSerialisable");  // released at once
  return true;
}();

}  // namespace
}  // namespace kv

// Named by the library's link options, so that every program takes this unit
// and its start-up runs (see FormatSerialisation.cpp).
extern "C" {
extern const char kv_serialisation_instanciateurs_demarrage;
const char kv_serialisation_instanciateurs_demarrage = 0;
}
