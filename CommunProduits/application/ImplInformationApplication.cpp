#include "application/ImplInformationApplication.h"

#include <array>
#include <utility>

#include "commun/Format.h"
#include "environnement/VersionFichier.h"
#include "plateforme/ComparaisonLocale.h"
#include "plateforme/Environnement.h"
#include "plateforme/Processus.h"
#include "plateforme/Registre.h"

namespace kv {
namespace {

namespace pf = plateforme;

constexpr std::array<std::u16string_view, 3> NomsPlateformes = {u"32bit", u"64bit", u"64bit"};

// This build's platform: 1 for a 64-bit program. The ordinal does not depend
// on whether the executable's version could be read.
constexpr std::uint8_t PlateformeCourante = sizeof(void*) == 8 ? 1 : 0;

std::u16string EnDecimal(std::uint64_t AValeur) { return Formater(u"%0:d", {AValeur}); }

struct TypeIntervalleMillesime {
  TypeProduit Produit;
  std::uint32_t Premier;
  std::uint32_t Dernier;
  // The year itself when not 0, otherwise the version plus Decalage.
  std::uint32_t Annee;
  std::uint32_t Decalage;
};

constexpr TypeProduit P(std::uint8_t AOrdinal) { return static_cast<TypeProduit>(AOrdinal); }

constexpr TypeIntervalleMillesime TableMillesimes[] = {
    {P(1), 20, 21, 2011, 0},  {P(1), 22, 23, 2012, 0}, {P(1), 24, 28, 0, 1989},
    {P(2), 11, 16, 0, 1994},  {P(2), 20, 20, 2011, 0}, {P(2), 22, 22, 2012, 0},
    {P(2), 24, 28, 0, 1989},  {P(3), 0, 12, 0, 1998},  {P(3), 21, 21, 2011, 0},
    {P(3), 23, 23, 2012, 0},  {P(3), 24, 28, 0, 1989}, {P(4), 4, 15, 0, 2002},
};

// The numbers of AVersion from the first, ANombre of them, missing ones as 0.
std::u16string Numeros(const TypeVersion& AVersion, std::int32_t ANombre) {
  return TypeVersion(AVersion, ANombre).EnChaine(u".", 0);
}

std::uint32_t Numero(const TypeVersion& AVersion, std::size_t AIndice) {
  return AIndice < AVersion.Numeros.size() ? AVersion.Numeros[AIndice] : 0;
}

TypeEnvironnementDeploiement EnvironnementNomme(std::u16string_view ANom) {
  for (std::size_t i = 0; i < NomsEnvironnementsDeploiement.size(); ++i) {
    if (pf::MemeTexte(ANom, NomsEnvironnementsDeploiement[i])) {
      return static_cast<TypeEnvironnementDeploiement>(i);
    }
  }
  return TypeEnvironnementDeploiement::edProduction;
}

TypeEnvironnementDeploiement EnvironnementDuRegistre() {
  const auto cle = pf::TCleRegistre::Ouvrir(pf::TypeRacineRegistre::rrUtilisateurCourant,
                                            CleEnvironnementDeploiement);
  if (!cle) return TypeEnvironnementDeploiement::edProduction;
  const auto valeur = cle->LireValeur(pf::CheminModuleExecutable());
  if (!valeur || valeur->Type == pf::TypeValeurRegistre::tvEntier32) {
    return TypeEnvironnementDeploiement::edProduction;
  }
  return EnvironnementNomme(valeur->Texte);
}

TypeEnvironnementDeploiement EnvironnementDeLaVariable() {
  const auto valeur = pf::VariableEnvironnement(VariableEnvironnementDeploiement);
  if (!valeur || valeur->empty()) return TypeEnvironnementDeploiement::edProduction;
  return EnvironnementNomme(*valeur);
}

}  // namespace

std::uint32_t MillesimeProduit(std::uint32_t AVersionMajeure, TypeProduit AProduit) {
  for (const auto& ligne : TableMillesimes) {
    if (ligne.Produit != AProduit || AVersionMajeure < ligne.Premier ||
        AVersionMajeure > ligne.Dernier) {
      continue;
    }
    return ligne.Annee != 0 ? ligne.Annee : AVersionMajeure + ligne.Decalage;
  }
  return AVersionMajeure;
}

std::u16string TitreGenre(std::u16string_view ANomProduit, TypeGenreApplication AGenre) {
  const std::u16string s(ANomProduit);
  switch (static_cast<std::uint8_t>(AGenre)) {
    case 0: return s + u" Monoposte";
    case 1: return u"Client " + s;
    case 2: return u"Serveur " + s;
    case 3: return u"Relais " + s;
    case 4: return s + u".net";
    case 5: return u"Contrôleur " + s;
    case 6: return u"Service web " + s;
    case 7: return u"Administration Serveur " + s;
    case 8: return u"Administration Relais " + s;
    case 9: return Formater(u"Administration %s%s", {s, u".net"});
    case 10: return u"Administration Contrôleur " + s;
    case 11: return Formater(u"Administration %s %s", {u"Service web", s});
    case 12:
    case 13: return u"Application " + s;
    case 14: return u"Surveillant " + s;
    case 15: return Formater(u"Administration %s%s", {s, u".data"});
    case 16: return s + u".data";
    default: return s;
  }
}

TInformationApplication::TInformationApplication(std::u16string ANom, TypeProduit AProduit,
                                                 TypeGenreApplication AGenre,
                                                 TypePaysDistribution APays,
                                                 TypeSourceEnvironnement ASource)
    : TInformationApplication(std::move(ANom), AProduit, AGenre, VersionExecutable(),
                              PlateformeCourante, APays, ASource) {}

TInformationApplication::TInformationApplication(std::u16string ANom, TypeProduit AProduit,
                                                 TypeGenreApplication AGenre,
                                                 TypeVersion AVersion, std::uint8_t APlateforme,
                                                 TypePaysDistribution APays,
                                                 TypeSourceEnvironnement ASource)
    : TObjetInterfacable(true),
      FNom(std::move(ANom)),
      FProduit(AProduit),
      FGenre(AGenre),
      FVersion(std::move(AVersion)),
      FPlateforme(APlateforme),
      FPays(APays),
      FSource(ASource) {
  if (AGenre == TypeGenreApplication::gaIndefini) {
    FNomProduit = FNom;
    FTitre = FNom;
  } else {
    FNomProduit = LibelleProduit(AProduit);
    FTitre = TitreGenre(FNomProduit, AGenre);
    FNomDossierGenre = CodeGenreApplication(AGenre);
  }
  FNomProduitMillesime = FNomProduit;
  if (!FVersion.Numeros.empty()) {
    FMillesime = GetMillesimeVersionEnChaine(FVersion.Numeros[0]);
    FNomProduitMillesime += u" " + FMillesime;
  }
  FEnvironnement = LireEnvironnement();
}

TypeEnvironnementDeploiement TInformationApplication::LireEnvironnement() const noexcept {
  try {
    switch (FSource) {
      case TypeSourceEnvironnement::seRegistre: return EnvironnementDuRegistre();
      case TypeSourceEnvironnement::seVariable: return EnvironnementDeLaVariable();
      case TypeSourceEnvironnement::seAucune: break;
    }
  } catch (...) {
    // A hive that cannot be read, like a missing value, leaves "production".
  }
  return TypeEnvironnementDeploiement::edProduction;
}

void TInformationApplication::SetEnvironnementDeploiement(
    TypeEnvironnementDeploiement AEnvironnement) {
  const auto indice = static_cast<std::size_t>(AEnvironnement);
  if (indice >= NomsEnvironnementsDeploiement.size()) {
    throw EArgumentInvalide(
        Formater(u"Environnement de déploiement inconnu : %0:d", {static_cast<int>(indice)}));
  }
  FEnvironnement = AEnvironnement;
  if (FSource != TypeSourceEnvironnement::seRegistre) return;
  auto cle = pf::TCleRegistre::OuvrirOuCreer(pf::TypeRacineRegistre::rrUtilisateurCourant,
                                             CleEnvironnementDeploiement);
  cle.EcrireValeur(pf::CheminModuleExecutable(),
                   {pf::TypeValeurRegistre::tvChaine,
                    std::u16string(NomsEnvironnementsDeploiement[indice]), 0});
}

std::u16string TInformationApplication::GetLibelle(std::int32_t ANombreNumeros,
                                                   TypeOptionsLibelle AOptions) {
  return GetLibelleVersion(FVersion, ANombreNumeros, AOptions);
}

std::u16string TInformationApplication::GetLibelleVersion(const TypeVersion& AVersion,
                                                          std::int32_t ANombreNumeros,
                                                          TypeOptionsLibelle AOptions) {
  return GetLibelleProduit(AVersion, ANombreNumeros, AOptions, FProduit, FGenre);
}

TypeProduit TInformationApplication::ProduitDuLibelle(const TypeVersion& AVersion,
                                                      TypeProduit AProduit) const {
  if (AProduit != P(1)) return AProduit;
  if (Numero(AVersion, 0) == 22 && Numero(AVersion, 1) == 0) return P(2);
  if (Numero(AVersion, 0) == 23 && Numero(AVersion, 1) == 0) return P(3);
  if (FProduit == P(2) || FProduit == P(3) || FProduit == P(11)) return FProduit;
  return P(1);
}

std::u16string TInformationApplication::PartieNom(TypeOptionsLibelle AOptions,
                                                  TypeProduit AProduit,
                                                  TypeGenreApplication AGenre) const {
  if (AOptions & olSansNom) return {};
  if (AOptions & olTitre) {
    if (AProduit != FProduit) return TitreGenre(LibelleProduit(AProduit), AGenre);
    if (AGenre != FGenre) return TitreGenre(FNomProduit, AGenre);
    return FTitre;
  }
  return AProduit != FProduit ? LibelleProduit(AProduit) : FNomProduit;
}

std::u16string TInformationApplication::GetLibelleProduit(const TypeVersion& AVersion,
                                                          std::int32_t ANombreNumeros,
                                                          TypeOptionsLibelle AOptions,
                                                          TypeProduit AProduit,
                                                          TypeGenreApplication AGenre) {
  const TypeProduit produit = ProduitDuLibelle(AVersion, AProduit);
  std::u16string libelle = PartieNom(AOptions, produit, AGenre);
  if (ANombreNumeros > 0) {
    const std::uint32_t annee = MillesimeProduit(Numero(AVersion, 0), produit);
    if (annee > 2000) {
      libelle += u" " + EnDecimal(annee);
      if (ANombreNumeros > 1) libelle += u"." + AVersion.EnChaine(u".", 1);
    } else {
      libelle += u" - " + Numeros(AVersion, ANombreNumeros);
    }
  }
  if (AOptions & olPlateforme) {
    const std::u16string_view nom =
        FPlateforme < NomsPlateformes.size() ? NomsPlateformes[FPlateforme] : u"64bit";
    libelle += u" (" + std::u16string(nom) + u")";
  }
  return libelle;
}

std::int32_t TInformationApplication::CalculerMillesime(TypeProduit AProduit,
                                                        std::uint32_t AVersionMajeure,
                                                        std::int32_t ADecalage) {
  return static_cast<std::int32_t>(MillesimeProduit(AVersionMajeure, AProduit) +
                                   static_cast<std::uint32_t>(ADecalage));
}

std::uint32_t TInformationApplication::GetMillesimeVersion(std::uint32_t AVersionMajeure) {
  return MillesimeProduit(AVersionMajeure, FProduit);
}

std::u16string TInformationApplication::GetMillesimeVersionEnChaine(
    std::uint32_t AVersionMajeure) {
  return EnDecimal(GetMillesimeVersion(AVersionMajeure));
}

}  // namespace kv
