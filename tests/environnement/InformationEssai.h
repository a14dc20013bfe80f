#pragma once

// What the special-folder tests and their probe describe themselves as: every
// piece of the folders distinct and easy to see.

#include <string>
#include <utility>

#include "application/ImplInformationApplication.h"

namespace kv::tests {

// Essai, a client of the stock product, version 2024.1.3, distributed in Italy:
// folders Korvel\Essai\CLIENT\VERSION 2024-1\IT.
inline TRef<TInformationApplication> InformationEssai() {
  return Nouveau<TInformationApplication>(
      u"Essai", TypeProduit::prStocks, TypeGenreApplication::gaClient, TypeVersion{2024, 1, 3},
      std::uint8_t{1}, TypePaysDistribution::pdItalie, TypeSourceEnvironnement::seAucune);
}

}  // namespace kv::tests
