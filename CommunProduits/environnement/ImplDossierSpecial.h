#pragma once

#include <string>
#include <string_view>

#include "application/I_InformationApplication.h"
#include "commun/Exception.h"
#include "environnement/I_ContexteExecution.h"
#include "environnement/I_DossierSpecial.h"
#include "environnement/I_SurchargeRepertoiresWindows.h"
#include "objets/ObjetInterfacable.h"

namespace kv {

// The value of the command-line option "instance" names a folder outside the
// one it is meant to be a sub-folder of.
KV_DECLARER_EXCEPTION(EInstanceInvalide, EArgumentInvalide);
// A folder asked for with ODS_Creer could not be created; the message names
// the folder and the system's reason.
KV_DECLARER_EXCEPTION(ECreationDossier, EInOutError);

// Why AInstance, a value of the option "instance", cannot name a sub-folder of
// the folder it is added to (in French, to follow "elle"); empty when it can.
// It is refused when it is absolute, names a drive or holds ':', holds a
// character that a name cannot hold (TPath::CaracteresInterdits, '*', '?'), or
// has a level that is empty or made of dots and spaces only ("..", "."); '/'
// separates levels as '\' does.
std::u16string DefautInstance(std::u16string_view AInstance);

// The special folders. Roots: the overrides read from the registry
// (LireSurcharges), else the platform's folders (plateforme/DossiersConnus.h);
// both are fixed at construction. A root that cannot be known gives folders
// under the main executable's bin folder.
//
// Every folder asked for reads the option "instance" of the command line; a
// value that would leave its parent folder (DefautInstance) raises
// EInstanceInvalide. A folder asked for with ODS_Creer that cannot be created
// raises ECreationDossier; SetDossierTravail alone answers false instead.
class TDossierSpecial : public TObjetInterfacable, public IDossierSpecial {
  KV_INTERFACES(TObjetInterfacable, IDossierSpecial)

 public:
  // AContexte and ASurcharges may be null. ASurcharges is first written to the
  // registry (EnregistrerSurcharges, whose errors go through); with a context,
  // the working folder is the context's folder, created, so what
  // GetDossierContexte raises goes through too. Raises EArgumentInvalide
  // without AInformationApplication.
  TDossierSpecial(IInformationApplication* AInformationApplication, IContexteExecution* AContexte,
                  ISurchargeRepertoiresWindows* ASurcharges);

  std::u16string GetDossier(TypeRacineDossierSpecial ARacine, TypeNiveauDossierSpecial ANiveau,
                            TypeOptionsDossierSpecial AOptions,
                            std::u16string_view ASousDossier) override;
  std::u16string GetDossierPourApplication(std::u16string_view ANomDossierApplication,
                                           TypeRacineDossierSpecial ARacine,
                                           TypeNiveauDossierSpecial ANiveau,
                                           TypeOptionsDossierSpecial AOptions,
                                           std::u16string_view ASousDossier) override;
  // Kinds 0 to 2: the created folder of the versioned application with its
  // country, then "Serveurs", "Plannings" or "Installations" and the
  // context's name (those two levels are not created). Kind 3: the created
  // folder of the versioned application, without country. Any other kind: the
  // context's name made absolute. Raises EArgumentInvalide for a null context.
  std::u16string GetDossierContexte(IContexteExecution* AContexte) override;
  // Computed on first demand and kept: the application folder for the tool
  // product, the versioned one with its country for the others; created.
  std::u16string GetDossierTravail() override;
  // Keeps ADossier as it is given.
  bool SetDossierTravail(std::u16string_view ADossier) override;

 private:
  std::u16string Racine(TypeRacineDossierSpecial ARacine) const;
  std::u16string DossierVersion();

  TRef<IInformationApplication> FInformationApplication;
  std::u16string FDossierTravail;
  std::u16string FDossierDonneesCommunes;
  std::u16string FDossierDocuments;
};

}  // namespace kv
