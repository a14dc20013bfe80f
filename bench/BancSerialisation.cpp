// Writing a record of ten mixed fields, one of them a 1,000-element dynamic
// array, through its serializer and the binary formatter over a memory stream,
// then reading it back into a second record; next to hand-written code that
// copies the same data into a byte buffer with memcpy and back, in the same
// run. The report ends with the ratio of the two.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "objets/DescriptionType.h"
#include "objets/Guid.h"
#include "objets/TableauDynamique.h"
#include "serialisation/ConteneurParametre.h"
#include "serialisation/CreationSerialisateur.h"
#include "serialisation/FluxMemoire.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/FormateurBinaire.h"

namespace kv {
namespace {

constexpr std::int32_t NombreElements = 1000;

struct TypeMesure {
  std::int32_t Identifiant;
  double Valeur;
  std::uint8_t Etat;
  std::int64_t Horodatage;
  float Poids;
  std::int16_t Canal;
  std::u16string Libelle;
  TGUID Source;
  std::uint32_t Drapeaux;
  TTableauDynamique<std::int32_t> Echantillons;
};
KV_DECRIRE_RECORD(TypeMesure, KV_CHAMP(Identifiant), KV_CHAMP(Valeur), KV_CHAMP(Etat),
                  KV_CHAMP(Horodatage), KV_CHAMP(Poids), KV_CHAMP(Canal), KV_CHAMP(Libelle),
                  KV_CHAMP(Source), KV_CHAMP(Drapeaux), KV_CHAMP(Echantillons));

TypeMesure Exemple() {
  TypeMesure mesure{7,
                    3.25,
                    2,
                    1'765'000'000'000,
                    0.5f,
                    -3,
                    u"Capteur nord",
                    GuidLitteral("{1B4E28BA-2FA1-11D2-883F-0016D3CCA427}"),
                    0xA5,
                    {}};
  mesure.Echantillons = TTableauDynamique<std::int32_t>(NombreElements);
  for (std::int32_t i = 0; i < NombreElements; ++i) mesure.Echantillons[i] = i * 37 - 5000;
  return mesure;
}

// The serializer the description builder makes for it.
TRef<ISerialisateurParametre> SerialisateurMesure() {
  return CreerSerialisateur(InfoTypeDe<TypeMesure>());
}

bool Egales(const TypeMesure& A, const TypeMesure& B) {
  return A.Identifiant == B.Identifiant && A.Valeur == B.Valeur && A.Etat == B.Etat &&
         A.Horodatage == B.Horodatage && A.Poids == B.Poids && A.Canal == B.Canal &&
         A.Libelle == B.Libelle && A.Source == B.Source && A.Drapeaux == B.Drapeaux &&
         A.Echantillons.Taille() == B.Echantillons.Taille() &&
         std::memcmp(A.Echantillons.data(), B.Echantillons.data(),
                     sizeof(std::int32_t) * A.Echantillons.Taille()) == 0;
}

void BM_Serialiseur(benchmark::State& AEtat) {
  const TypeMesure source = Exemple();
  TypeMesure destination{};
  TRef<ISerialisateurParametre> serialisateur = SerialisateurMesure();
  const TypeClasseFormatSerialisation format = &TFSTout::Classe();
  std::size_t octets = 0;
  for (auto _ : AEtat) {
    TFluxMemoire flux;
    {
      auto ecrivain = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture);
      TConteneurParametre* conteneur = serialisateur->CreerConteneur(u"Mesure");
      serialisateur->CopierValeur(&source, conteneur->GetAdresseValeur(), false);
      serialisateur->SerialiserValeur(conteneur, *ecrivain, format, false);
      serialisateur->LibererConteneur(conteneur, false);
    }
    flux.SetPosition(0);
    auto lecteur = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture);
    TConteneurParametre* conteneur = serialisateur->CreerConteneur(u"Mesure");
    serialisateur->DeserialiserValeur(conteneur, *lecteur, format, false);
    serialisateur->CopierValeur(conteneur->GetAdresseValeur(), &destination, false);
    serialisateur->LibererConteneur(conteneur, true);
    octets = flux.GetOctets().size();
    benchmark::DoNotOptimize(destination);
  }
  if (!Egales(source, destination)) AEtat.SkipWithError("la mesure relue diffère de l'originale");
  AEtat.counters["octets"] = static_cast<double>(octets);
}

