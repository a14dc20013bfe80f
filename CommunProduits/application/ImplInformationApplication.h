#pragma once

#include <cstdint>
#include <string>

#include "application/I_InformationApplication.h"
#include "objets/ObjetInterfacable.h"

namespace kv {

// Where the deployment environment is read from, and written back to.
enum class TypeSourceEnvironnement : std::uint8_t {
  seAucune,    // stays "production", changes are kept in memory
  seRegistre,  // the current user's value named after the executable's path
  seVariable,  // KV_ENVIRONNEMENT; changes are kept in memory
};

// The registry key, under the current user, that holds one environment name
// per program.
inline constexpr std::u16string_view CleEnvironnementDeploiement =
    u"\\Software\\Korvel\\EnvironnementDeploiement";
inline constexpr std::u16string_view VariableEnvironnementDeploiement = u"KV_ENVIRONNEMENT";

// The commercial year of a product's major version number, or the number
// itself when the product has no such table.
std::uint32_t MillesimeProduit(std::uint32_t AVersionMajeure, TypeProduit AProduit);

// The title of a product name S for an application kind ("Client S", "S.net").
std::u16string TitreGenre(std::u16string_view ANomProduit, TypeGenreApplication AGenre);

// The application information of the process. All but the environment is
// fixed at construction; reading the environment never fails the construction.
class TInformationApplication : public TObjetInterfacable, public IInformationApplication {
  KV_INTERFACES(TObjetInterfacable, IInformationApplication)

 public:
  // With the running executable's version; raises what reading it raises on
  // the first attempt of the process.
  TInformationApplication(std::u16string ANom, TypeProduit AProduit, TypeGenreApplication AGenre,
                          TypePaysDistribution APays, TypeSourceEnvironnement ASource);
  TInformationApplication(std::u16string ANom, TypeProduit AProduit, TypeGenreApplication AGenre,
                          TypeVersion AVersion, std::uint8_t APlateforme,
                          TypePaysDistribution APays, TypeSourceEnvironnement ASource);

  TypeVersion GetVersion() override { return FVersion; }
  std::u16string GetNomProduit() override { return FNomProduit; }
  std::u16string GetTitre() override { return FTitre; }
  std::u16string GetNomProduitMillesime() override { return FNomProduitMillesime; }
  std::u16string GetNom() override { return FNom; }
  std::u16string GetNomDossierGenre() override { return FNomDossierGenre; }
  TypePaysDistribution GetPays() override { return FPays; }
  std::u16string GetMillesime() override { return FMillesime; }
  TypeProduit GetProduit() override { return FProduit; }
  std::uint8_t GetPlateforme() override { return FPlateforme; }
  TypeGenreApplication GetGenre() override { return FGenre; }
  bool GetIndicateur() override { return false; }
  TypeEnvironnementDeploiement GetEnvironnementDeploiement() override { return FEnvironnement; }
  // Raises EArgumentInvalide, changing nothing, for a value with no name.
  void SetEnvironnementDeploiement(TypeEnvironnementDeploiement AEnvironnement) override;
  std::u16string GetLibelle(std::int32_t ANombreNumeros, TypeOptionsLibelle AOptions) override;
  std::u16string GetLibelleVersion(const TypeVersion& AVersion, std::int32_t ANombreNumeros,
                                   TypeOptionsLibelle AOptions) override;
  std::u16string GetLibelleProduit(const TypeVersion& AVersion, std::int32_t ANombreNumeros,
                                   TypeOptionsLibelle AOptions, TypeProduit AProduit,
                                   TypeGenreApplication AGenre) override;
  std::int32_t CalculerMillesime(TypeProduit AProduit, std::uint32_t AVersionMajeure,
                                 std::int32_t ADecalage) override;
  std::uint32_t GetMillesimeVersion(std::uint32_t AVersionMajeure) override;
  std::u16string GetMillesimeVersionEnChaine(std::uint32_t AVersionMajeure) override;
  bool EnvironnementDeploiementModifiable() override {
    return FSource != TypeSourceEnvironnement::seAucune;
  }

 private:
  TypeEnvironnementDeploiement LireEnvironnement() const noexcept;
  TypeProduit ProduitDuLibelle(const TypeVersion& AVersion, TypeProduit AProduit) const;
  std::u16string PartieNom(TypeOptionsLibelle AOptions, TypeProduit AProduit,
                           TypeGenreApplication AGenre) const;

  std::u16string FNom;
  TypeProduit FProduit;
  TypeGenreApplication FGenre;
  TypeVersion FVersion;
  std::uint8_t FPlateforme;
  TypePaysDistribution FPays;
  TypeEnvironnementDeploiement FEnvironnement = TypeEnvironnementDeploiement::edProduction;
  TypeSourceEnvironnement FSource;
  std::u16string FMillesime;
  std::u16string FNomProduit;
  std::u16string FTitre;
  std::u16string FNomProduitMillesime;
  std::u16string FNomDossierGenre;
};

}  // namespace kv
