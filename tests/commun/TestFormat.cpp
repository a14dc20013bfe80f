#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "commun/Format.h"

namespace kv {
namespace {

using namespace std::literals;

static_assert(!std::is_constructible_v<TypeArgumentFormat, bool>, "a Boolean is not an integer");
static_assert(!std::is_constructible_v<TypeArgumentFormat, const char*>, "texts are UTF-16");

// The arguments are given as a vector so that the table can hold them (texts as
// views of literals, which outlive the table); each is passed on as the list a
// caller would write.
struct TypeCas {
  std::u16string Format;
  std::vector<TypeArgumentFormat> Arguments;
  std::u16string Attendu;
};

std::u16string Appliquer(const TypeCas& ACas) {
  switch (ACas.Arguments.size()) {
    case 0:
      return Formater(ACas.Format, {});
    case 1:
      return Formater(ACas.Format, {ACas.Arguments[0]});
    case 2:
      return Formater(ACas.Format, {ACas.Arguments[0], ACas.Arguments[1]});
    default:
      return Formater(ACas.Format, {ACas.Arguments[0], ACas.Arguments[1], ACas.Arguments[2]});
  }
}

const double Infini = std::numeric_limits<double>::infinity();

const TypeCas CasValides[] = {
    {u"", {}, u""},
    {u"sans argument", {}, u"sans argument"},
    {u"100%% et %%d", {}, u"100% et %d"},
    {u"é%sè", {u"ü"}, u"éüè"},
    {u"Trace activée (%d).", {2}, u"Trace activée (2)."},
    // Numbered arguments, and the unnumbered one that follows a numbered one.
    {u"Erreur interne (%2:s, 0x%0:.8x) : %1:s",
     {5u, u"Accès refusé", u"open"},
     u"Erreur interne (open, 0x00000005) : Accès refusé"},
    {u"%1:s %0:s %s", {u"a", u"b", u"c"}, u"b a b"},
    {u"%s-%s-%s", {u"a", u"b", u"c"}, u"a-b-c"},
    {u"%1:s%s", {u"a", u"b", u"c"}, u"bc"},
    // Integers.
    {u"%d|%d|%u", {-42, 0, 7u}, u"-42|0|7"},
    {u"%d", {std::numeric_limits<std::int64_t>::min()}, u"-9223372036854775808"},
    {u"%d", {std::numeric_limits<std::uint64_t>::max()}, u"18446744073709551615"},
    {u"%u", {-1}, u"18446744073709551615"},
    {u"%x|%X|%x", {255, 0xabcu, -1}, u"FF|ABC|FFFFFFFFFFFFFFFF"},
    {u"%.3d|%6.3d|%.0d", {-5, -5, 0}, u"-005|  -005|0"},
    {u"%D|%U", {3, 4u}, u"3|4"},
    // Width and justification.
    {u"[%5d][%-5d][%2d]", {42, 42, 1234}, u"[   42][42   ][1234]"},
    {u"[%0:-4s][%0:4s]", {u"ab"}, u"[ab  ][  ab]"},
    // Texts.
    {u"%.2s|%.9s|%S", {u"abcd", u"abcd", u"x"}, u"ab|abcd|x"},
    {u"[%.1s]", {u"\U0001F600x"}, u"[]"},
    {u"[%s]", {static_cast<const char16_t*>(nullptr)}, u"[]"},
    {u"[%s]", {u"a\0b"sv}, u"[a\0b]"s},
    // Fixed and thousands.
    {u"%f|%.3f|%.0f", {3.14159, -1234.5, 7.0}, u"3.14|-1234.500|7"},
    {u"%.1f|%f", {-0.04, -0.0}, u"0.0|0.00"},
    {u"%n|%.0n|%n", {1234567.891, -1234.0, 999.0}, u"1,234,567.89|-1,234|999.00"},
    {u"%n", {123456.0}, u"123,456.00"},
    // Scientific.
    {u"%e", {1.0}, u"1.00000000000000E+000"},
    {u"%.3e|%.2e|%.1e", {-123456.0, 1.5e-10, 9.96}, u"-1.23E+005|1.5E-010|1E+001"},
    {u"%.2e", {1e300}, u"1.0E+300"},
    // General.
    {u"%g|%g|%g", {0.1, 100.0, -2.5}, u"0.1|100|-2.5"},
    {u"%g|%e", {0.0, 0.0}, u"0|0.00000000000000E+000"},
    {u"%g|%g|%g", {1e20, 1.5e-7, 0.00001}, u"1E20|1.5E-7|0.00001"},
    {u"%g", {123456789012345678.0}, u"1.23456789012346E17"},
    {u"%.3g|%.4g|%.0g", {1234.0, 1234.0, 0.26}, u"1.23E3|1234|0.3"},
    {u"%f|%e|%g", {std::numeric_limits<double>::quiet_NaN(), -Infini, Infini}, u"NAN|-INF|INF"},
    {u"[%8.2f][%-8.1e]", {3.14159, 2.0}, u"[    3.14][2E+000  ]"},
};

class FormatValide : public testing::TestWithParam<TypeCas> {};

TEST_P(FormatValide, DonneLeTexteAttendu) { EXPECT_EQ(Appliquer(GetParam()), GetParam().Attendu); }

INSTANTIATE_TEST_SUITE_P(Cas, FormatValide, testing::ValuesIn(CasValides));

const TypeCas CasInvalides[] = {
    {u"%", {1}, {}},
    {u"fin %5", {1}, {}},
    {u"%0:", {1}, {}},
    {u"%.d", {1}, {}},
    {u"%q", {1}, {}},
    {u"%*d", {1}, {}},
    {u"%-0:s", {u"a"}, {}},
    {u"%5%", {1}, {}},
    {u"%99999999999999999999999d", {1}, {}},
    {u"%200000s", {u"a"}, {}},
    {u"%.200000f", {1.0}, {}},
    {u"%d", {}, {}},
    {u"%1:d", {1}, {}},
    {u"%d %d", {1}, {}},
    {u"%d", {1.5}, {}},
    {u"%2:s%s", {u"a", u"b", u"c"}, {}},
    {u"%x", {u"a"}, {}},
    {u"%s", {1}, {}},
    {u"%f", {1}, {}},
    {u"%g", {u"1"}, {}},
};

class FormatInvalide : public testing::TestWithParam<TypeCas> {};

TEST_P(FormatInvalide, LeveEConvertError) { EXPECT_THROW(Appliquer(GetParam()), EConvertError); }

INSTANTIATE_TEST_SUITE_P(Cas, FormatInvalide, testing::ValuesIn(CasInvalides));

std::u16string MessageDe(const TypeCas& ACas) {
  try {
    Appliquer(ACas);
  } catch (const EConvertError& AErreur) {
    return AErreur.Message();
  }
  return u"aucune exception";
}

TEST(FormatMessages, DisentLeFormatLaPositionEtLaFaute) {
  EXPECT_EQ(MessageDe({u"Valeur %d", {}, {}}),
            u"Format « Valeur %d » incorrect : l'argument d'indice 0 demandé en position 8 est "
            u"absent (aucun argument fourni).");
  EXPECT_EQ(MessageDe({u"%s %s", {u"a"}, {}}),
            u"Format « %s %s » incorrect : l'argument d'indice 1 demandé en position 4 est "
            u"absent (1 argument fourni).");
  EXPECT_EQ(MessageDe({u"ab %0:s", {5}, {}}),
            u"Format « ab %0:s » incorrect : l'argument d'indice 0 est un entier, le type « s » "
            u"en position 4 attend un texte.");
  EXPECT_EQ(MessageDe({u"%Q", {5}, {}}),
            u"Format « %Q » incorrect : type « Q » inconnu en position 1.");
  EXPECT_EQ(MessageDe({u"x %-3", {5}, {}}),
            u"Format « x %-3 » incorrect : la conversion en position 3 n'est pas terminée.");
  EXPECT_EQ(MessageDe({u"x", {}, {}}), u"aucune exception");
}

}  // namespace
}  // namespace kv
