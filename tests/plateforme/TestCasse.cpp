#include <gtest/gtest.h>

#include "plateforme/Casse.h"

namespace kv::plateforme {
namespace {

TEST(Casse, MinusculesDeToutUnicode) {
  EXPECT_EQ(EnMinuscules(u"C:\\DONN\u00C9ES\\\u00C9t\u00E9 AZaz09"),
            u"c:\\donn\u00E9es\\\u00E9t\u00E9 azaz09");
  EXPECT_EQ(EnMinuscules(u"\u0391\u03A9\u0410\u042F\u0178"), u"\u03B1\u03C9\u0430\u044F\u00FF");
  // Without a simple lower case, or not a whole character: unchanged.
  EXPECT_EQ(EnMinuscules(u"\u00DF\u20AC?*\U0001F600\xD800"), u"\u00DF\u20AC?*\U0001F600\xD800");
  EXPECT_EQ(EnMinuscules(u""), u"");
}

struct TypeCasMajuscules {
  const char* Nom;
  std::u16string_view Texte;
  std::u16string_view Attendu;
};

class Majuscules : public testing::TestWithParam<TypeCasMajuscules> {};

TEST_P(Majuscules, FormeSimpleQuelleQueSoitLaLangue) {
  EXPECT_EQ(EnMajuscules(GetParam().Texte), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Casse, Majuscules,
    testing::Values(
        TypeCasMajuscules{"Ascii", u"ifsTout azAZ09_{}", u"IFSTOUT AZAZ09_{}"},
        TypeCasMajuscules{"Latin", u"\u00E9t\u00E9 \u00FF \u00E6", u"\u00C9T\u00C9 \u0178 \u00C6"},
        TypeCasMajuscules{"GrecCyrillique", u"\u03B1\u03C9\u03C2\u0430\u044F",
                          u"\u0391\u03A9\u03A3\u0410\u042F"},
        // The Turkish dotless i and the long s have simple upper cases; the
        // dotted i is "I" whatever the language, never U+0130.
        TypeCasMajuscules{"SansLangue", u"i\u0131\u017F\u00B5", u"IIS\u039C"},
        // The title-case digraph goes to its upper case.
        TypeCasMajuscules{"Digramme", u"\u01C5\u01C6", u"\u01C4\u01C4"},
        // No simple upper case: unchanged.
        TypeCasMajuscules{"Inchanges", u"\u00DF\u0149\u20AC?*", u"\u00DF\u0149\u20AC?*"},
        // A character beyond U+FFFF is two units, each kept, even when the
        // character has an upper case (U+10428).
        TypeCasMajuscules{"Substituts", u"\U0001F600a\xD801\xDC28\xDC00",
                          u"\U0001F600A\xD801\xDC28\xDC00"},
        TypeCasMajuscules{"Vide", u"", u""}),
    [](const testing::TestParamInfo<TypeCasMajuscules>& AInfo) { return AInfo.param.Nom; });

}  // namespace
}  // namespace kv::plateforme
