#include <gtest/gtest.h>
#include <sys/utsname.h>

#include "plateforme/IdentificationSysteme.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

TEST(IdentificationSysteme, CetteMachineSePresenteCommeEmuleeSurSonHote) {
  struct utsname systeme {};
  ASSERT_EQ(::uname(&systeme), 0);
  const TypeIdentificationSysteme identification = IdentifierSysteme();
  EXPECT_TRUE(identification.Emule);
  EXPECT_EQ(VersUtf8(identification.NomSystemeHote), systeme.sysname);
  EXPECT_FALSE(identification.NomSystemeHote.empty());
  EXPECT_FALSE(identification.VersionObtenue);
  EXPECT_FALSE(identification.LanguesPrefereesSystemePresent);
  EXPECT_FALSE(identification.LanguesPrefereesUtilisateurPresent);
  EXPECT_FALSE(identification.LanguesPrefereesProcessusPresent);
}

}  // namespace
}  // namespace kv::plateforme
