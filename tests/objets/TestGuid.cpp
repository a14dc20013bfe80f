#include <gtest/gtest.h>

#include <string>

#include "objets/Guid.h"
#include "objets/GuidsServices.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

TEST(Guid, FormeTexteDesServicesRecenses) {
  struct Cas {
    TGUID Guid;
    const char* Texte;
  };
  for (const Cas& cas : {
           Cas{GUID_IInformationApplication, "{BA438C2C-D1FB-4457-82B3-52BF1C57E4E1}"},
           Cas{GUID_IContexteExecution, "{E6DCE300-4977-43EE-B67C-2FAC5A354AB8}"},
           Cas{GUID_ISurchargeRepertoiresWindows, "{FF8041E9-5993-4B71-9F0B-0012AAB871B3}"},
           Cas{GUID_IDossierSpecial, "{97D44588-E77B-4674-AF7C-41BC63C241CF}"},
           Cas{GUID_IGestionIcu, "{44B5EEF8-E09E-4EC9-BEFB-D4F22BDC7FA6}"},
           Cas{GUID_IGestionGlobaleEvenements, "{B687BBC8-AF2D-44AE-BD9F-EB8D62C33AF0}"},
           Cas{GUID_IListePersistanceParametresApplicatif,
               "{B2EA519B-0992-4FCB-A983-1B7EDE147D27}"},
           Cas{GUID_IAttente, "{6D833844-7B19-415A-8A8E-41181CDF1B18}"},
       }) {
    EXPECT_EQ(plateforme::VersUtf8(GuidVersTexte(cas.Guid)), cas.Texte);
    TGUID relu;
    ASSERT_TRUE(TexteVersGuid(plateforme::DepuisUtf8(cas.Texte), relu)) << cas.Texte;
    EXPECT_EQ(relu, cas.Guid);
  }
}

TEST(Guid, DisposionEnMemoire) {
  constexpr TGUID guid = GuidLitteral("{00112233-4455-6677-8899-AABBCCDDEEFF}");
  EXPECT_EQ(guid.D1, 0x00112233u);
  EXPECT_EQ(guid.D2, 0x4455u);
  EXPECT_EQ(guid.D3, 0x6677u);
  EXPECT_EQ(guid.D4[0], 0x88u);
  EXPECT_EQ(guid.D4[7], 0xFFu);
  TGUID autre = guid;
  autre.D4[7] = 0xFE;
  EXPECT_NE(autre, guid) << "one byte apart";
  EXPECT_NE(THachageGuid{}(autre), THachageGuid{}(guid));
}

TEST(Guid, NouveauxGuidsDeVersionQuatre) {
  const TGUID premier = NouveauGuid();
  const std::u16string texte = GuidVersTexte(premier);
  EXPECT_EQ(texte[15], u'4') << plateforme::VersUtf8(texte);
  EXPECT_NE(std::u16string_view(u"89AB").find(texte[20]), std::u16string_view::npos)
      << plateforme::VersUtf8(texte);
  EXPECT_NE(NouveauGuid(), premier);
}

TEST(Guid, LectureDuTexte) {
  TGUID guid;
  EXPECT_TRUE(TexteVersGuid(u"{ba438c2c-d1fb-4457-82b3-52bf1c57e4e1}", guid)) << "lower case";
  EXPECT_EQ(guid, GUID_IInformationApplication);
  const TGUID avant = guid;
  for (const char16_t* texte : {
           u"",
           u"{}",
           u"BA438C2C-D1FB-4457-82B3-52BF1C57E4E1",
           u"{BA438C2C-D1FB-4457-82B3-52BF1C57E4E1",
           u"{BA438C2C-D1FB-4457-82B3-52BF1C57E4E1}x",
           u"{BA438C2CD1FB-4457-82B3-52BF1C57E4E1-}",
           u"{BA438C2G-D1FB-4457-82B3-52BF1C57E4E1}",
           u"{BA438C2C-D1FB-4457-82B3-52BF1C57E4E }",
           u"(BA438C2C-D1FB-4457-82B3-52BF1C57E4E1)",
       }) {
    EXPECT_FALSE(TexteVersGuid(texte, guid)) << plateforme::VersUtf8(texte);
    EXPECT_EQ(guid, avant) << "left as it was";
  }
}

}  // namespace
}  // namespace kv