template <class AValeur>
void Ajouter(std::vector<std::uint8_t>& ATampon, const AValeur& AValeurAjoutee) {
  const std::size_t position = ATampon.size();
  ATampon.resize(position + sizeof(AValeur));
  std::memcpy(ATampon.data() + position, &AValeurAjoutee, sizeof(AValeur));
}

template <class AValeur>
void Extraire(const std::uint8_t*& ACurseur, AValeur& AValeurLue) {
  std::memcpy(&AValeurLue, ACurseur, sizeof(AValeur));
  ACurseur += sizeof(AValeur);
}

// What a program would write by hand for this one record: each field copied
// into a growing buffer, then copied back out.
void BM_Memcpy(benchmark::State& AEtat) {
  const TypeMesure source = Exemple();
  TypeMesure destination{};
  std::size_t octets = 0;
  for (auto _ : AEtat) {
    std::vector<std::uint8_t> tampon;
    Ajouter(tampon, source.Identifiant);
    Ajouter(tampon, source.Valeur);
    Ajouter(tampon, source.Etat);
    Ajouter(tampon, source.Horodatage);
    Ajouter(tampon, source.Poids);
    Ajouter(tampon, source.Canal);
    Ajouter(tampon, static_cast<std::uint32_t>(source.Libelle.size()));
    const std::size_t debutLibelle = tampon.size();
    tampon.resize(debutLibelle + source.Libelle.size() * sizeof(char16_t));
    std::memcpy(tampon.data() + debutLibelle, source.Libelle.data(),
                source.Libelle.size() * sizeof(char16_t));
    Ajouter(tampon, source.Source);
    Ajouter(tampon, source.Drapeaux);
    Ajouter(tampon, source.Echantillons.Taille());
    const std::size_t debutEchantillons = tampon.size();
    const std::size_t tailleEchantillons = sizeof(std::int32_t) * source.Echantillons.Taille();
    tampon.resize(debutEchantillons + tailleEchantillons);
    std::memcpy(tampon.data() + debutEchantillons, source.Echantillons.data(), tailleEchantillons);

    const std::uint8_t* curseur = tampon.data();
    Extraire(curseur, destination.Identifiant);
    Extraire(curseur, destination.Valeur);
    Extraire(curseur, destination.Etat);
    Extraire(curseur, destination.Horodatage);
    Extraire(curseur, destination.Poids);
    Extraire(curseur, destination.Canal);
    std::uint32_t longueur = 0;
    Extraire(curseur, longueur);
    destination.Libelle.assign(reinterpret_cast<const char16_t*>(curseur), longueur);
    curseur += longueur * sizeof(char16_t);
    Extraire(curseur, destination.Source);
    Extraire(curseur, destination.Drapeaux);
    std::int32_t nombre = 0;
    Extraire(curseur, nombre);
    destination.Echantillons = TTableauDynamique<std::int32_t>(nombre);
    std::memcpy(destination.Echantillons.data(), curseur, sizeof(std::int32_t) * nombre);
    octets = tampon.size();
    benchmark::DoNotOptimize(destination);
  }
  if (!Egales(source, destination)) AEtat.SkipWithError("la mesure relue diffère de l'originale");
  AEtat.counters["octets"] = static_cast<double>(octets);
}

BENCHMARK(BM_Serialiseur);
BENCHMARK(BM_Memcpy);

// Keeps the time per iteration of each benchmark to print their ratio.
class TRapportAvecRapport : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& ARuns) override {
    ConsoleReporter::ReportRuns(ARuns);
    for (const Run& run : ARuns) {
      if (!run.error_occurred) FTemps[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
  }
  const std::map<std::string, double>& Temps() const { return FTemps; }

 private:
  std::map<std::string, double> FTemps;
};

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  kv::TRapportAvecRapport rapport;
  benchmark::RunSpecifiedBenchmarks(&rapport);
  const auto& temps = rapport.Temps();
  const auto serialiseur = temps.find("BM_Serialiseur");
  const auto memcpy = temps.find("BM_Memcpy");
  if (serialiseur != temps.end() && memcpy != temps.end() && memcpy->second > 0) {
    std::printf("Rapport sérialiseur / memcpy : %.1f\n", serialiseur->second / memcpy->second);
  }
  benchmark::Shutdown();
  return 0;
}
