#include "environnement/TypesProduits.h"

#include <cstddef>

namespace kv {
namespace {

constexpr std::array<std::u16string_view, 17> CodesProduits = {
    u"",           u"GESTION",      u"COMPTABILITE", u"PAIE",      u"FACTURATION",    u"STOCKS",
    u"PLANNING",   u"ARCHIVES",     u"OUTILS",       u"AGENDA",    u"ANNUAIRE",       u"PORTAILWEB",
    u"MESSAGERIE", u"STATISTIQUES", u"BUDGET",       u"DOCUMENTS", u"SYNCHRONISATION"};

template <std::size_t ATaille, class AEnum>
std::u16string Lire(const std::array<std::u16string_view, ATaille>& ATable, AEnum AValeur) {
  const auto ordinal = static_cast<std::size_t>(AValeur);
  if (ordinal >= ATable.size()) return {};
  return std::u16string(ATable[ordinal]);
}

}  // namespace

std::u16string CodePaysDistribution(TypePaysDistribution APays) {
  return Lire(CodesPaysDistribution, APays);
}

std::u16string CodeGenreApplication(TypeGenreApplication AGenre) {
  return Lire(CodesGenresApplication, AGenre);
}

std::u16string NomEnvironnementDeploiement(TypeEnvironnementDeploiement AEnvironnement) {
  return Lire(NomsEnvironnementsDeploiement, AEnvironnement);
}

std::u16string CodeProduit(TypeProduit AProduit) { return Lire(CodesProduits, AProduit); }

std::u16string LibelleProduit(TypeProduit AProduit) {
  if (AProduit == TypeProduit::prPortailWeb) return u"PORTAIL WEB";
  return CodeProduit(AProduit);
}

}  // namespace kv
