#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "objets/GuidsServices.h"
#include "objets/Interface.h"

namespace kv {

class IContexteExecution;

// How deep a data folder goes below the root; also the key of the parameter
// stores.
enum class TypeNiveauDossierSpecial : std::uint8_t {
  NDS_Societe,            // Korvel
  NDS_Produit,            // Korvel\<application>
  NDS_Application,        // Korvel\<application>\<kind folder>
  NDS_ApplicationCommun,  // the same, then "TOUTES VERSIONS"
  NDS_AppliVersionnee,    // the same as NDS_Application, then "VERSION x-y"
};

enum class TypeRacineDossierSpecial : std::uint8_t {
  RDS_DonneesCommunes,  // the machine's common application-data folder
  RDS_Documents,        // the user's documents folder
  RDS_Temporaire,       // TEMP, else the platform's temporary folder
};

// Bits of one byte.
using TypeOptionsDossierSpecial = std::uint8_t;
inline constexpr TypeOptionsDossierSpecial ODS_Creer = 0x01;  // create it with its parents
inline constexpr TypeOptionsDossierSpecial ODS_PaysDistribution = 0x02;  // add the country

// Every folder in which the framework's applications keep data, all after one
// scheme: root, Korvel, application, kind, version, then optionally the
// distribution country, a sub-folder and the instance named on the command
// line; and the application's working folder. Folders are in the framework's
// form (backslashes) and end with a backslash.
class IDossierSpecial : public IInterface {
 public:
  static constexpr TGUID IID = GUID_IDossierSpecial;

  // GetDossierPourApplication with the application's kind folder.
  virtual std::u16string GetDossier(TypeRacineDossierSpecial ARacine,
                                    TypeNiveauDossierSpecial ANiveau,
                                    TypeOptionsDossierSpecial AOptions,
                                    std::u16string_view ASousDossier) = 0;
  virtual std::u16string GetDossierPourApplication(std::u16string_view ANomDossierApplication,
                                                   TypeRacineDossierSpecial ARacine,
                                                   TypeNiveauDossierSpecial ANiveau,
                                                   TypeOptionsDossierSpecial AOptions,
                                                   std::u16string_view ASousDossier) = 0;
  virtual std::u16string GetDossierContexte(IContexteExecution* AContexte) = 0;
  virtual std::u16string GetDossierTravail() = 0;
  // True when the folder exists or could be created.
  virtual bool SetDossierTravail(std::u16string_view ADossier) = 0;

 protected:
  ~IDossierSpecial() = default;
};

}  // namespace kv
