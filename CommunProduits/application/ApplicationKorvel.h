#pragma once

#include <string>
#include <string_view>

#include "objets/Guid.h"
#include "objets/Interface.h"
#include "objets/Reference.h"

namespace kv {

class TDictionnaireExtensions;
class IInformationApplication;
class IContexteExecution;
class IDossierSpecial;
class ISurchargeRepertoiresWindows;

// Base of every program of the framework: one object with a fixed lifecycle.
// The entry point constructs it, calls Execute once and destroys it. Execute
// runs Initialiser, Traiter and Finaliser; a failure of each phase reaches its
// own reporter, and Finaliser runs whatever happened before it.
class TApplicationKorvel {
 public:
  // Computes the platform restrictions, then takes the extension dictionary,
  // which makes the constructing thread its only user, and registers there the
  // application information when there is one, the execution context when
  // there are both, and a new, empty list of folder overrides.
  explicit TApplicationKorvel(IInformationApplication* AInformationApplication = nullptr,
                              IContexteExecution* AContexteExecution = nullptr,
                              bool AOrdreStrictSuppressions = false);
  virtual ~TApplicationKorvel();
  TApplicationKorvel(const TApplicationKorvel&) = delete;
  TApplicationKorvel& operator=(const TApplicationKorvel&) = delete;

  // Only exceptions derived from kv::Exception reach the reporters; any other
  // leaves Execute once Finaliser has run.
  void Execute();

  // The running executable's file name, without folder or extension.
  const std::u16string& GetNom() const { return FNom; }

  // The program name for a module path: the file name with the text from its
  // last dot removed.
  static std::u16string NomProgramme(std::u16string_view ACheminModule);

 protected:
  // Names the main thread and registers the core services: the special
  // folders (IDossierSpecial, when the information is registered and a
  // descendant has not registered its own first), IGestionIcu and the list of
  // parameter stores. Registering one of the others first makes it fail with
  // the duplicate error.
  virtual void Initialiser();
  virtual void Traiter() = 0;
  // Removes the core services, the parameter stores first; those never
  // registered are passed over.
  virtual void Finaliser();
  // Called while the exception still exists, with its class name and message.
  virtual void EchecInitialisation(std::u16string_view AClasseException,
                                   std::u16string_view AMessage) = 0;
  virtual void EchecTraitement(std::u16string_view AClasseException,
                               std::u16string_view AMessage) = 0;
  virtual void EchecFinalisation(std::u16string_view AClasseException,
                                 std::u16string_view AMessage) = 0;
  // The application's services, in the extension dictionary.
  void AjouterExtension(const TGUID& AGuid, IInterface* AExtension);
  void SupprimerExtension(const TGUID& AGuid);
  TDictionnaireExtensions& DictionnaireExtensions() const { return *FDictionnaireExtensions; }
  // The registered services: false, with a null reference, when absent.
  bool TryGetInformationApplication(TRef<IInformationApplication>& AInformation) const;
  bool TryGetContexteExecution(TRef<IContexteExecution>& AContexte) const;
  bool TryGetDossierSpecial(TRef<IDossierSpecial>& ADossierSpecial) const;
  // Raises EExtensionNonSupportee_GraveNePasIgnorer when absent.
  TRef<ISurchargeRepertoiresWindows> GetSurchargeRepertoiresWindows() const;

  // Hooks for a help display keyed by an identifier.
  virtual void AfficherAide(std::u16string_view AIdentifiant);
  virtual std::u16string TitreAide(std::u16string_view AIdentifiant);

 private:
  using TypeEtape = void (TApplicationKorvel::*)();
  using TypeRapport = void (TApplicationKorvel::*)(std::u16string_view, std::u16string_view);

  // True when the step ended normally; a kv::Exception goes to the reporter.
  bool ExecuterEtape(TypeEtape AEtape, TypeRapport ARapport);
  // What the destructor does; also run when the constructor fails.
  void Detruire() noexcept;
  // Initialiser's step for the special folders.
  void AjouterDossierSpecial();

  std::u16string FNom;
  TDictionnaireExtensions* FDictionnaireExtensions = nullptr;  // not owned
};

}  // namespace kv
