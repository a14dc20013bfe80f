#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "outils/ProcessusEnfant.h"

namespace kv {
namespace {

struct TypeCas {
  const char* Nom;
  const char* Pannes;
  std::string Sortie;  // the steps that ran, the destructor's included
  std::string Erreur;  // a regular expression where the line holds an address
  int CodeSortie;
};

class ApplicationConsole : public testing::TestWithParam<TypeCas> {};

TEST_P(ApplicationConsole, RapportSurLErreurStandardEtCodeDeSortie) {
  const TypeCas& cas = GetParam();
  tests::TypeLancement lancement;
  lancement.Executable = APPLICATION_PHASES;
  lancement.Arguments = {cas.Pannes};
  const tests::TypeResultat resultat = tests::Lancer(lancement);

  EXPECT_EQ(resultat.Sortie, cas.Sortie);
  EXPECT_TRUE(std::regex_match(resultat.Erreur, std::regex(cas.Erreur)))
      << "standard error: " << resultat.Erreur;
  EXPECT_EQ(resultat.CodeSortie, cas.CodeSortie);
}

const std::string Adresse = "0x[0-9A-F]{16}";

INSTANTIATE_TEST_SUITE_P(
    Cas, ApplicationConsole,
    testing::Values(
        TypeCas{"SansPanne", "", "initialisation\ntraitement\nfinalisation\ndestruction\n", "", 0},
        TypeCas{"Initialisation", "initialisation", "initialisation\nfinalisation\ndestruction\n",
                "Échec à l'initialisation - \\[EPanneInjectee\\] panne injectée en "
                "initialisation\n",
                1},
        TypeCas{"Traitement", "traitement",
                "initialisation\ntraitement\nfinalisation\ndestruction\n",
                "Échec - \\[EPanneInjectee\\] panne injectée en traitement\n", 2},
        TypeCas{"Finalisation", "finalisation",
                "initialisation\ntraitement\nfinalisation\ndestruction\n",
                "Échec à la finalisation - \\[EPanneInjectee\\] panne injectée en finalisation\n",
                3},
        TypeCas{"TraitementPuisFinalisation", "traitement+finalisation",
                "initialisation\ntraitement\nfinalisation\ndestruction\n",
                "Échec - \\[EPanneInjectee\\] panne injectée en traitement\n"
                "Échec à la finalisation - \\[EPanneInjectee\\] panne injectée en finalisation\n",
                3},
        TypeCas{"InitialisationPuisFinalisation", "initialisation+finalisation",
                "initialisation\nfinalisation\ndestruction\n",
                "Échec à l'initialisation - \\[EPanneInjectee\\] panne injectée en "
                "initialisation\n"
                "Échec à la finalisation - \\[EPanneInjectee\\] panne injectée en finalisation\n",
                3},
        TypeCas{
            "ExceptionEtrangere", "etrangere",
            "initialisation\ntraitement\nfinalisation\ndestruction\n",
            "Erreur fatale \\[std::runtime_error\\] à l'adresse " + Adresse + " : hors du cadre\n",
            1},
        TypeCas{"Constructeur", "constructeur", "",
                "Erreur fatale \\[EPanneInjectee\\] à l'adresse " + Adresse +
                    " : construction impossible\n",
                1},
        TypeCas{"Destructeur", "destructeur",
                "initialisation\ntraitement\nfinalisation\ndestruction\n",
                "Erreur fatale \\[EPanneInjectee\\] à l'adresse " + Adresse +
                    " : panne injectée en destruction\n",
                1}),
    [](const auto& AInfo) { return std::string(AInfo.param.Nom); });

}  // namespace
}  // namespace kv
