#include <gtest/gtest.h>

#include "outils/ProcessusEnfant.h"

namespace kv::test {
namespace {

// In a program of its own, which refers to nothing of the library: the
// registration runs for any program that links it, and before main.
TEST(EnregistrementFormats, ConnuesParGuidEtParNomDesLeDemarrage) {
  tests::TypeLancement lancement;
  lancement.Executable = DEMARRAGE_SERIALISATION;
  const tests::TypeResultat resultat = tests::Lancer(lancement);
  EXPECT_EQ(resultat.CodeSortie, 0);
  EXPECT_EQ(resultat.Sortie,
            "IFSTout connue\n"
            "IFSPourTrace connue\n"
            "IFSSerialisationGeneriqueV1 connue\n"
            "IFSSerialisationGeneriqueV1SousParametre connue\n"
            "IInstanciateurObjetSerialisable connue\n"
            "TSerialisateurParametreRecord instanciable\n"
            "TInfoServiceInvocable instanciable\n"
            "TInfoMethodeServiceInvocable instanciable\n");
  EXPECT_EQ(resultat.Erreur, "");
}

}  // namespace
}  // namespace kv::test
