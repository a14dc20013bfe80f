#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "outils/DossierTemporaire.h"
#include "serialisation/FluxFichier.h"
#include "serialisation/FluxMemoire.h"

namespace kv::test {
namespace {

std::u16string Chemin(const std::filesystem::path& AChemin) { return AChemin.u16string(); }

// The contract every stream keeps, over each kind of stream.
struct TypeSupport {
  const char* Nom;
  std::function<std::unique_ptr<TFlux>(const tests::TDossierTemporaire&)> Creer;
};

class Flux : public testing::TestWithParam<TypeSupport> {
 protected:
  tests::TDossierTemporaire FDossier;
  std::unique_ptr<TFlux> FFlux = GetParam().Creer(FDossier);
};

TEST_P(Flux, EcrireRelireEtRecrire) {
  TFlux& flux = *FFlux;
  const std::array<std::uint8_t, 5> octets = {1, 2, 3, 4, 5};
  flux.Ecrire(octets.data(), octets.size());
  EXPECT_EQ(flux.GetTaille(), 5);
  EXPECT_EQ(flux.GetPosition(), 5);
  flux.SetPosition(3);
  const std::array<std::uint8_t, 4> suite = {9, 8, 7, 6};
  flux.Ecrire(suite.data(), suite.size());  // over the end: grows
  EXPECT_EQ(flux.GetTaille(), 7);
  flux.SetPosition(0);
  std::array<std::uint8_t, 7> lus{};
  flux.Lire(lus.data(), lus.size());
  EXPECT_EQ(lus, (std::array<std::uint8_t, 7>{1, 2, 3, 9, 8, 7, 6}));
  EXPECT_EQ(flux.Restant(), 0);
  flux.Ecrire(nullptr, 0);
  flux.Lire(nullptr, 0);
  EXPECT_EQ(flux.GetTaille(), 7);
}

TEST_P(Flux, LireAuDelaDeLaFinNeLitRien) {
  TFlux& flux = *FFlux;
  const std::array<std::uint8_t, 3> octets = {1, 2, 3};
  flux.Ecrire(octets.data(), octets.size());
  flux.SetPosition(1);
  std::array<std::uint8_t, 3> lus = {0xAA, 0xAA, 0xAA};
  EXPECT_THROW(flux.Lire(lus.data(), lus.size()), EReadError);
  EXPECT_EQ(flux.GetPosition(), 1);
  EXPECT_EQ(lus, (std::array<std::uint8_t, 3>{0xAA, 0xAA, 0xAA}));
  flux.Lire(lus.data(), 2);
  EXPECT_EQ(lus[1], 3);
}

TEST_P(Flux, PositionHorsDuFlux) {
  TFlux& flux = *FFlux;
  const std::uint8_t octet = 1;
  flux.Ecrire(&octet, 1);
  EXPECT_THROW(flux.SetPosition(-1), EArgumentInvalide);
  EXPECT_THROW(flux.SetPosition(2), EArgumentInvalide);
  EXPECT_EQ(flux.GetPosition(), 1);
  flux.SetPosition(1);
  flux.SetPosition(0);
}

INSTANTIATE_TEST_SUITE_P(
    Supports, Flux,
    testing::Values(TypeSupport{"Memoire",
                                [](const tests::TDossierTemporaire&) {
                                  return std::unique_ptr<TFlux>(new TFluxMemoire);
                                }},
                    TypeSupport{"Fichier",
                                [](const tests::TDossierTemporaire& ADossier) {
                                  return std::unique_ptr<TFlux>(
                                      new TFluxFichier(Chemin(ADossier.Chemin() / "flux.bin"),
                                                       TypeModeFluxFichier::mffCreation));
                                }}),
    [](const testing::TestParamInfo<TypeSupport>& AInfo) { return AInfo.param.Nom; });

TEST(FluxMemoire, DepuisDesOctets) {
  const std::array<std::uint8_t, 3> octets = {7, 8, 9};
  TFluxMemoire flux(octets);
  EXPECT_EQ(flux.GetTaille(), 3);
  EXPECT_EQ(flux.GetPosition(), 0);
  std::uint8_t lu = 0;
  flux.Lire(&lu, 1);
  EXPECT_EQ(lu, 7);
}

class FluxFichier : public testing::Test {
 protected:
  tests::TDossierTemporaire FDossier;
  std::filesystem::path FChemin = FDossier.Chemin() / "donnees.bin";

