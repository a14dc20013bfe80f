#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "environnement/VersionFichier.h"
#include "outils/DossierTemporaire.h"
#include "outils/ProcessusEnfant.h"
#include "plateforme/ErreurSysteme.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Processus.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// The project's version as CMake states it, four numbers.
TypeVersion VersionProjet() {
  return TypeVersion(TypeVersion::DepuisChaine(u"" KV_VERSION_PROJET), 4);
}

std::u16string Chemin(const fs::path& AChemin) { return plateforme::DepuisUtf8(AChemin.string()); }

// The message names the file as it was given; the framework's own paths have
// backslashes.
std::u16string MessageAttendu(std::u16string_view AFichier, int ACode) {
  return u"Impossible de lire les informations de version du fichier " + std::u16string(AFichier) +
         u"\n" + plateforme::MessageErreurSysteme(ACode) + u" (" +
         plateforme::DepuisUtf8(std::to_string(ACode)) + u")";
}

// Checks that reading AFichier fails with the system error ACode.
void AttendreEchec(const fs::path& AFichier, int ACode) {
  try {
    VersionFichier(Chemin(AFichier));
    ADD_FAILURE() << AFichier << " : échec attendu";
  } catch (const EInfosVersionIllisibles& e) {
    EXPECT_EQ(e.Message(), MessageAttendu(Chemin(AFichier), ACode)) << AFichier;
  }
}

std::vector<char> LireFichier(const fs::path& AFichier) {
  std::ifstream flux(AFichier, std::ios::binary);
  return {std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>()};
}

void EcrireFichier(const fs::path& AFichier, const char* AOctets, std::size_t ANombre) {
  std::ofstream flux(AFichier, std::ios::binary | std::ios::trunc);
  flux.write(AOctets, static_cast<std::streamsize>(ANombre));
  ASSERT_TRUE(flux.good()) << AFichier;
}

int FonctionDeCetExecutable() { return 1; }

TEST(VersionFichier, ProgrammesConstruits) {
  ASSERT_EQ(VersionProjet().Numeros.size(), 4u);
  EXPECT_EQ(VersionFichier(u"" KV_TALVANE), VersionProjet());
  EXPECT_EQ(VersionFichier(plateforme::CheminModuleExecutable()), VersionProjet());
  EXPECT_EQ(VersionModule(reinterpret_cast<const void*>(&FonctionDeCetExecutable)),
            VersionProjet());

  TypeInfosFixesFichier infos{};
  ASSERT_TRUE(LireInfosVersionFichier(u"" KV_TALVANE, infos));
  EXPECT_EQ(infos.Signature, 0xFEEF04BDu);
  EXPECT_EQ(infos.VersionStructure, 0x00010000u);
  EXPECT_EQ(infos.VersionProduitMS, infos.VersionFichierMS);
  EXPECT_EQ(infos.VersionProduitLS, infos.VersionFichierLS);
  EXPECT_EQ(infos.TypeFichier, 1u) << "application";
}

// A record whose four numbers differ, the first one at its largest: each lands
// in its own half word, and the program reads it as its own version.
TEST(VersionFichier, VersionFixeeALaConstruction) {
  EXPECT_EQ(VersionFichier(u"" KV_SONDE_VERSION_FIXEE), (TypeVersion{65535, 2, 3, 4}));
  TypeInfosFixesFichier infos{};
  ASSERT_TRUE(LireInfosVersionFichier(u"" KV_SONDE_VERSION_FIXEE, infos));
  EXPECT_EQ(infos.VersionFichierMS, 0xFFFF0002u);
  EXPECT_EQ(infos.VersionFichierLS, 0x00030004u);
  EXPECT_EQ(infos.VersionProduitMS, 0xFFFF0002u);
  EXPECT_EQ(infos.VersionProduitLS, 0x00030004u);

  tests::TypeLancement lancement;
  lancement.Executable = KV_SONDE_VERSION_FIXEE;
  lancement.Arguments = {"connue"};
  const tests::TypeResultat resultat = tests::Lancer(lancement);
  EXPECT_EQ(resultat.CodeSortie, 0) << resultat.Erreur;
  EXPECT_EQ(resultat.Sortie, "connue\nconnue\nversion [65535.2.3.4]\n");
}

// The framework writes paths with backslashes.
TEST(VersionFichier, CheminDuCadriciel) {
  const std::u16string chemin = plateforme::CheminCadriciel(u"" KV_TALVANE);
  ASSERT_NE(chemin.find(u'\\'), std::u16string::npos);
  EXPECT_EQ(VersionFichier(chemin), VersionProjet());
}

