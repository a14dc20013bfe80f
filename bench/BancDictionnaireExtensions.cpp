// Looking a service up by GUID through the extension dictionary, next to a
// plain hash-map lookup of the same keys.

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <unordered_map>
#include <vector>

#include "objets/ObjetInterfacable.h"
#include "objets/SingletonDictionnaireExtensions.h"

namespace kv {
namespace {

constexpr int NombreServices = 50;

// A service that answers for the one GUID it is registered under.
class TService : public TObjetInterfacable {
 public:
  explicit TService(const TGUID& AGuid) : TObjetInterfacable(true), FGuid(AGuid) {}

 protected:
  bool ObtenirInterface(const TGUID& AGuid, void** AInterface) noexcept override {
    if (AGuid != FGuid) return TObjetInterfacable::ObtenirInterface(AGuid, AInterface);
    _AddRef();
    *AInterface = InterfaceDeBase();
    return true;
  }

 private:
  TGUID FGuid;
};

std::vector<TGUID> GuidsAleatoires() {
  std::mt19937_64 generateur(20261210);
  std::vector<TGUID> guids(NombreServices);
  for (TGUID& guid : guids) {
    std::uint64_t moities[2] = {generateur(), generateur()};
    std::memcpy(&guid, moities, sizeof guid);
  }
  return guids;
}

const std::vector<TGUID>& Guids() {
  static const std::vector<TGUID> guids = [] {
    std::vector<TGUID> tires = GuidsAleatoires();
    for (const TGUID& guid : tires) {
      TSingletonDictionnaireExtensions::AjouterExtension(
          guid, Construire<TService>(guid)->InterfaceDeBase());
    }
    return tires;
  }();
  return guids;
}

void BM_DictionnaireExtensions(benchmark::State& AEtat) {
  const std::vector<TGUID>& guids = Guids();
  std::size_t i = 0;
  TRef<IInterface> extension;
  for (auto _ : AEtat) {
    const bool trouvee = TSingletonDictionnaireExtensions::TryGetNonType(guids[i], extension);
    benchmark::DoNotOptimize(trouvee);
    benchmark::DoNotOptimize(extension.Get());
    if (++i == guids.size()) i = 0;
  }
  AEtat.SetItemsProcessed(AEtat.iterations());
}
BENCHMARK(BM_DictionnaireExtensions);

void BM_UnorderedMapMemesCles(benchmark::State& AEtat) {
  const std::vector<TGUID>& guids = Guids();
  std::unordered_map<TGUID, void*, THachageGuid> table;
  for (const TGUID& guid : guids) table.emplace(guid, &table);
  std::size_t i = 0;
  for (auto _ : AEtat) {
    auto trouvee = table.find(guids[i]);
    benchmark::DoNotOptimize(trouvee);
    if (++i == guids.size()) i = 0;
  }
  AEtat.SetItemsProcessed(AEtat.iterations());
}
BENCHMARK(BM_UnorderedMapMemesCles);

}  // namespace
}  // namespace kv
