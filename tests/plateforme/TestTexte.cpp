#include <gtest/gtest.h>

#include <random>

#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

using namespace std::string_literals;

struct TypeCasBienForme {
  std::string Utf8;
  std::u16string Utf16;
};

class TexteBienForme : public testing::TestWithParam<TypeCasBienForme> {};

TEST_P(TexteBienForme, SeConvertitDansLesDeuxSensSansPerte) {
  const auto& cas = GetParam();
  EXPECT_EQ(DepuisUtf8(cas.Utf8), cas.Utf16);
  EXPECT_EQ(DepuisUtf8Strict(cas.Utf8), cas.Utf16);
  EXPECT_EQ(VersUtf8(cas.Utf16), cas.Utf8);
  EXPECT_EQ(VersUtf8Strict(cas.Utf16), cas.Utf8);
}

INSTANTIATE_TEST_SUITE_P(Cas, TexteBienForme,
                         testing::Values(TypeCasBienForme{"", u""}, TypeCasBienForme{"abc", u"abc"},
                                         TypeCasBienForme{"a\0b"s, u"a\0b"s},
                                         TypeCasBienForme{"\xC3\xA9t\xC3\xA9", u"\u00E9t\u00E9"},
                                         TypeCasBienForme{"\xE2\x82\xAC", u"\u20AC"},
                                         TypeCasBienForme{"\xEF\xBF\xBF", u"\uFFFF"},
                                         TypeCasBienForme{"\xF0\x9F\x98\x80", u"\U0001F600"},
                                         TypeCasBienForme{"\xF4\x8F\xBF\xBF", u"\U0010FFFF"}));

struct TypeCasMalForme {
  std::string Utf8;
  std::u16string Remplace;  // one U+FFFD per maximal ill-formed subsequence
};

class Utf8MalForme : public testing::TestWithParam<TypeCasMalForme> {};

TEST_P(Utf8MalForme, EstRemplaceOuRefuse) {
  const auto& cas = GetParam();
  EXPECT_EQ(DepuisUtf8(cas.Utf8), cas.Remplace);
  EXPECT_EQ(DepuisUtf8Strict(cas.Utf8), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Utf8MalForme,
    testing::Values(TypeCasMalForme{"\xC3", u"\uFFFD"},  // cut at the end
                    TypeCasMalForme{"\xE2\x82"
                                    "A",
                                    u"\uFFFD"
                                    "A"},                                    // cut before ASCII
                    TypeCasMalForme{"\xC0\xAF", u"\uFFFD\uFFFD"},            // over-long
                    TypeCasMalForme{"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},  // over-long
                    TypeCasMalForme{"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // a surrogate
                    TypeCasMalForme{"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // > U+10FFFF
                    TypeCasMalForme{"\x80z", u"\uFFFDz"},  // lone continuation
                    TypeCasMalForme{"\xFF\xFE", u"\uFFFD\uFFFD"},
                    TypeCasMalForme{"a\xF0\x9F\x98", u"a\uFFFD"}));

struct TypeCasSurrogat {
  std::u16string Utf16;
  std::string Remplace;
};

class Utf16MalForme : public testing::TestWithParam<TypeCasSurrogat> {};

TEST_P(Utf16MalForme, SurrogatIsoleRemplaceOuRefuse) {
  const auto& cas = GetParam();
  EXPECT_EQ(VersUtf8(cas.Utf16), cas.Remplace);
  EXPECT_EQ(VersUtf8Strict(cas.Utf16), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Cas, Utf16MalForme,
                         testing::Values(TypeCasSurrogat{u"\xD800"s, "\xEF\xBF\xBD"},
                                         TypeCasSurrogat{u"\xDC00"
                                                         "a"s,
                                                         "\xEF\xBF\xBD"
                                                         "a"},
                                         TypeCasSurrogat{u"a\xD83D"s, "a\xEF\xBF\xBD"},
                                         TypeCasSurrogat{u"\xD83D\xD83D\xDE00"s,
                                                         "\xEF\xBF\xBD\xF0\x9F\x98\x80"}));

TEST(Texte, AllerRetourDePointsCodeAleatoires) {
  std::mt19937 generateur(20261210);
  std::uniform_int_distribution<char32_t> point(0, 0x10FFFF - 0x800);
  for (int essai = 0; essai < 2000; ++essai) {
    std::u16string texte;
    for (int i = 0; i < 8; ++i) {
      char32_t valeur = point(generateur);
      if (valeur >= 0xD800) valeur += 0x800;  // skip the surrogate range
      if (valeur < 0x10000) {
        texte += static_cast<char16_t>(valeur);
      } else {
        texte += static_cast<char16_t>(0xD800 + ((valeur - 0x10000) >> 10));
        texte += static_cast<char16_t>(0xDC00 + ((valeur - 0x10000) & 0x3FF));
      }
    }
    const auto utf8 = VersUtf8Strict(texte);
    ASSERT_TRUE(utf8.has_value());
    ASSERT_EQ(DepuisUtf8Strict(*utf8), texte);
  }
}

}  // namespace
}  // namespace kv::plateforme
