#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "comparaison/ComparateursTypes.h"
#include "plateforme/ComparaisonLocale.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

struct TAppel {
  int Nombre = 0;
  std::uint32_t Lcid = 0;
  std::uint32_t Options = 0;
  std::u16string Chaine1, Chaine2;
};

TAppel GAppel;
int GReponse = 0;

int Enregistrer(std::uint32_t ALcid, std::uint32_t AOptions, const char16_t* AChaine1,
                int ALongueur1, const char16_t* AChaine2, int ALongueur2) {
  ++GAppel.Nombre;
  GAppel.Lcid = ALcid;
  GAppel.Options = AOptions;
  // A negative length would mean a terminated string: take it as given.
  GAppel.Chaine1 = ALongueur1 < 0 ? std::u16string(AChaine1) : std::u16string(AChaine1, ALongueur1);
  GAppel.Chaine2 = ALongueur2 < 0 ? std::u16string(AChaine2) : std::u16string(AChaine2, ALongueur2);
  return GReponse;
}

// Installs the recording entry for the test, and puts the previous one back.
class ComparaisonChaines : public ::testing::Test {
 protected:
  void SetUp() override {
    GAppel = {};
    FPrecedente = plateforme::RemplacerCompareString(&Enregistrer);
  }
  void TearDown() override {
    EXPECT_EQ(plateforme::RemplacerCompareString(FPrecedente), &Enregistrer);
  }

 private:
  plateforme::TypeFonctionCompareString FPrecedente = nullptr;
};

TEST_F(ComparaisonChaines, PassentParLEntreeDeLaPlateforme) {
  struct TCas {
    const char* Nom;
    TypeFoncComparaisonNonType Fonction;
    std::uint32_t Options;
  };
  // An embedded zero shows that the lengths are passed, not terminated strings.
  const std::u16string a(u"ab\0c", 4);
  const std::u16string b(u"AB\0D", 4);
  const std::u16string vide;
  for (const TCas& c : {
           TCas{"String", &TBaseComparer::ComparerString, 0},
           TCas{"Texte", &TBaseComparer::ComparerTexte, plateforme::IgnorerCasse},
       }) {
    struct TReponse {
      int Plateforme, Attendu;
    };
    for (const TReponse& reponse : {
             TReponse{plateforme::ComparaisonInferieure, -1},
             TReponse{plateforme::ComparaisonEgale, 0},
             TReponse{plateforme::ComparaisonSuperieure, 1},
             TReponse{0, -2},
         }) {
      GAppel = {};
      GReponse = reponse.Plateforme;
      EXPECT_EQ(c.Fonction(&a, &b), reponse.Attendu) << c.Nom << " " << reponse.Plateforme;
      EXPECT_EQ(GAppel.Nombre, 1) << c.Nom;
      EXPECT_EQ(GAppel.Lcid, 0x400u) << c.Nom;
      EXPECT_EQ(GAppel.Options, c.Options) << c.Nom;
      EXPECT_EQ(GAppel.Chaine1, a) << c.Nom;
      EXPECT_EQ(GAppel.Chaine2, b) << c.Nom;
    }
    GReponse = plateforme::ComparaisonSuperieure;
    EXPECT_EQ(c.Fonction(&b, &vide), 1) << c.Nom;
    EXPECT_EQ(GAppel.Chaine1, b) << c.Nom;
    EXPECT_EQ(GAppel.Chaine2, vide) << c.Nom << ": empty, not read past";
  }
}

}  // namespace
}  // namespace kv
