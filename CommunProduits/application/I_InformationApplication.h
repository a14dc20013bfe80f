#pragma once

#include <cstdint>
#include <string>

#include "environnement/TypeVersion.h"
#include "environnement/TypesProduits.h"
#include "objets/GuidsServices.h"
#include "objets/Interface.h"

namespace kv {

// Options of the descriptions built by GetLibelleProduit, as bits of one byte.
using TypeOptionsLibelle = std::uint8_t;
inline constexpr TypeOptionsLibelle olSansNom = 0x01;      // no product name
inline constexpr TypeOptionsLibelle olTitre = 0x02;        // product and kind, as in the title
inline constexpr TypeOptionsLibelle olPlateforme = 0x10;   // " (64bit)" appended

// What the running application is: name, product, kind, version, platform,
// country and deployment environment, with display texts built from them.
class IInformationApplication : public IInterface {
 public:
  static constexpr TGUID IID = GUID_IInformationApplication;

  virtual TypeVersion GetVersion() = 0;
  virtual std::u16string GetNomProduit() = 0;
  virtual std::u16string GetTitre() = 0;
  // The product name followed by a space and the vintage year, when the
  // version is known.
  virtual std::u16string GetNomProduitMillesime() = 0;
  virtual std::u16string GetNom() = 0;
  // The kind's code, used as a folder name; empty for the undefined kind.
  virtual std::u16string GetNomDossierGenre() = 0;
  virtual TypePaysDistribution GetPays() = 0;
  virtual std::u16string GetMillesime() = 0;
  virtual TypeProduit GetProduit() = 0;
  // 0 "32bit", 1 and 2 "64bit".
  virtual std::uint8_t GetPlateforme() = 0;
  virtual TypeGenreApplication GetGenre() = 0;
  virtual bool GetIndicateur() = 0;
  virtual TypeEnvironnementDeploiement GetEnvironnementDeploiement() = 0;
  // Raises what the registry raises when the environment comes from it and
  // cannot be written; the new value holds in memory all the same.
  virtual void SetEnvironnementDeploiement(TypeEnvironnementDeploiement AEnvironnement) = 0;
  virtual std::u16string GetLibelle(std::int32_t ANombreNumeros, TypeOptionsLibelle AOptions) = 0;
  virtual std::u16string GetLibelleVersion(const TypeVersion& AVersion, std::int32_t ANombreNumeros,
                                           TypeOptionsLibelle AOptions) = 0;
  virtual std::u16string GetLibelleProduit(const TypeVersion& AVersion,
                                           std::int32_t ANombreNumeros,
                                           TypeOptionsLibelle AOptions, TypeProduit AProduit,
                                           TypeGenreApplication AGenre) = 0;
  virtual std::int32_t CalculerMillesime(TypeProduit AProduit, std::uint32_t AVersionMajeure,
                                         std::int32_t ADecalage) = 0;
  virtual std::uint32_t GetMillesimeVersion(std::uint32_t AVersionMajeure) = 0;
  virtual std::u16string GetMillesimeVersionEnChaine(std::uint32_t AVersionMajeure) = 0;
  // False when the environment is only kept in memory.
  virtual bool EnvironnementDeploiementModifiable() = 0;

 protected:
  ~IInformationApplication() = default;
};

}  // namespace kv
