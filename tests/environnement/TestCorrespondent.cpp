#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "environnement/KVPath.h"
#include "outils/DossierTemporaire.h"

namespace kv {
namespace {

struct TypeCas {
  std::u16string Chemin;
  std::u16string Motifs;
  bool Attendu;
};

class Correspondent : public testing::TestWithParam<TypeCas> {};

TEST_P(Correspondent, CheminContreLesMotifs) {
  EXPECT_EQ(TPath::Correspondent(GetParam().Chemin, GetParam().Motifs), GetParam().Attendu);
}

const std::u16string Fichier = u"C:\\dir\\file.txt";

INSTANTIATE_TEST_SUITE_P(Liste, Correspondent,
                         testing::Values(TypeCas{Fichier, u"*.doc;*.TXT", true},
                                         TypeCas{Fichier, u"*.doc", false},
                                         TypeCas{Fichier, u"", false},
                                         TypeCas{Fichier, u";;", false},
                                         TypeCas{Fichier, u";*.doc;;*.txt;", true},
                                         TypeCas{Fichier, u"*.doc;gile.txt;", false}));

INSTANTIATE_TEST_SUITE_P(
    Jokers, Correspondent,
    testing::Values(TypeCas{Fichier, u"f?le.txt", true}, TypeCas{Fichier, u"?ile.tx?", true},
                    TypeCas{u"f?le.txt", u"file.txt", true},  // either side may carry them
                    TypeCas{Fichier, u"*", true}, TypeCas{Fichier, u"*.txt*", true},
                    TypeCas{Fichier, u"*.tx", false}, TypeCas{Fichier, u"f*t", true},
                    TypeCas{Fichier, u"f*x", false}, TypeCas{Fichier, u"g*", false},
                    TypeCas{Fichier, u"gile.txt", false}, TypeCas{Fichier, u"file.txx", false},
                    TypeCas{u"*.txt", u"file.txt", true}, TypeCas{u"file.txt", u"??????????", true},
                    TypeCas{u"abd", u"a*c", false}, TypeCas{u"ab", u"xab", false}));

// A side that is a prefix of the other and holds no '*' matches it, and the text
// between the first and the last '*' is never looked at.
INSTANTIATE_TEST_SUITE_P(
    Prefixes, Correspondent,
    testing::Values(TypeCas{Fichier, u"file", true}, TypeCas{Fichier, u"f", true},
                    TypeCas{Fichier, u"file.txt.bak", true}, TypeCas{Fichier, u"file.txt?", true},
                    TypeCas{Fichier, u"*.txt.bak", false}, TypeCas{u"a", u"abc*", true},
                    TypeCas{u"ac", u"a*bc", true}, TypeCas{u"ab", u"a*zc", true},
                    TypeCas{Fichier, u"*zz*", true}, TypeCas{u"", u"*.txt", true},
                    TypeCas{u"C:\\dir\\", u"*.txt", true}));

INSTANTIATE_TEST_SUITE_P(
    Dossiers, Correspondent,
    testing::Values(TypeCas{u"C:\\DIR\\FILE.TXT", u"file.txt", true},
                    TypeCas{u"C:\\D\u00C9J\u00C0\\\u00C9T\u00C9.TXT", u"\u00E9t\u00E9.txt", true},
                    TypeCas{u"C:\\Dir\\File.txt", u"c:\\dir\\*.TXT", true},
                    TypeCas{Fichier, u"C:\\other\\*.txt", false},
                    TypeCas{u"C:\\dir\\sub\\..\\file.txt", u"C:\\dir\\.\\*.txt", true},
                    TypeCas{Fichier, u"D:\\*.txt", false},
                    TypeCas{u"file.txt", u"C:\\other\\file.txt", true},
                    TypeCas{u"C:file.txt", u"f*.txt", true},
                    TypeCas{u"\\a\\b.txt", u"\\a\\*.doc;\\a\\*.txt", true}));

namespace fs = std::filesystem;

// Runs the test from a folder that is removed at once, and comes back after.
class SansDossierCourant : public testing::TestWithParam<TypeCas> {
 protected:
  SansDossierCourant() : FAncien(fs::current_path()) {
    const fs::path parti = FDossier.Chemin() / "parti";
    fs::create_directory(parti);
    fs::current_path(parti);
    fs::remove(parti);
  }
  ~SansDossierCourant() override { fs::current_path(FAncien); }

  tests::TDossierTemporaire FDossier;
  fs::path FAncien;
};

// A relative path has no full form then: with folder parts on both sides
// nothing can be compared, which is no match.
TEST_P(SansDossierCourant, UnCheminRelatifNeCorrespondQuAuNom) {
  EXPECT_EQ(TPath::Correspondent(GetParam().Chemin, GetParam().Motifs), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(Cas, SansDossierCourant,
                         testing::Values(TypeCas{u"a\\b.txt", u"c\\*.doc", false},
                                         TypeCas{u"a\\b.txt", u"\\x\\*.doc", false},
                                         TypeCas{u"\\x\\b.txt", u"a\\*.doc", false},
                                         TypeCas{u"\\x\\b.txt", u"\\x\\*.txt", true},
                                         TypeCas{u"\\x\\b.txt", u"\\x\\*.doc", false},
                                         TypeCas{u"a\\b.txt", u"*.txt", true},
                                         TypeCas{u"a\\b.txt", u"*.doc", false}));

}  // namespace
}  // namespace kv