  void Ecrire(std::string_view AContenu) { std::ofstream(FChemin, std::ios::binary) << AContenu; }
  std::string Contenu() {
    std::ifstream fichier(FChemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(fichier), {});
  }
};

TEST_F(FluxFichier, LesModesDOuverture) {
  Ecrire("abc");
  {
    TFluxFichier lecture(Chemin(FChemin), TypeModeFluxFichier::mffLecture);
    EXPECT_EQ(lecture.GetTaille(), 3);
    char c = 0;
    lecture.Lire(&c, 1);
    EXPECT_EQ(c, 'a');
    EXPECT_THROW(lecture.Ecrire("x", 1), EWriteError);
    EXPECT_EQ(lecture.GetPosition(), 1);
  }
  {
    TFluxFichier ecriture(Chemin(FChemin), TypeModeFluxFichier::mffLectureEcriture);
    EXPECT_EQ(ecriture.GetTaille(), 3) << "the content stays";
    ecriture.SetPosition(1);
    ecriture.Ecrire("XY", 2);
  }
  EXPECT_EQ(Contenu(), "aXY");
  {
    TFluxFichier creation(Chemin(FChemin), TypeModeFluxFichier::mffCreation);
    EXPECT_EQ(creation.GetTaille(), 0) << "emptied";
    creation.Ecrire("z", 1);
  }
  EXPECT_EQ(Contenu(), "z");
}

TEST_F(FluxFichier, OuverturesRefusees) {
  struct TypeCas {
    std::u16string Chemin;
    TypeModeFluxFichier Mode;
  };
  const TypeCas Cas[] = {
      {Chemin(FDossier.Chemin() / "absent.bin"), TypeModeFluxFichier::mffLecture},
      {Chemin(FDossier.Chemin() / "absent.bin"), TypeModeFluxFichier::mffLectureEcriture},
      {Chemin(FDossier.Chemin() / "sans" / "dossier.bin"), TypeModeFluxFichier::mffCreation},
      {Chemin(FDossier.Chemin()), TypeModeFluxFichier::mffLecture},  // a folder
      {u"", TypeModeFluxFichier::mffCreation},
      {Chemin(FDossier.Chemin()) + u"/\xD800.bin", TypeModeFluxFichier::mffCreation},
  };
  for (const TypeCas& cas : Cas) {
    EXPECT_THROW(TFluxFichier(cas.Chemin, cas.Mode), EInOutError);
  }
  EXPECT_FALSE(std::filesystem::exists(FDossier.Chemin() / "absent.bin"));
}

TEST_F(FluxFichier, MessageDOuvertureAvecLaRaison) {
  const std::u16string chemin = Chemin(FDossier.Chemin() / "absent.bin");
  try {
    TFluxFichier flux(chemin, TypeModeFluxFichier::mffLecture);
    FAIL() << "opened";
  } catch (const EInOutError& AErreur) {
    EXPECT_NE(AErreur.Message().find(chemin), std::u16string::npos);
    EXPECT_EQ(AErreur.Message().find(u"Impossible d'ouvrir le fichier"), 0u);
  }
}

TEST_F(FluxFichier, CheminDuCadriciel) {
  // The framework writes its paths with backslashes.
  std::u16string chemin = Chemin(FChemin);
  for (char16_t& c : chemin) {
    if (c == u'/') c = u'\\';
  }
  { TFluxFichier(chemin, TypeModeFluxFichier::mffCreation).Ecrire("ok", 2); }
  EXPECT_EQ(Contenu(), "ok");
}

}  // namespace
}  // namespace kv::test
