#include <gtest/gtest.h>

#include <ctime>

#include "plateforme/Horloge.h"

namespace kv::plateforme {
namespace {

struct TypeCasModele {
  const char* Modele;
  char16_t Attendu;
};

class PremierSeparateurDuModele : public testing::TestWithParam<TypeCasModele> {};

TEST_P(PremierSeparateurDuModele, SauteLesConversions) {
  EXPECT_EQ(PremierSeparateur(GetParam().Modele, u'?'), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, PremierSeparateurDuModele,
    testing::Values(TypeCasModele{"%d/%m/%Y", u'/'}, TypeCasModele{"%d.%m.%Y", u'.'},
                    TypeCasModele{"%Y-%m-%d", u'-'}, TypeCasModele{"%H:%M:%S", u':'},
                    TypeCasModele{"%Hh%M", u'h'}, TypeCasModele{"%-d/%-m/%Y", u'/'},
                    TypeCasModele{"%Ey\xE5\xB9\xB4%m", u'\u5E74'}, TypeCasModele{"%T", u'?'},
                    TypeCasModele{"%D", u'?'}, TypeCasModele{"", u'?'}, TypeCasModele{"%", u'?'},
                    TypeCasModele{"%d\xFF%m", u'?'}, TypeCasModele{"%d\xF0\x9F\x98\x80", u'?'}));

TEST(DateHeureLocale, SuitLHorlogeDuSysteme) {
  const std::time_t avant = std::time(nullptr);
  const TypeDateHeureLocale maintenant = DateHeureLocale();
  const std::time_t apres = std::time(nullptr);
  std::tm champs{};
  champs.tm_year = maintenant.Annee - 1900;
  champs.tm_mon = maintenant.Mois - 1;
  champs.tm_mday = maintenant.Jour;
  champs.tm_hour = maintenant.Heure;
  champs.tm_min = maintenant.Minute;
  champs.tm_sec = maintenant.Seconde;
  champs.tm_isdst = -1;
  const std::time_t lu = std::mktime(&champs);
  EXPECT_LE(avant, lu);
  EXPECT_LE(lu, apres);
  EXPECT_GE(maintenant.Milliseconde, 0);
  EXPECT_LT(maintenant.Milliseconde, 1000);
}

}  // namespace
}  // namespace kv::plateforme
