#pragma once

// The small enumerations that describe an application: distribution country,
// product, application kind and deployment environment, each with its fixed
// table of codes. The codes end up in folder names and in the application
// information, so they never change.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

enum class TypePaysDistribution : std::uint8_t {
  pdFrance,
  pdItalie,
  pdBelgique,
  pdSuisse,
  pdPaysBas,
  pdAllemagne,
  pdRoyaumeUni,
  pdMaroc,
  pdCanada,
  pdEtatsUnis,
};

inline constexpr std::array<std::u16string_view, 10> CodesPaysDistribution = {
    u"FR", u"IT", u"BE", u"CH", u"NL", u"DE", u"GB", u"MA", u"CA", u"US"};

enum class TypeProduit : std::uint8_t {
  prAucun,
  prGestion,
  prComptabilite,
  prPaie,
  prFacturation,
  prStocks,
  prPlanning,
  prArchives,
  prOutils,  // stand-alone utilities
  prAgenda,
  prAnnuaire,
  prPortailWeb,
  prMessagerie,
  prStatistiques,
  prBudget,
  prDocuments,
  prSynchronisation,
};

enum class TypeGenreApplication : std::uint8_t {
  gaMonoposte,
  gaClient,
  gaServeur,
  gaRelais,
  gaPointNet,
  gaControleur,
  gaServiceWeb,
  gaAdminServeur,
  gaAdminRelais,
  gaAdminServeurHttp,
  gaAdminControleur,
  gaAdminServiceWeb,
  gaTarvelin,
  gaIndefini,  // no kind: the application information gives it no folder name
  gaSurveillant,
  gaAdminClientEchangeData,
  gaClientEchangeData,
};

inline constexpr std::array<std::u16string_view, 17> CodesGenresApplication = {
    u"MONOPOSTE",        u"CLIENT",           u"SERVEUR",         u"RELAIS",
    u"POINTNET",         u"CONTROLEUR",       u"SERVICEWEB",      u"ADMINSERVEUR",
    u"ADMINRELAIS",      u"ADMINSERVEURHTTP", u"ADMINCONTROLEUR", u"ADMINSERVICEWEB",
    u"TARVELIN",         u"INDEFINI",         u"SURVEILLANT",     u"ADMINCLIENTECHANGEDATA",
    u"CLIENTECHANGEDATA"};

enum class TypeEnvironnementDeploiement : std::uint8_t {
  edProduction,
  edStaging,
  edDevelopment,
};

inline constexpr std::array<std::u16string_view, 3> NomsEnvironnementsDeploiement = {
    u"production", u"staging", u"development"};

// Each gives the empty string for a value outside its table: a byte read from
// outside may hold any ordinal.
std::u16string CodePaysDistribution(TypePaysDistribution APays);
std::u16string CodeGenreApplication(TypeGenreApplication AGenre);
std::u16string NomEnvironnementDeploiement(TypeEnvironnementDeploiement AEnvironnement);

// Upper-case letters only; empty for prAucun and for any value past the last product.
std::u16string CodeProduit(TypeProduit AProduit);
// The name shown to the user: the code, except for one product named in two words.
std::u16string LibelleProduit(TypeProduit AProduit);

}  // namespace kv
