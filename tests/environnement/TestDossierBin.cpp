#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "environnement/KVPath.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

struct TypeCas {
  std::u16string Module;
  std::u16string Nom;
  std::u16string Plateforme;
  std::u16string Configuration;
};

class DispositionBin : public testing::TestWithParam<TypeCas> {};

TEST_P(DispositionBin, ReconnaitLeDossierDePlateforme) {
  TypeNomEtPlateformeDossierBin dossier;
  dossier.InitDepuisModule(GetParam().Module);
  EXPECT_EQ(dossier.Nom, GetParam().Nom);
  EXPECT_EQ(dossier.Plateforme, GetParam().Plateforme);
  EXPECT_EQ(dossier.Configuration, GetParam().Configuration);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, DispositionBin,
    testing::Values(
        TypeCas{u"R:\\p\\bin\\Debug\\win64\\app.exe", u"R:\\p\\bin\\", u"win64", u"Debug"},
        TypeCas{u"R:\\p\\BIN\\Release\\Win64\\app.exe", u"R:\\p\\BIN\\", u"win64", u"Release"},
        TypeCas{u"D:\\App\\app.exe", u"D:\\App\\", u"", u""},
        TypeCas{u"R:\\p\\bin\\win64\\app.exe", u"R:\\p\\bin\\win64\\", u"", u""},
        TypeCas{u"R:\\p\\lib\\Debug\\win64\\app.exe", u"R:\\p\\lib\\Debug\\win64\\", u"", u""},
        TypeCas{u"R:\\p\\bin\\Debug\\win32\\app.exe", u"R:\\p\\bin\\Debug\\win32\\", u"", u""},
        TypeCas{u"R:\\xbin\\Debug\\win64\\app.exe", u"R:\\xbin\\Debug\\win64\\", u"", u""},
        TypeCas{u"\\bin\\Debug\\win64\\app", u"\\bin\\", u"win64", u"Debug"},
        TypeCas{u"\\win64\\app", u"\\win64\\", u"", u""}, TypeCas{u"app.exe", u"", u"", u""}));

TEST(DispositionBin, InitNeRefaitPasUnDossierConnu) {
  TypeNomEtPlateformeDossierBin dossier{u"X:\\connu\\", u"", u""};
  dossier.Init(true);
  EXPECT_EQ(dossier.Nom, u"X:\\connu\\");
}

// The test executable is not in the development layout.
TEST(DossierBin, DossierDeLExecutableDeTest) {
  const std::u16string attendu = plateforme::CheminCadriciel(plateforme::DepuisUtf8(
                                     fs::canonical("/proc/self/exe").parent_path().string())) +
                                 u"\\";
  EXPECT_EQ(DossierBin(true), attendu);
  EXPECT_EQ(DossierBin(false), attendu);
  EXPECT_EQ(DossierBinPlateforme(u"icu", true), attendu + u"icu\\");
}

}  // namespace
}  // namespace kv
