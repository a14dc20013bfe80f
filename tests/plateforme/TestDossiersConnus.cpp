#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "outils/VariableTemporaire.h"
#include "plateforme/DossiersConnus.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

using TVariable = tests::TVariableTemporaire;

struct TypeCas {
  std::optional<std::string> ConfigurationXdg;
  std::optional<std::string> Personnel;
  std::optional<std::u16string> Attendu;
};

class DossierItinerant : public testing::TestWithParam<TypeCas> {};

TEST_P(DossierItinerant, SuitLaConventionDesDossiersDeBase) {
  const TVariable xdg("XDG_CONFIG_HOME", GetParam().ConfigurationXdg);
  const TVariable personnel("HOME", GetParam().Personnel);
  EXPECT_EQ(DossierDonneesItinerantes(), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, DossierItinerant,
    testing::Values(TypeCas{"/x/cfg", "/h", u"/x/cfg"}, TypeCas{"/x/cfg/", "/h", u"/x/cfg/"},
                    TypeCas{std::nullopt, "/h", u"/h/.config"}, TypeCas{"", "/h/", u"/h/.config"},
                    TypeCas{"relatif/cfg", "/h", u"/h/.config"},
                    TypeCas{"/x/\xFF", "/h", u"/h/.config"},  // not UTF-8: cannot be handed back
                    TypeCas{"/donn\xC3\xA9"
                            "es",
                            std::nullopt, u"/donn\u00E9es"},
                    TypeCas{std::nullopt, std::nullopt, std::nullopt},
                    TypeCas{std::nullopt, "", std::nullopt},
                    TypeCas{"relatif", "relatif", std::nullopt}));

TEST(DossierShell, NeDependPasDeLEnvironnement) {
  const TVariable xdg("XDG_CONFIG_HOME", "/x/cfg");
  const TVariable personnel("HOME", "/ailleurs");
  const passwd* compte = ::getpwuid(::geteuid());
  ASSERT_NE(compte, nullptr);
  std::string attendu = compte->pw_dir;
  if (attendu.back() != '/') attendu += '/';
  EXPECT_EQ(DossierDonneesApplicationShell(), DepuisUtf8(attendu + ".config"));
}

}  // namespace
}  // namespace kv::plateforme
