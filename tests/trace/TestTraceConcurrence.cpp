// Several writers on one trace file: other processes and other threads.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "outils/DossierTemporaire.h"
#include "outils/ProcessusEnfant.h"
#include "plateforme/Texte.h"
#include "trace/TraceSimple.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using plateforme::DepuisUtf8;

const std::u16string Remplissage(150, u'x');

tests::TypeResultat LancerAide(std::vector<std::string> AArguments) {
  tests::TypeLancement lancement;
  lancement.Executable = AIDE_TRACE;
  lancement.Arguments = std::move(AArguments);
  return tests::Lancer(lancement);
}

std::string Lire(const fs::path& AChemin) {
  std::ifstream fichier(AChemin, std::ios::binary);
  std::ostringstream contenu;
  contenu << fichier.rdbuf();
  return contenu.str();
}

bool AttendreFichier(const fs::path& AChemin) {
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!fs::exists(AChemin)) {
    if (std::chrono::steady_clock::now() > limite) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

void EcrireLignes(TTraceSimple& ATrace, std::u16string_view AEtiquette, int ANombre) {
  for (int i = 0; i < ANombre; ++i) {
    ATrace.Tracer(
        std::u16string(AEtiquette) + u" " + DepuisUtf8(std::to_string(i)) + u" " + Remplissage, 1);
  }
}

using TypeNumeros = std::map<std::string, std::vector<int>>;

// The numbers of the lines of each writer, in file order. Fails on a line that
// is not whole (mixed with another, cut, or the file ending inside it).
TypeNumeros Numeros(const std::string& AContenu) {
  const std::regex modele("([A-Z]) (\\d+) x{150}");
  TypeNumeros numeros;
  int malFormees = 0;
  for (std::size_t debut = 0; debut < AContenu.size();) {
    std::size_t fin = AContenu.find("\r\n", debut);
    if (fin == std::string::npos) fin = AContenu.size();
    const std::string ligne = AContenu.substr(debut, fin - debut);
    std::smatch champs;
    if (fin < AContenu.size() && std::regex_match(ligne, champs, modele)) {
      numeros[champs[1].str()].push_back(std::stoi(champs[2].str()));
    } else if (++malFormees <= 3) {
      ADD_FAILURE() << "line not whole: " << ligne.substr(0, 80);
    }
    debut = fin + 2;
  }
  EXPECT_EQ(malFormees, 0);
  return numeros;
}

std::vector<int> DeZeroA(int ANombre) {
  std::vector<int> numeros(static_cast<std::size_t>(ANombre));
  std::iota(numeros.begin(), numeros.end(), 0);
  return numeros;
}

// From each writer all its lines, in its order.
void VerifierLignes(const std::string& AContenu, const std::vector<std::string>& AEcrivains,
                    int ANombre) {
  TypeNumeros attendus;
  for (const std::string& ecrivain : AEcrivains) attendus[ecrivain] = DeZeroA(ANombre);
  EXPECT_EQ(Numeros(AContenu), attendus);
}

class TraceConcurrence : public testing::Test {
 protected:
  fs::path Fichier() const { return FDossier.Chemin() / "t.txt"; }
  std::u16string NomFichier() const { return DepuisUtf8(Fichier().string()); }

  tests::TDossierTemporaire FDossier;
};

TEST_F(TraceConcurrence, UneLigneAttendQueLAutreProcessusLacheLeFichier) {
  const fs::path marqueur = FDossier.Chemin() / "verrouille";
  tests::TypeResultat enfant;
  std::thread lanceur([&] {
    enfant = LancerAide({"verrouiller", Fichier().string(), marqueur.string(), "500"});
  });
  const bool verrouille = AttendreFichier(marqueur);
  TTraceSimple trace(u"t", NomFichier(), false, 1, false);
  if (verrouille) trace.Tracer(u"parent", 0);
  lanceur.join();
  ASSERT_TRUE(verrouille) << enfant.Erreur;
  EXPECT_EQ(enfant.CodeSortie, 0);
  // Written at once, the line would come first; dropped, it would be missing.
  EXPECT_EQ(Lire(Fichier()), "enfant\r\nparent\r\n");
}

TEST_F(TraceConcurrence, DeuxProcessusNePerdentNiNeMelentAucuneLigne) {
  constexpr int Nombre = 4000;
  const fs::path depart = FDossier.Chemin() / "depart";
  std::vector<tests::TypeResultat> resultats(2);
  std::vector<std::thread> lanceurs;
  for (std::size_t i = 0; i < resultats.size(); ++i) {
    lanceurs.emplace_back([&, i] {
      resultats[i] = LancerAide({"ecrire", Fichier().string(), i == 0 ? "A" : "B",
                                 std::to_string(Nombre), depart.string()});
    });
  }
  TTraceSimple trace(u"parent", NomFichier(), false, 1, false);
  trace.Activer(1);
  { std::ofstream{depart}; }
  EcrireLignes(trace, u"P", Nombre);
  for (std::thread& lanceur : lanceurs) lanceur.join();
  for (const tests::TypeResultat& resultat : resultats) {
    EXPECT_EQ(resultat.CodeSortie, 0) << resultat.Erreur;
  }
  VerifierLignes(Lire(Fichier()), {"A", "B", "P"}, Nombre);
}

TEST_F(TraceConcurrence, PlusieursThreadsNePerdentNiNeMelentAucuneLigne) {
  constexpr int Nombre = 2000;
  TTraceSimple partagee(u"partagee", NomFichier(), false, 1, false);
  TTraceSimple autre(u"autre", NomFichier(), false, 1, false);
  partagee.Activer(1);
  autre.Activer(1);
  std::vector<std::thread> threads;
  for (const char16_t* etiquette : {u"A", u"B", u"C"}) {
    threads.emplace_back([&, etiquette] { EcrireLignes(partagee, etiquette, Nombre); });
  }
  threads.emplace_back([&] { EcrireLignes(autre, u"D", Nombre); });
  threads.emplace_back([&] {
    for (int i = 0; i < Nombre; ++i) {
      TTraceSimple::FormatterEtTracer(u"partagee", u"N %d %s", {i, Remplissage}, 1);
    }
  });
  for (std::thread& thread : threads) thread.join();
  VerifierLignes(Lire(Fichier()), {"A", "B", "C", "D", "N"}, Nombre);
}

// Each line asks for the other of two files, so that the trace's file changes
// under every thread all the time.
class TTraceAlternee : public TTraceSimple {
 public:
  TTraceAlternee(std::u16string APremier, std::u16string ASecond)
      : TTraceSimple(u"alternee", u"", false, 1, false), FNoms{APremier, ASecond} {}
  std::u16string GetNomFichier() const override { return FNoms[FAppels++ % 2]; }

 private:
  const std::u16string FNoms[2];
  mutable std::atomic<unsigned> FAppels = 0;
};

TEST_F(TraceConcurrence, DesThreadsSurUneTraceQuiChangeDeFichierNePerdentAucuneLigne) {
  constexpr int Nombre = 1000;
  const fs::path second = FDossier.Chemin() / "second.txt";
  TTraceAlternee trace(NomFichier(), DepuisUtf8(second.string()));
  trace.Activer(1);
  std::vector<std::thread> threads;
  for (const char16_t* etiquette : {u"A", u"B", u"C"}) {
    threads.emplace_back([&, etiquette] { EcrireLignes(trace, etiquette, Nombre); });
  }
  for (std::thread& thread : threads) thread.join();
  // Each writer's lines spread over the two files, in its order in each.
  TypeNumeros reunis;
  for (const fs::path& fichier : {Fichier(), second}) {
    for (const auto& [ecrivain, numeros] : Numeros(Lire(fichier))) {
      EXPECT_TRUE(std::is_sorted(numeros.begin(), numeros.end())) << ecrivain;
      reunis[ecrivain].insert(reunis[ecrivain].end(), numeros.begin(), numeros.end());
    }
  }
  for (auto& [ecrivain, numeros] : reunis) std::sort(numeros.begin(), numeros.end());
  EXPECT_EQ(reunis,
            (TypeNumeros{{"A", DeZeroA(Nombre)}, {"B", DeZeroA(Nombre)}, {"C", DeZeroA(Nombre)}}));
}

// A trace reached by name from one thread while another creates and destroys
// traces of that name: each call finds a live trace or none.
TEST_F(TraceConcurrence, UneTraceAtteinteParNomPendantQuOnLaDetruit) {
  constexpr int Nombre = 2000;
  std::thread cycle([&] {
    for (int i = 0; i < Nombre / 10; ++i) {
      TTraceSimple trace(u"ephemere", NomFichier(), false, 1, false);
      trace.Activer(1);
      std::this_thread::yield();
    }
  });
  for (int i = 0; i < Nombre; ++i) {
    TTraceSimple::FormatterEtTracer(u"ephemere", u"E %d %s", {i, Remplissage}, 1);
  }
  cycle.join();
  const TypeNumeros numeros = Numeros(Lire(Fichier()));
  for (const auto& [ecrivain, suite] : numeros) {
    EXPECT_EQ(ecrivain, "E");
    EXPECT_TRUE(std::is_sorted(suite.begin(), suite.end()));
  }
}

}  // namespace
}  // namespace kv
