#include <memory>

#include "ApplicationTalvane.h"
#include "application/ImplInformationApplication.h"
#include "application/PointEntree.h"

namespace {

// The tool describes itself as a stand-alone utility of no particular kind,
// distributed in France, whose deployment environment is never looked up.
std::unique_ptr<kv::TApplicationKorvel> CreerApplication() {
  const auto information = kv::Nouveau<kv::TInformationApplication>(
      u"Talvane", kv::TypeProduit::prOutils, kv::TypeGenreApplication::gaIndefini,
      kv::TypePaysDistribution::pdFrance, kv::TypeSourceEnvironnement::seAucune);
  return std::make_unique<talvane::TApplicationTalvane>(information.Get());
}

}  // namespace

int main() { return kv::TPointEntree::Executer(&CreerApplication); }
