// Sorting 100,000 mixed-case French words with the framework's ICU comparer,
// next to a sort calling ICU's ucol_strcoll directly on a collator of the same
// locale and strength, in the same run. The difference is what the framework
// adds per comparison: an interface call, the length checks and the call
// through the loaded entry point.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "comparaison/ImplGestionIcu.h"

namespace {

using kv::TGestionIcu;

constexpr std::size_t NombreMots = 100'000;

// Words of two to four syllables, some accented, capitalised at random.
const std::vector<std::u16string>& Mots() {
  static const std::vector<std::u16string> mots = [] {
    const std::u16string syllabes[] = {u"ba", u"ché", u"cou", u"dé", u"è",  u"fla", u"gno",
                                       u"hi", u"jo",  u"lu",  u"mâ", u"né", u"ô",   u"pê",
                                       u"qui", u"ré", u"sa",  u"tî", u"ü",  u"vo",  u"ça",
                                       u"zé", u"oeu", u"in",  u"an", u"où", u"ï",   u"ly"};
    std::mt19937 generateur(20261210);
    std::uniform_int_distribution<int> nombre(2, 4);
    std::uniform_int_distribution<std::size_t> syllabe(0, std::size(syllabes) - 1);
    std::uniform_int_distribution<int> casse(0, 3);
    std::vector<std::u16string> resultat;
    resultat.reserve(NombreMots);
    for (std::size_t i = 0; i < NombreMots; ++i) {
      std::u16string mot;
      for (int n = nombre(generateur); n > 0; --n) mot += syllabes[syllabe(generateur)];
      for (char16_t& c : mot) {
        if (casse(generateur) == 0 && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
      }
      resultat.push_back(std::move(mot));
    }
    return resultat;
  }();
  return mots;
}

TGestionIcu& Gestion() {
  static TGestionIcu* gestion = [] {
    TGestionIcu* g = kv::Construire<TGestionIcu>();
    g->_AddRef();  // kept for the whole run
    if (!g->IcuDisponible()) throw std::runtime_error("ICU introuvable sur cette machine");
    return g;
  }();
  return *gestion;
}

// The two ways of comparing, on one collator each of the same locale and
// strength.
struct TComparaisons {
  TComparaisons()
      : Comparateur(Gestion().CreerComparateur(kv::ForceIdentique, u"fr-FR")),
        Collationneur(Gestion().OuvrirCollationneur(kv::ForceIdentique, u"fr-FR")),
        Strcoll(Gestion().PointsEntree().ucol_strcoll) {}
  ~TComparaisons() { Gestion().FermerCollationneur(Collationneur); }

  bool Cadriciel(const std::u16string& A, const std::u16string& B) const {
    return Comparateur->Compare(A, B) < 0;
  }
  bool Direct(const std::u16string& A, const std::u16string& B) const {
    return Strcoll(Collationneur, A.data(), static_cast<std::int32_t>(A.size()), B.data(),
                   static_cast<std::int32_t>(B.size())) == UCOL_LESS;
  }

  kv::TRef<kv::IComparateurChaines> Comparateur;
  kv::TypeCollationneur Collationneur;
  decltype(kv::TypePointsEntreeIcu::ucol_strcoll) Strcoll;
};

template <class AComparaison>
void Trier(benchmark::State& AEtat, AComparaison AInferieur) {
  for (auto _ : AEtat) {
    AEtat.PauseTiming();
    std::vector<std::u16string> mots = Mots();
    AEtat.ResumeTiming();
    std::sort(mots.begin(), mots.end(), AInferieur);
    benchmark::DoNotOptimize(mots.data());
  }
  AEtat.SetItemsProcessed(AEtat.iterations() * static_cast<std::int64_t>(NombreMots));
}

void TriComparateurCadriciel(benchmark::State& AEtat) {
  const TComparaisons comparaisons;
  Trier(AEtat, [&](const std::u16string& A, const std::u16string& B) {
    return comparaisons.Cadriciel(A, B);
  });
}
BENCHMARK(TriComparateurCadriciel)->Unit(benchmark::kMillisecond);

void TriUcolStrcollDirect(benchmark::State& AEtat) {
  const TComparaisons comparaisons;
  Trier(AEtat, [&](const std::u16string& A, const std::u16string& B) {
    return comparaisons.Direct(A, B);
  });
}
BENCHMARK(TriUcolStrcollDirect)->Unit(benchmark::kMillisecond);

// Both sorts in every iteration, one after the other, so that the machine's
// drift touches both alike; the counters give each one's best time and the
// ratio of those.
void TriAlterne(benchmark::State& AEtat) {
  using THorloge = std::chrono::steady_clock;
  const TComparaisons comparaisons;
  double meilleurCadriciel = 1e300;
  double meilleurDirect = 1e300;
  auto chronometrer = [](auto AInferieur) {
    std::vector<std::u16string> mots = Mots();
    const THorloge::time_point debut = THorloge::now();
    std::sort(mots.begin(), mots.end(), AInferieur);
    benchmark::DoNotOptimize(mots.data());
    return std::chrono::duration<double, std::milli>(THorloge::now() - debut).count();
  };
  for (auto _ : AEtat) {
    meilleurCadriciel = std::min(meilleurCadriciel, chronometrer([&](const auto& A, const auto& B) {
                                   return comparaisons.Cadriciel(A, B);
                                 }));
    meilleurDirect = std::min(meilleurDirect, chronometrer([&](const auto& A, const auto& B) {
                                return comparaisons.Direct(A, B);
                              }));
  }
  AEtat.counters["cadriciel_ms"] = meilleurCadriciel;
  AEtat.counters["direct_ms"] = meilleurDirect;
  AEtat.counters["rapport"] = meilleurCadriciel / meilleurDirect;
}
BENCHMARK(TriAlterne)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
