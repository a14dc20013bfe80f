// The option grammar on argument lists given by hand.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "environnement/LigneDeCommande.h"
#include "environnement/ListeArguments.h"

namespace kv {
namespace {

using namespace std::string_literals;
using TypeMots = std::vector<std::u16string>;

const std::u16string Exe = u"C:\\Program Files\\app.exe";

TypeMots Arguments(const TypeMots& AMots) {
  TypeMots arguments{Exe};
  arguments.insert(arguments.end(), AMots.begin(), AMots.end());
  return arguments;
}

struct TypeCasDecoupage {
  TypeMots Mots;
  std::int32_t Nombre;
  TypeMots Debogage;
  std::u16string Ligne;
};

class Decoupage : public testing::TestWithParam<TypeCasDecoupage> {};

TEST_P(Decoupage, SeparateurEtParametresDeDebogage) {
  const TypeMots arguments = Arguments(GetParam().Mots);
  const TListeArguments liste(arguments);
  EXPECT_EQ(liste.ParamCount(), GetParam().Nombre);
  EXPECT_EQ(liste.ParamsDbg(), GetParam().Debogage);
  EXPECT_EQ(liste.GetLigneDeCommandeEntiere(false), GetParam().Ligne);
  EXPECT_EQ(liste.GetLigneDeCommandeEntiere(true),
            u"\"" + Exe + u"\"" + (GetParam().Nombre > 0 ? u" " + GetParam().Ligne : u""));
  EXPECT_EQ(liste.ParamStr(GetParam().Nombre + 1), u"");
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Decoupage,
    testing::Values(TypeCasDecoupage{{}, 0, {}, u""},
                    TypeCasDecoupage{{u"--", u"a", u"b"}, 0, {u"a", u"b"}, u""},
                    TypeCasDecoupage{{u"a", u"--", u"b", u"--"}, 1, {u"b", u"--"}, u"a"},
                    TypeCasDecoupage{{u"a", u"b", u"--"}, 2, {}, u"a b"},
                    TypeCasDecoupage{{u"--", u"--"}, 0, {u"--"}, u""},
                    TypeCasDecoupage{{u"--help"}, 1, {}, u"--help"},
                    TypeCasDecoupage{{u"-", u"---", u"-- "}, 3, {}, u"- --- \"-- \""},
                    // Empty words are kept, and keep their place in the line.
                    TypeCasDecoupage{{u"", u"a", u""}, 3, {}, u" a "},
                    TypeCasDecoupage{{u"a", u"--", u""}, 1, {u""}, u"a"},
                    TypeCasDecoupage{{u"C:\\Program Files\\x", u"a\"b", u"t\tb", u"\"q r\""},
                                     4,
                                     {},
                                     u"\"C:\\Program Files\\x\" a\"b t\tb \"\"q r\"\""},
                    TypeCasDecoupage{{u"-instance", u"X", u"--", u"-instance", u"Y"},
                                     2,
                                     {u"-instance", u"Y"},
                                     u"-instance X"}));

TEST(ListeArguments, IndexHorsDesParametres) {
  const TypeMots arguments = Arguments({u"a", u"--", u"b"});
  const TListeArguments liste(arguments);
  EXPECT_EQ(liste.ParamStr(0), Exe);
  EXPECT_EQ(liste.ParamStr(1), u"a");
  EXPECT_EQ(liste.ParamStr(2), u"");  // the separator and what follows are not parameters
  EXPECT_EQ(liste.ParamStr(3), u"");
  EXPECT_EQ(liste.ParamStr(-1), u"");
}

TEST(ListeArguments, ListeVide) {
  const TListeArguments liste(TypeMots{});
  EXPECT_EQ(liste.ParamCount(), 0);
  EXPECT_EQ(liste.ParamStr(0), u"");
  EXPECT_TRUE(liste.ParamsDbg().empty());
  EXPECT_FALSE(liste.ParametrePresent(u""));
}

struct TypeCasOption {
  TypeMots Mots;
  std::u16string Commutateur;
  std::optional<std::u16string> Valeur;  // nothing: the option is absent
};

class Option : public testing::TestWithParam<TypeCasOption> {};

TEST_P(Option, PresenceEtValeur) {
  const TypeMots arguments = Arguments(GetParam().Mots);
  const TListeArguments liste(arguments);
  std::u16string valeur = u"inchangée";
  EXPECT_EQ(liste.ParametrePresent(GetParam().Commutateur), GetParam().Valeur.has_value());
  EXPECT_EQ(liste.ValeurParam(GetParam().Commutateur, valeur), GetParam().Valeur.has_value());
  EXPECT_EQ(valeur, GetParam().Valeur.value_or(u"inchangée"));
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Option,
    testing::Values(TypeCasOption{{u"-instance", u"X"}, u"instance", u"X"},
                    TypeCasOption{{u"/instance", u"X"}, u"instance", u"X"},
                    TypeCasOption{{u"/instance"}, u"instance", u""},
                    TypeCasOption{{u"-instance", u"--", u"Y"}, u"instance", u""},
                    TypeCasOption{{u"-instance", u"X", u"-instance", u"Z"}, u"instance", u"X"},
                    TypeCasOption{{u"-instance", u"-autre"}, u"instance", u"-autre"},
                    TypeCasOption{{u"-instance", u""}, u"instance", u""},
                    TypeCasOption{{u"-INSTANCE", u"X"}, u"instance", std::nullopt},
                    TypeCasOption{{u"-instance=X"}, u"instance", std::nullopt},
                    TypeCasOption{{u"--instance", u"X"}, u"instance", std::nullopt},
                    TypeCasOption{{u"-instance "}, u"instance", std::nullopt},
                    TypeCasOption{{u"instance", u"X"}, u"instance", std::nullopt},
                    TypeCasOption{{u"a", u"--", u"-instance", u"Y"}, u"instance", std::nullopt},
                    TypeCasOption{{u"", u"-"}, u"", u""},
                    TypeCasOption{{u"-x"}, u"", std::nullopt}));

// The executable's path is scanned like the parameters.
TEST(ListeArguments, CheminDeLExecutableCompteCommeOption) {
  const TypeMots arguments{u"/usr", u"-a"};
  const TListeArguments liste(arguments);
  std::u16string valeur;
  EXPECT_TRUE(liste.ValeurParam(u"usr", valeur));
  EXPECT_EQ(valeur, u"-a");
}

TEST(LigneDeCommande, ParametreEstUneOption) {
  for (const std::u16string_view oui : {u"-", u"/", u"-x", u"/x", u"--"}) {
    EXPECT_TRUE(TLigneDeCommande::ParametreEstUneOption(oui)) << oui.size();
  }
  for (const std::u16string_view non : {u"", u"x", u" -x", u"\\x"}) {
    EXPECT_FALSE(TLigneDeCommande::ParametreEstUneOption(non)) << non.size();
  }
}

TEST(LigneDeCommande, OptionsDAide) {
  const TypeMots aide{u"/h", u"/H", u"/?", u"-h", u"-help", u"--help", u"-?"};
  const TypeMots autres{u"",  u"/help",  u"/HELP", u"-H",    u"-Help",  u"--h", u"--?", u"/-h",
                        u"h", u"-help ", u" -h",   u"/h\0"s, u"-helpx", u"/",   u"-",   u"?"};
  for (const auto& option : aide) EXPECT_TRUE(TLigneDeCommande::ParametreEstOptionAide(option));
  for (const auto& option : autres) {
    EXPECT_FALSE(TLigneDeCommande::ParametreEstOptionAide(option)) << option.size();
  }
}

TEST(LigneDeCommande, AideDemandee) {
  EXPECT_FALSE(TLigneDeCommande::AideDemandee(TypeMots{}));
  EXPECT_FALSE(TLigneDeCommande::AideDemandee(TypeMots{u"a", u"-Help", u""}));
  EXPECT_TRUE(TLigneDeCommande::AideDemandee(TypeMots{u"a", u"", u"/?"}));
  EXPECT_TRUE(TLigneDeCommande::AideDemandee(TypeMots{u"--help", u"a"}));
}

}  // namespace
}  // namespace kv
