#include <gtest/gtest.h>

#include <string>

#include "outils/VariableTemporaire.h"
#include "plateforme/Environnement.h"

namespace kv::plateforme {
namespace {

using namespace std::string_literals;
using tests::TVariableTemporaire;

class Environnement : public testing::Test {
 protected:
  TVariableTemporaire FA{"KV_TEST_A", "alpha"};
  TVariableTemporaire FVide{"KV_TEST_VIDE", ""};
  TVariableTemporaire FPourcent{"KV_TEST_P", "%KV_TEST_A%"};
  TVariableTemporaire FAccent{"KV_TEST_E", "\xC3\xA9t\xC3\xA9"};
  TVariableTemporaire FNonUtf8{"KV_TEST_X", "a\xFF"};
  TVariableTemporaire FAbsente{"KV_TEST_ABSENTE", std::nullopt};
};

TEST_F(Environnement, LitUneVariable) {
  EXPECT_EQ(VariableEnvironnement(u"KV_TEST_A"), u"alpha");
  EXPECT_EQ(VariableEnvironnement(u"KV_TEST_VIDE"), u"");
  EXPECT_EQ(VariableEnvironnement(u"KV_TEST_E"), u"\u00E9t\u00E9");
  EXPECT_EQ(VariableEnvironnement(u"KV_TEST_X"), u"a\uFFFD");
  EXPECT_EQ(VariableEnvironnement(u"KV_TEST_ABSENTE"), std::nullopt);
  EXPECT_EQ(VariableEnvironnement(u"kv_test_a"), std::nullopt);
  EXPECT_EQ(VariableEnvironnement(u""), std::nullopt);
  EXPECT_EQ(VariableEnvironnement(u"KV_TEST_A=alpha"), std::nullopt);
  EXPECT_EQ(VariableEnvironnement(u"KV_TEST_A\0x"s), std::nullopt);
}

struct TypeCas {
  std::u16string Texte;
  std::u16string Attendu;
};

class Developpement : public Environnement, public testing::WithParamInterface<TypeCas> {};

TEST_P(Developpement, RemplaceLesReferencesDefinies) {
  EXPECT_EQ(DevelopperVariablesEnvironnement(GetParam().Texte), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Developpement,
    testing::Values(TypeCas{u"%KV_TEST_A%", u"alpha"},
                    TypeCas{u"x%KV_TEST_A%y%KV_TEST_A%", u"xalphayalpha"},
                    TypeCas{u"%KV_TEST_VIDE%x", u"x"},
                    TypeCas{u"\\%KV_TEST_E%\\", u"\\\u00E9t\u00E9\\"},
                    // Values are not expanded again.
                    TypeCas{u"%KV_TEST_P%", u"%KV_TEST_A%"},
                    // Undefined: kept as written, and its closing '%' opens nothing.
                    TypeCas{u"%KV_TEST_ABSENTE%", u"%KV_TEST_ABSENTE%"},
                    TypeCas{u"%KV_TEST_ABSENTE%KV_TEST_A%", u"%KV_TEST_ABSENTE%KV_TEST_A%"},
                    TypeCas{u"%kv_test_a%", u"%kv_test_a%"}, TypeCas{u"%KV=A%", u"%KV=A%"},
                    TypeCas{u"%%", u"%%"}, TypeCas{u"%%%KV_TEST_A%", u"%%alpha"},
                    TypeCas{u"a%%KV_TEST_A%", u"a%%KV_TEST_A%"},
                    // Unterminated.
                    TypeCas{u"100%", u"100%"}, TypeCas{u"%KV_TEST_A", u"%KV_TEST_A"},
                    TypeCas{u"%KV_TEST_A%%", u"alpha%"}, TypeCas{u"", u""},
                    TypeCas{u"a\0%KV_TEST_A%"s, u"a\0alpha"s}));

}  // namespace
}  // namespace kv::plateforme
