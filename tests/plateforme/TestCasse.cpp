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

}  // namespace
}  // namespace kv::plateforme
