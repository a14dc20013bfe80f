// Short lines per second to one file: the trace, next to the C library's
// fwrite of the same bytes in the same run. Buffered fwrite is the ceiling;
// fwrite followed by fflush makes one write per line, as the trace does, but
// without its lock and its check that the file is still the one named.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "plateforme/Texte.h"
#include "trace/TraceSimple.h"

namespace {

namespace fs = std::filesystem;

constexpr std::u16string_view Ligne = u"Ligne de trace courte n° 12345";

class TDossierBanc {
 public:
  TDossierBanc() {
    std::string modele = (fs::temp_directory_path() / "talvane-banc-XXXXXX").string();
    if (::mkdtemp(modele.data()) == nullptr) throw std::runtime_error("mkdtemp a échoué");
    FChemin = modele;
  }
  ~TDossierBanc() {
    std::error_code erreur;
    fs::remove_all(FChemin, erreur);
  }
  fs::path Fichier(const char* ANom) const {
    fs::remove(FChemin / ANom);
    return FChemin / ANom;
  }

 private:
  fs::path FChemin;
};

const TDossierBanc& Dossier() {
  static const TDossierBanc dossier;
  return dossier;
}

void Trace(benchmark::State& AEtat) {
  const fs::path fichier = Dossier().Fichier("trace.txt");
  kv::TTraceSimple trace(u"banc", kv::plateforme::DepuisUtf8(fichier.string()), AEtat.range(0) != 0,
                         1, false);
  trace.Activer(1);
  for (auto _ : AEtat) trace.Tracer(Ligne, 1);
  AEtat.SetItemsProcessed(AEtat.iterations());
}
BENCHMARK(Trace)->ArgName("datee")->Arg(0)->Arg(1);

void Fwrite(benchmark::State& AEtat) {
  const std::string ligne = kv::plateforme::VersUtf8(std::u16string(Ligne) + u"\r\n");
  std::FILE* fichier = std::fopen(Dossier().Fichier("fwrite.txt").c_str(), "ab");
  const bool vider = AEtat.range(0) != 0;
  for (auto _ : AEtat) {
    std::fwrite(ligne.data(), 1, ligne.size(), fichier);
    if (vider) std::fflush(fichier);
  }
  std::fclose(fichier);
  AEtat.SetItemsProcessed(AEtat.iterations());
}
BENCHMARK(Fwrite)->ArgName("fflush")->Arg(0)->Arg(1);

}  // namespace