TEST(VersionFichier, VersionDuProgrammeEnCours) {
  EXPECT_TRUE(VersionExecutableConnue());
  EXPECT_EQ(VersionExecutable(), VersionProjet());
  EXPECT_EQ(VersionExecutable(), VersionProjet());
  EXPECT_TRUE(VersionExecutableConnue());
}

TEST(VersionFichier, FichiersSansEnregistrement) {
  const tests::TDossierTemporaire dossier;
  const fs::path texte = dossier.Chemin() / "texte.txt";
  EcrireFichier(texte, "bonjour\n", 8);
  const fs::path vide = dossier.Chemin() / "vide";
  EcrireFichier(vide, "", 0);
  const fs::path tube = dossier.Chemin() / "tube";
  ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);

  AttendreEchec(texte, ENOEXEC);
  AttendreEchec(vide, ENOEXEC);
  AttendreEchec(tube, ENOEXEC);  // and does not wait for a writer
  AttendreEchec(dossier.Chemin() / "absent", ENOENT);
  AttendreEchec(dossier.Chemin(), EISDIR);
  // An ELF program built without the record.
  AttendreEchec(fs::canonical(KV_SONDE_VERSION), ENODATA);

  // The C library is a module without the record.
  const std::u16string libc = plateforme::CheminCadriciel(
      plateforme::CheminModuleContenant(reinterpret_cast<const void*>(&::getpid)));
  try {
    VersionModule(reinterpret_cast<const void*>(&::getpid));
    ADD_FAILURE() << "échec attendu";
  } catch (const EInfosVersionIllisibles& e) {
    EXPECT_EQ(e.Message(), MessageAttendu(libc, ENODATA));
  }
}

// Copies of this test program cut at several points, in its header, its
// record, its section table: each is refused as a whole file would not be.
TEST(VersionFichier, ExecutablesCoupes) {
  const std::vector<char> image = LireFichier("/proc/self/exe");
  ASSERT_GT(image.size(), 4096u);
  std::uint64_t table = 0;
  std::memcpy(&table, image.data() + 40, sizeof table);  // little-endian, as this machine
  ASSERT_LT(table, image.size());
  // The record as the build wrote it.
  const TypeVersion projet = VersionProjet();
  const std::uint32_t ms = projet.Numeros[0] << 16 | projet.Numeros[1];
  const std::uint32_t ls = projet.Numeros[2] << 16 | projet.Numeros[3];
  const std::uint32_t mots[13] = {0xFEEF04BD, 0x00010000, ms, ls, ms, ls, 0x3F, 0, 0, 1, 0, 0, 0};
  std::vector<char> enregistrement;
  for (const std::uint32_t mot : mots) {
    for (int i = 0; i < 4; ++i) enregistrement.push_back(static_cast<char>(mot >> (8 * i)));
  }
  const auto bloc =
      std::search(image.begin(), image.end(), enregistrement.begin(), enregistrement.end());
  ASSERT_NE(bloc, image.end());
  const auto positionBloc = static_cast<std::size_t>(bloc - image.begin());

  const tests::TDossierTemporaire dossier;
  const fs::path copie = dossier.Chemin() / "copie";
  EcrireFichier(copie, image.data(), image.size());
  EXPECT_EQ(VersionFichier(Chemin(copie)), VersionProjet()) << "the whole copy reads";

  for (const std::size_t taille :
       {std::size_t{0}, std::size_t{4}, std::size_t{63}, std::size_t{64}, positionBloc + 20,
        table / 2, static_cast<std::size_t>(table), static_cast<std::size_t>(table) + 64 + 10,
        image.size() - 64, image.size() - 1}) {
    EcrireFichier(copie, image.data(), taille);
    AttendreEchec(copie, ENOEXEC);
  }
}

// The first call that reads the program's version gets its failure; later ones
// answer an empty, unknown version without reading again.
TEST(VersionFichier, EchecMisEnCache) {
  const fs::path sonde = fs::canonical(KV_SONDE_VERSION);
  const std::string erreur =
      "EInfosVersionIllisibles : " +
      plateforme::VersUtf8(MessageAttendu(plateforme::CheminCadriciel(Chemin(sonde)), ENODATA)) +
      "\n";
  struct TypeCas {
    const char* Argument;
    std::string Sortie;
  };
  const TypeCas cas[] = {
      {"connue", erreur + "inconnue\nversion []\n"},
      {"version", erreur + "version []\ninconnue\n"},
  };
  for (const TypeCas& c : cas) {
    tests::TypeLancement lancement;
    lancement.Executable = sonde.string();
    lancement.Arguments = {c.Argument};
    const tests::TypeResultat resultat = tests::Lancer(lancement);
    EXPECT_EQ(resultat.CodeSortie, 0) << resultat.Erreur;
    EXPECT_EQ(resultat.Sortie, c.Sortie) << c.Argument;
  }
}

}  // namespace
}  // namespace kv
