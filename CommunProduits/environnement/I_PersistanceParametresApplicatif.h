#pragma once

#include <cstdint>
#include <pugixml.hpp>
#include <string_view>

#include "environnement/I_DossierSpecial.h"
#include "environnement/TypeVersion.h"
#include "objets/GuidsServices.h"
#include "objets/Interface.h"
#include "objets/Reference.h"

namespace kv {

// One XML parameter document of the application, tied to one level of the
// special folders and kept in a file. What each operation does in detail is
// the store's own (see ImplPersistanceParametresXml.h).
class IPersistanceParametresApplicatif : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{82CD5F7D-0452-4735-A581-B3FB0563599B}");

  virtual pugi::xml_document& GetDocument() = 0;
  virtual TypeVersion GetVersion() = 0;
  virtual bool GetCorrompu() = 0;
  virtual bool EcrireFichier() = 0;
  virtual void LireFichier() = 0;
  virtual pugi::xml_node GetNodeRoot() = 0;
  virtual bool AtteindreNoeud(std::u16string_view aNom, pugi::xml_node& aNoeud, bool& aModele,
                              std::int32_t& aVersion) = 0;
  virtual pugi::xml_node AjouterNoeud(std::u16string_view aNom, std::int32_t aVersion,
                                      bool aRecreer) = 0;
  virtual void ReInitialiserDocument(bool AConserverAncienFichier) = 0;
  virtual void EffacerCorruption() = 0;
  virtual TypeNiveauDossierSpecial GetNiveauDossierSpecial() = 0;

 protected:
  ~IPersistanceParametresApplicatif() = default;
};

// The application's parameter stores, at most one per level of the special
// folders.
class IListePersistanceParametresApplicatif : public IInterface {
 public:
  static constexpr TGUID IID = GUID_IListePersistanceParametresApplicatif;

  // Null when no store is registered for ANiveau.
  virtual TRef<IPersistanceParametresApplicatif> GetPersistance(
      TypeNiveauDossierSpecial ANiveau) = 0;
  // Registers APersistance under its own level. Raises EListError, keeping the
  // first, when that level already has a store, and EArgumentInvalide for a
  // null store.
  virtual void AjouterPersistance(IPersistanceParametresApplicatif* APersistance) = 0;

 protected:
  ~IListePersistanceParametresApplicatif() = default;
};

}  // namespace kv
