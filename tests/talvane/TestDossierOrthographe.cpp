#include <gtest/gtest.h>

#include "ApplicationTalvane.h"

namespace talvane {
namespace {

struct TypeCas {
  std::u16string Base;
  std::u16string Cible;
};

class DossierOrthographe : public testing::TestWithParam<TypeCas> {};

TEST_P(DossierOrthographe, UnSeulSeparateurEntreLaBaseEtLeDossier) {
  EXPECT_EQ(TApplicationTalvane::DossierOrthographe(GetParam().Base), GetParam().Cible);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, DossierOrthographe,
    testing::Values(TypeCas{u"/home/u/.config", u"/home/u/.config/Microsoft/Spelling/"},
                    TypeCas{u"/home/u/.config/", u"/home/u/.config/Microsoft/Spelling/"},
                    TypeCas{u"/", u"/Microsoft/Spelling/"}, TypeCas{u"", u"/Microsoft/Spelling/"}));

}  // namespace
}  // namespace talvane
