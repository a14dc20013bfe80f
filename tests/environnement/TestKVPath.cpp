#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "commun/Exception.h"
#include "environnement/KVPath.h"
#include "outils/DossierTemporaire.h"
#include "outils/VariableTemporaire.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using TypePieces = std::vector<std::u16string>;

struct TypeCasMake {
  std::u16string Dossier;
  std::u16string Nom;
  std::u16string Attendu;
};

class Make : public testing::TestWithParam<TypeCasMake> {};

TEST_P(Make, PlaceLeNomDansLeDossier) {
  EXPECT_EQ(TPath::Make(GetParam().Dossier, GetParam().Nom, false), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Make,
    testing::Values(TypeCasMake{u"C:\\a", u"b.txt", u"C:\\a\\b.txt"},
                    TypeCasMake{u"C:\\a\\", u"b.txt", u"C:\\a\\b.txt"},
                    TypeCasMake{u"C:\\a\\", u"D:\\x", u"D:\\x"},
                    TypeCasMake{u"C:\\a", u"D:x", u"D:x"}, TypeCasMake{u"", u"b", u"b"},
                    TypeCasMake{u"", u"", u""}, TypeCasMake{u"C:\\a", u"", u"C:\\a\\"},
                    TypeCasMake{u"C:\\a", u"\\b", u"C:\\a\\\\b"},
                    TypeCasMake{u"C:\\a", u"\\\\srv\\part\\f", u"\\\\srv\\part\\f"},
                    TypeCasMake{u"C:\\a", u"\\\\srv", u"\\\\srv"},
                    TypeCasMake{u"C:\\a", u":x", u"C:\\a\\:x"},
                    TypeCasMake{u"C:\\a", u"..\\b", u"C:\\a\\..\\b"}));

TEST(Make, DevelopperRendLeCheminCompletEtNormalise) {
  const std::u16string courant =
      plateforme::CheminCadriciel(plateforme::DepuisUtf8(fs::current_path().string()));
  EXPECT_EQ(TPath::Make(u"\\tmp\\x\\..", u"y\\.\\z", true), u"\\tmp\\y\\z");
  EXPECT_EQ(TPath::Make(u"rel", u"f", true), courant + u"\\rel\\f");
  EXPECT_EQ(TPath::Make(u"", u"f", true), courant + u"\\f");
  EXPECT_EQ(TPath::Make(u"\\x", u"\\\\y\\z", true), u"\\y\\z");
}

struct TypeCasCombine {
  TypePieces Pieces;
  std::u16string Attendu;
};

class Combine : public testing::TestWithParam<TypeCasCombine> {};

TEST_P(Combine, JointLesMorceaux) {
  EXPECT_EQ(TPath::Combine(GetParam().Pieces), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Combine,
    testing::Values(TypeCasCombine{{u"C:\\a", u"", u"b", u"c\\"}, u"C:\\a\\b\\c\\"},
                    TypeCasCombine{{u"x", u"D:\\y", u"z"}, u"D:\\y\\z"},
                    TypeCasCombine{{u"a", u"C:\\b", u"", u"D:\\c", u"d"}, u"D:\\c\\d"},
                    TypeCasCombine{{u"a", u"\\\\srv\\part", u"c"}, u"\\\\srv\\part\\c"},
                    TypeCasCombine{{u"C:\\a", u"D:", u"b"}, u"D:\\b"}, TypeCasCombine{{}, u""},
                    TypeCasCombine{{u"", u""}, u""}, TypeCasCombine{{u"", u"a"}, u"a"},
                    TypeCasCombine{{u"C:\\", u"b"}, u"C:\\b"},
                    // Nothing is trimmed nor normalised.
                    TypeCasCombine{{u"a", u"\\b"}, u"a\\\\b"},
                    TypeCasCombine{{u"a\\", u"\\b"}, u"a\\\\b"},
                    TypeCasCombine{{u" a ", u"..", u".\\"}, u" a \\..\\.\\"},
                    TypeCasCombine{{u"a*", u"?", u"/", u"\u00E9t\u00E9"},
                                   u"a*\\?\\/\\\u00E9t\u00E9"}));

TEST(Combine, CheminTresLongGardeEntier) {
  const std::u16string dossier = u"C:\\" + std::u16string(300, u'd');
  const TypePieces pieces{dossier, std::u16string(300, u'f')};
  EXPECT_EQ(TPath::Combine(pieces), dossier + u"\\" + std::u16string(300, u'f'));
}

TEST(Combine, ChaqueCaractereInterditEstRefuseEnNommantLeMorceau) {
  std::u16string interdits = u"\"<>|";
  for (char16_t c = 0; c < 0x20; ++c) interdits += c;
  ASSERT_EQ(interdits.size(), 36u);
  for (const char16_t c : interdits) {
    const std::u16string piece = u"a"s + c + u"b";
    // A bad piece before a drive restart is refused all the same.
    const TypePieces pieces{u"C:\\x", piece, u"D:\\y"};
    try {
      TPath::Combine(pieces);
      ADD_FAILURE() << "accepted U+" << std::hex << static_cast<int>(c);
    } catch (const EArgumentInvalide& erreur) {
      EXPECT_EQ(erreur.Message(), piece + u" contient des caractères interdits.");
      EXPECT_EQ(erreur.NomClasse(), u"EArgumentInvalide");
    }
  }
}

TEST(Combine, LesAutresCaracteresSontAdmis) {
  for (const char16_t c : u"*?:/ \u007F\u0080\u00A0\uFFFD") {
    if (c == 0) continue;  // the literal's terminator
    const TypePieces pieces{u"a"s + c};
    EXPECT_EQ(TPath::Combine(pieces), u"a"s + c);
  }
}

std::u16string DeLongueur(std::u16string_view ADebut, std::size_t ALongueur) {
  return std::u16string(ADebut) + std::u16string(ALongueur - ADebut.size(), u'x');
}

struct TypeCasPrefixe {
  std::u16string Nom;
  std::u16string Attendu;
};

class PrefixeEtendu : public testing::TestWithParam<TypeCasPrefixe> {};

TEST_P(PrefixeEtendu, SelonLaLongueurEtLaForme) {
  EXPECT_EQ(TPath::AjouterExtendedPrefix(GetParam().Nom, false), GetParam().Attendu);
  EXPECT_EQ(TPath::AjouterExtendedPrefix(GetParam().Nom, true), GetParam().Nom);
}

const std::u16string Long259 = DeLongueur(u"C:\\", 259);
const std::u16string Long260 = DeLongueur(u"C:\\", 260);
const std::u16string Unc260 = DeLongueur(u"\\\\serveur\\partage\\", 260);
const std::u16string UncJokers = DeLongueur(u"\\\\serveur\\*\\?", 300);
const std::u16string DejaPrefixe = DeLongueur(u"\\\\?\\C:\\", 300);
const std::u16string DejaPrefixeUnc = DeLongueur(u"\\\\?\\UNC\\serveur\\", 300);
const std::u16string Relatif = DeLongueur(u"dossier\\", 300);
const std::u16string DepuisLaRacine = DeLongueur(u"\\dossier\\", 300);
const std::u16string RelatifAuLecteur = DeLongueur(u"C:dossier\\", 300);
const std::u16string UncInterdit = DeLongueur(u"\\\\serveur\\par|tage\\", 300);

INSTANTIATE_TEST_SUITE_P(
    Cas, PrefixeEtendu,
    testing::Values(TypeCasPrefixe{Long259, Long259}, TypeCasPrefixe{Long260, u"\\\\?\\" + Long260},
                    TypeCasPrefixe{Unc260, u"\\\\?\\UNC\\" + Unc260.substr(2)},
                    TypeCasPrefixe{UncJokers, u"\\\\?\\UNC\\" + UncJokers.substr(2)},
                    TypeCasPrefixe{DejaPrefixe, DejaPrefixe},
                    TypeCasPrefixe{DejaPrefixeUnc, DejaPrefixeUnc},
                    TypeCasPrefixe{DeLongueur(u"\\\\", 259), DeLongueur(u"\\\\", 259)},
                    // The prefix only works on a full path: other names keep
                    // their meaning by being left alone.
                    TypeCasPrefixe{Relatif, Relatif},
                    TypeCasPrefixe{DepuisLaRacine, DepuisLaRacine},
                    TypeCasPrefixe{RelatifAuLecteur, RelatifAuLecteur},
                    TypeCasPrefixe{UncInterdit, UncInterdit}));

// This machine has no length limit and would take the prefix for part of the
// name.
TEST(PrefixeEtendu, JamaisMisSurCetteMachine) {
  EXPECT_TRUE(TPath::CheminsLongsActives());
  EXPECT_EQ(TPath::AjouterExtendedPrefix(Long260), Long260);
}

struct TypeCasCommun {
  std::u16string Chemin1;
  std::u16string Chemin2;
  std::u16string Attendu;
};

class RepertoireCommun : public testing::TestWithParam<TypeCasCommun> {};

TEST_P(RepertoireCommun, DossierLePlusProfond) {
  EXPECT_EQ(TPath::RepertoireCommun(GetParam().Chemin1, GetParam().Chemin2), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, RepertoireCommun,
    testing::Values(TypeCasCommun{u"C:\\Data\\A", u"c:\\data\\B", u"C:\\Data\\"},
                    TypeCasCommun{u"c:\\data\\B", u"C:\\Data\\A", u"c:\\data\\"},
                    TypeCasCommun{u"C:\\ab", u"C:\\ac", u"C:\\"},
                    TypeCasCommun{u"C:\\x", u"D:\\x", u""},
                    TypeCasCommun{u"C:\\a\\b", u"C:\\a\\b\\", u"C:\\a\\b\\"},
                    TypeCasCommun{u"C:\\a\\b", u"C:\\a\\bc", u"C:\\a\\"},
                    TypeCasCommun{u"C:\\\u00C9T\u00C9\\x", u"c:\\\u00E9t\u00E9\\y",
                                  u"C:\\\u00C9T\u00C9\\"},
                    TypeCasCommun{u"a", u"A", u"a\\"}, TypeCasCommun{u"ab", u"ac", u""},
                    TypeCasCommun{u"\\", u"\\x", u"\\"},
                    // An empty path has no folder, not even the root.
                    TypeCasCommun{u"", u"", u""}, TypeCasCommun{u"", u"\\x", u""},
                    TypeCasCommun{u"\\x", u"", u""}));

TEST(SubstituerVariablesDEnvironnement, DevelopperEtRetirerLesNulsDeFin) {
  const tests::TVariableTemporaire variable("KV_TEST_CHEMIN",
                                            "C:\\donn\xC3\xA9"
                                            "es");
  const tests::TVariableTemporaire absente("KV_TEST_ABSENTE", std::nullopt);
  EXPECT_EQ(TPath::SubstituerVariablesDEnvironnement(u"%KV_TEST_CHEMIN%\\x"),
            u"C:\\donn\u00E9es\\x");
  EXPECT_EQ(TPath::SubstituerVariablesDEnvironnement(u"%KV_TEST_ABSENTE%\\x"),
            u"%KV_TEST_ABSENTE%\\x");
  EXPECT_EQ(TPath::SubstituerVariablesDEnvironnement(u"%KV_TEST_CHEMIN%\0\0"s),
            u"C:\\donn\u00E9es");
  EXPECT_EQ(TPath::SubstituerVariablesDEnvironnement(u"a\0b\0"s), u"a\0b"s);
  EXPECT_EQ(TPath::SubstituerVariablesDEnvironnement(u"\0"s), u"");
  EXPECT_EQ(TPath::SubstituerVariablesDEnvironnement(u""), u"");
}

// Search and Exists on a real folder, written in the framework's form.
class CheminsSurDisque : public testing::Test {
 protected:
  CheminsSurDisque()
      : FRacine(fs::canonical(FDossier.Chemin())),
        FBase(plateforme::CheminCadriciel(plateforme::DepuisUtf8(FRacine.string()))) {
    fs::create_directories(FRacine / "conf");
    fs::create_directories(FRacine / "autre");
  }

  void CreerFichier(const std::string& ARelatif) const { std::ofstream(FRacine / ARelatif) << "x"; }
  std::u16string Cadriciel(std::u16string_view ARelatif) const {
    return FBase + u"\\" + std::u16string(ARelatif);
  }

  tests::TDossierTemporaire FDossier;
  fs::path FRacine;
  std::u16string FBase;
};

TEST_F(CheminsSurDisque, ExistsPourFichiersEtDossiers) {
  CreerFichier("fichier");
  fs::create_symlink(FRacine / "conf", FRacine / "lien-dossier");
  fs::create_symlink(FRacine / "absent", FRacine / "lien-brise");
  EXPECT_TRUE(TPath::Exists(Cadriciel(u"fichier")));
  EXPECT_TRUE(TPath::Exists(Cadriciel(u"conf")));
  EXPECT_TRUE(TPath::Exists(Cadriciel(u"conf\\")));
  EXPECT_TRUE(TPath::Exists(Cadriciel(u"lien-dossier")));
  EXPECT_FALSE(TPath::Exists(Cadriciel(u"lien-brise")));
  EXPECT_FALSE(TPath::Exists(Cadriciel(u"absent")));
  EXPECT_FALSE(TPath::Exists(u""));
}

TEST_F(CheminsSurDisque, SearchPrendLePremierFichierDeLaListe) {
  const std::u16string liste =
      u"  ;  " + Cadriciel(u"conf") + u"  ;\t" + Cadriciel(u"x\\..\\autre") + u" ; ";
  EXPECT_EQ(TPath::Search(u"app.ini", liste), u"");
  CreerFichier("autre/app.ini");
  EXPECT_EQ(TPath::Search(u"app.ini", liste), Cadriciel(u"autre\\app.ini"));
  CreerFichier("conf/app.ini");
  EXPECT_EQ(TPath::Search(u"app.ini", liste), Cadriciel(u"conf\\app.ini"));
}

TEST_F(CheminsSurDisque, SearchNeRetientQueLesFichiers) {
  fs::create_directories(FRacine / "conf/app.ini");
  fs::create_symlink(FRacine / "absent", FRacine / "autre/app.ini");
  const std::u16string liste = Cadriciel(u"conf") + u";" + Cadriciel(u"autre");
  EXPECT_EQ(TPath::Search(u"app.ini", liste), u"");
  fs::remove(FRacine / "autre/app.ini");
  CreerFichier("vrai.ini");
  fs::create_symlink(FRacine / "vrai.ini", FRacine / "autre/app.ini");
  EXPECT_EQ(TPath::Search(u"app.ini", liste), Cadriciel(u"autre\\app.ini"));
}

TEST_F(CheminsSurDisque, SearchSansDossier) {
  CreerFichier("app.ini");
  EXPECT_EQ(TPath::Search(u"app.ini", u""), u"");
  EXPECT_EQ(TPath::Search(u"app.ini", u" ; ;\t"), u"");
}

}  // namespace
}  // namespace kv
