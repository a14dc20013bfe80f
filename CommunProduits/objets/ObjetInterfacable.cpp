#include "objets/ObjetInterfacable.h"

#include <typeinfo>

#include "commun/Exception.h"
#include "plateforme/Console.h"
#include "plateforme/NomsTypes.h"

namespace kv {
namespace {

// Own count seen by the base destructor, the last one to run, so that the
// deallocation that follows it knows whether a reference outlived the
// destruction.
thread_local std::int32_t CompteurALaDestruction = 0;

std::u16string NomSansEspaceDeNoms(const std::type_info& AType) {
  std::u16string nom = plateforme::NomTypeLisible(AType);
  const std::size_t fin = nom.rfind(u"::");
  return fin == std::u16string::npos ? nom : nom.substr(fin + 2);
}

std::u16string MessageDoubleDestruction(const std::u16string& AClasse) {
  return u"Erreur interne : double destruction d'un objet de classe " + AClasse + u".";
}

std::u16string MessageDestructionReferencee(const std::u16string& AClasse) {
  return u"Erreur interne : tentative de destruction d'un objet de classe " + AClasse +
         u" référencé comme interface.";
}

}  // namespace

THResult TObjetInterfacable::QueryInterface(const TGUID& AGuid, void** AInterface) noexcept {
  // A part tells the container that holds it in its table that it goes; that
  // container answers for itself, even when it hands its own queries on.
  if (FDeleguerQueryInterface && FConteneur && AGuid != IConteneurDeParties::IID) {
    return FConteneur->QueryInterface(AGuid, AInterface);
  }
  void* interface = nullptr;
  if (ObtenirInterface(AGuid, &interface)) {
    *AInterface = interface;
    return S_OK;
  }
  *AInterface = nullptr;
  return E_NOINTERFACE;
}

// Once its destruction has started, an object counts the references taken
// since then itself: one that outlives the destruction keeps its memory, and an
// owner that is a part sees zero when it releases its extensions, as any owner
// does. A reference taken before goes back to the container that counted it.
IInterface* TObjetInterfacable::ConteneurQuiCompte(bool APourRelacher) const noexcept {
  if (!FEnDestruction) return FConteneur;
  return APourRelacher && FCompteurReferences == 0 ? FConteneur : nullptr;
}

std::int32_t TObjetInterfacable::_AddRef() noexcept {
  if (IInterface* conteneur = ConteneurQuiCompte(false)) return conteneur->_AddRef();
  return ++FCompteurReferences;
}

std::int32_t TObjetInterfacable::_Release() noexcept {
  std::int32_t resultat;
  TRef<IInterface> conteneur(ConteneurQuiCompte(true));  // may free the container, last
  if (conteneur) {
    resultat = conteneur->_Release() - 1;
  } else {
    resultat = --FCompteurReferences;
  }
  if (resultat == 0 && FLiberationAutomatique && FConstruit) {
    if (auto parties = Interroger<IConteneurDeParties>(conteneur.Get())) {
      parties->PartieLiberee(this);
    }
    // Nobody to raise to here: the error stream is the one witness left.
    if (const std::type_info* conservee = Detruire()) {
      plateforme::EcrireLigneErreur(MessageDestructionReferencee(NomSansEspaceDeNoms(*conservee)));
    }
  }
  return resultat;
}

TRef<IInterface> TObjetInterfacable::GetConteneur() noexcept {
  return TRef<IInterface>(FConteneur);
}

bool TObjetInterfacable::SetConteneur(IInterface* AConteneur,
                                      bool ADeleguerQueryInterface) noexcept {
  if (FConteneur) return false;
  FConteneur = AConteneur;
  if (FConteneur) {
    for (; FCompteurReferences > 0; --FCompteurReferences) FConteneur->_AddRef();
  }
  FDeleguerQueryInterface = ADeleguerQueryInterface;
  return true;
}

void TObjetInterfacable::Liberer() {
  if (FEnDestruction) throw Exception(MessageDoubleDestruction(NomClasseObjet()));
  // Checked before anything is destroyed, so that the references still held
  // keep reaching a whole object.
  if (FCompteurReferences != 0) throw Exception(MessageDestructionReferencee(NomClasseObjet()));
  if (const std::type_info* conservee = Detruire()) {
    throw Exception(MessageDestructionReferencee(NomSansEspaceDeNoms(*conservee)));
  }
}

std::u16string TObjetInterfacable::NomClasseObjet() const {
  return NomSansEspaceDeNoms(typeid(*this));
}

const TClasse& TObjetInterfacable::Classe() noexcept {
  static TSansDestruction<TClasse> classe(u"TObjetInterfacable", nullptr);
  return *classe;
}

const TClasse& TObjetInterfacable::ClasseObjet() const noexcept { return Classe(); }

TObjetInterfacable::~TObjetInterfacable() {
  FConteneur = nullptr;
  CompteurALaDestruction = FCompteurReferences;
}

bool TObjetInterfacable::ObtenirInterface(const TGUID& AGuid, void** AInterface) noexcept {
  if (AGuid != IInterface::IID && AGuid != IAvecConteneur::IID) return false;
  IAvecConteneur* interface = this;
  interface->_AddRef();
  *AInterface = interface;
  return true;
}

const std::type_info* TObjetInterfacable::Detruire() noexcept {
  const std::type_info& type = typeid(*this);
  FEnDestruction = true;
  FLiberationAutomatique = false;  // releases during destruction must not free it again
  delete this;
  return CompteurALaDestruction == 0 ? nullptr : &type;
}

void TObjetInterfacable::operator delete(TObjetInterfacable* AObjet, std::destroying_delete_t) {
  void* bloc = dynamic_cast<void*>(AObjet);
  CompteurALaDestruction = 0;
  AObjet->~TObjetInterfacable();
  if (CompteurALaDestruction == 0) ::operator delete(bloc);
}

}  // namespace kv
