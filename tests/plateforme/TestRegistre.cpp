// The registry's hives in files: every test points both hives and the
// configuration folder into a temporary folder.

#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "outils/DossierTemporaire.h"
#include "outils/ProcessusEnfant.h"
#include "outils/VariableTemporaire.h"
#include "plateforme/Registre.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {

// Failures show the value instead of its bytes.
static void PrintTo(const TValeurRegistre& AValeur, std::ostream* ASortie) {
  *ASortie << "{type " << static_cast<int>(AValeur.Type) << ", \"" << VersUtf8(AValeur.Texte)
           << "\", " << AValeur.Nombre << "}";
}

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using TVariable = tests::TVariableTemporaire;
using TypeNoms = std::vector<std::u16string>;

constexpr TypeRacineRegistre Utilisateur = TypeRacineRegistre::rrUtilisateurCourant;
constexpr TypeRacineRegistre Machine = TypeRacineRegistre::rrMachineLocale;

TValeurRegistre Chaine(std::u16string ATexte) {
  return {TypeValeurRegistre::tvChaine, std::move(ATexte), 0};
}
TValeurRegistre Extensible(std::u16string ATexte) {
  return {TypeValeurRegistre::tvChaineExtensible, std::move(ATexte), 0};
}
TValeurRegistre Entier(std::uint32_t ANombre) {
  return {TypeValeurRegistre::tvEntier32, u"", ANombre};
}

std::string Lire(const fs::path& AChemin) {
  std::ifstream fichier(AChemin, std::ios::binary);
  std::ostringstream contenu;
  contenu << fichier.rdbuf();
  return contenu.str();
}

void Ecrire(const fs::path& AChemin, const std::string& AContenu) {
  std::ofstream(AChemin, std::ios::binary | std::ios::trunc) << AContenu;
}

std::set<std::string> Entrees(const fs::path& ADossier) {
  std::set<std::string> noms;
  for (const auto& entree : fs::directory_iterator(ADossier)) {
    noms.insert(entree.path().filename().string());
  }
  return noms;
}

bool Contient(const std::string& ATexte, const std::string& AMorceau) {
  return ATexte.find(AMorceau) != std::string::npos;
}

// ---- Child processes ----

struct TypeIssue {
  int Code = -1;  // 0 done, 1 a framework exception, 2 anything else
  std::string Texte;
};

// AAction run in a forked copy of this process, which reports what it returns
// or the exception it raised. Expectations cannot be checked in there.
class TEnfant {
 public:
  explicit TEnfant(const std::function<std::string()>& AAction) {
    int tube[2];
    if (::pipe(tube) != 0) throw std::runtime_error("pipe a échoué");
    FPid = ::fork();
    if (FPid < 0) throw std::runtime_error("fork a échoué");
    if (FPid == 0) {
      ::close(tube[0]);
      Executer(tube[1], AAction);
    }
    ::close(tube[1]);
    FTube = tube[0];
  }
  TEnfant(const TEnfant&) = delete;
  TEnfant& operator=(const TEnfant&) = delete;

  TypeIssue Attendre() {
    TypeIssue issue;
    char tampon[512];
    ssize_t lus;
    while ((lus = ::read(FTube, tampon, sizeof tampon)) > 0) {
      issue.Texte.append(tampon, static_cast<std::size_t>(lus));
    }
    ::close(FTube);
    int etat = 0;
    ::waitpid(FPid, &etat, 0);
    if (WIFEXITED(etat)) issue.Code = WEXITSTATUS(etat);
    return issue;
  }

 private:
  [[noreturn]] static void Executer(int ASortie, const std::function<std::string()>& AAction) {
    int code = 0;
    std::string texte;
    try {
      texte = AAction();
    } catch (const Exception& erreur) {
      code = 1;
      texte = VersUtf8(erreur.NomClasse()) + ": " + VersUtf8(erreur.Message());
    } catch (const std::exception& erreur) {
      code = 2;
      texte = erreur.what();
    }
    for (std::size_t ecrits = 0; ecrits < texte.size();) {
      const ssize_t n = ::write(ASortie, texte.data() + ecrits, texte.size() - ecrits);
      if (n <= 0) break;
      ecrits += static_cast<std::size_t>(n);
    }
    ::_exit(code);
  }

  pid_t FPid = -1;
  int FTube = -1;
};

// Children wait at the gate until the parent opens it, so that they start
// together.
class TPorte {
 public:
  TPorte() {
    int tube[2];
    if (::pipe(tube) != 0) throw std::runtime_error("pipe a échoué");
    FLecture = tube[0];
    FEcriture = tube[1];
  }
  ~TPorte() {
    ::close(FLecture);
    Ouvrir();
  }
  TPorte(const TPorte&) = delete;
  TPorte& operator=(const TPorte&) = delete;

  // In a child: waits for the parent's end to close.
  void Attendre() {
    Ouvrir();
    char octet;
    while (::read(FLecture, &octet, 1) < 0 && errno == EINTR) {
    }
  }
  void Ouvrir() {
    if (FEcriture >= 0) ::close(FEcriture);
    FEcriture = -1;
  }

 private:
  int FLecture;
  int FEcriture;
};

void DevenirSansPrivileges() {
  if (!tests::EstAdministrateur()) return;
  const gid_t groupe = tests::CompteSansPrivileges;
  if (::setgroups(0, nullptr) != 0 || ::setresgid(groupe, groupe, groupe) != 0 ||
      ::setresuid(tests::CompteSansPrivileges, tests::CompteSansPrivileges,
                  tests::CompteSansPrivileges) != 0) {
    throw std::runtime_error("changement de compte impossible");
  }
}

// ---- Fixture ----

class Registre : public testing::Test {
 protected:
  fs::path DossierUtilisateur() const { return FDossier.Chemin() / "utilisateur"; }
  fs::path Ruche() const { return DossierUtilisateur() / "registre.kvr"; }
  std::set<std::string> FichiersAttendus() const { return {"registre.kvr", "registre.kvr.verrou"}; }

  tests::TDossierTemporaire FDossier;
  TVariable FUtilisateur{"KV_REGISTRE_UTILISATEUR", (FDossier.Chemin() / "utilisateur").string()};
  TVariable FMachine{"KV_REGISTRE_MACHINE", (FDossier.Chemin() / "machine").string()};
  TVariable FConfiguration{"XDG_CONFIG_HOME", (FDossier.Chemin() / "xdg").string()};
};

// ---- Round trip ----

struct TypeCasAllerRetour {
  TypeRacineRegistre Racine;
  std::u16string Parent;
  std::u16string Cle;
  std::u16string Nom;
  TValeurRegistre Valeur;
};

class AllerRetourRegistre : public Registre,
                            public testing::WithParamInterface<TypeCasAllerRetour> {};

// A value written after the one of the case shows that nothing spilled over.
TEST_P(AllerRetourRegistre, LaValeurRevientUniteParUniteDepuisLeFichier) {
  const TypeCasAllerRetour& cas = GetParam();
  const std::u16string chemin = cas.Parent + u"\\" + cas.Cle;
  {
    TCleRegistre cle = TCleRegistre::OuvrirOuCreer(cas.Racine, chemin);
    cle.EcrireValeur(cas.Nom, cas.Valeur);
    cle.EcrireValeur(u"T\u00E9moin", Chaine(u"apr\u00E8s"));
    EXPECT_EQ(cle.LireValeur(cas.Nom), cas.Valeur);
  }
  const auto relue = TCleRegistre::Ouvrir(cas.Racine, chemin);
  ASSERT_TRUE(relue);
  EXPECT_EQ(relue->NomsValeurs(), (TypeNoms{cas.Nom, u"T\u00E9moin"}));
  EXPECT_EQ(relue->LireValeur(cas.Nom), cas.Valeur);
  EXPECT_EQ(relue->LireValeur(u"T\u00E9moin"), Chaine(u"apr\u00E8s"));
  const auto parent = TCleRegistre::Ouvrir(cas.Racine, cas.Parent);
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->NomsSousCles(), TypeNoms{cas.Cle});
}

INSTANTIATE_TEST_SUITE_P(
    Cas, AllerRetourRegistre,
    testing::Values(
        TypeCasAllerRetour{Utilisateur, u"Software", u"Korvel", u"Nom", Chaine(u"production")},
        TypeCasAllerRetour{Machine, u"Software", u"Korvel", u"", Chaine(u"")},
        TypeCasAllerRetour{Utilisateur, u"Software", u"K\"e=y[1]#", u"a=b[c]\"d\\e#",
                           Chaine(u"ligne 1\nligne 2\r\n\t\"x\" \\ = [y] # z")},
        TypeCasAllerRetour{Utilisateur, u"Software\\Korvel", u"EnvironnementDeploiement",
                           u"\\home\\a\\talvane", Chaine(u"staging")},
        TypeCasAllerRetour{Machine, u"SOFTWARE\\Korvel", u"SurchargeRepertoiresWindows",
                           u"%USERNAME%", Extensible(u"%APPDATA%\\Korvel\\%USERNAME%")},
        TypeCasAllerRetour{Utilisateur, u"Cl\u00E9 \U0001F600", u"\U00010000", u"\U0001F600 \u00E9",
                           Chaine(u"\U0001F600 \U00010000 \U0010FFFF")},
        TypeCasAllerRetour{Utilisateur, u"Software", u"\xD800", u"\xDC00x",
                           Chaine(u"\xD800"
                                  u"a\xDC00\xDC00\xD800\xDBFF")},
        TypeCasAllerRetour{Machine, u"Software", u"\x01\n", u"\0nul"s,
                           Chaine(u"\0\x01\x1B\x7F\x85\x9F\u2028\uFEFF\u00A0"s)},
        TypeCasAllerRetour{Utilisateur, u"Software", u"Nombres", u"#42", Entier(42)},
        TypeCasAllerRetour{Utilisateur, u"Software", u"Nombres", u"Z\u00E9ro", Entier(0)},
        TypeCasAllerRetour{Machine, u"Software", u"Nombres", u"Max", Entier(0xFFFFFFFF)},
        TypeCasAllerRetour{Utilisateur, u"Software", u"  \t ", u" ",
                           Chaine(u"\n[\"Autre\"]\n\"x\" = entier32 1\n")},
        TypeCasAllerRetour{Machine, u"Software", u"Vide", u"\\", Extensible(u"")}));

// ---- Names and paths ----

TEST_F(Registre, LesNomsSeComparentSansLaCasseEtGardentCelleDeLeurCreation) {
  TCleRegistre cle =
      TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software\\Korvel\\\u00C9l\u00E9ment");
  cle.EcrireValeur(u"NomMixte", Chaine(u"1"));
  cle.EcrireValeur(u"NOMMIXTE", Chaine(u"2"));
  cle.EcrireValeur(u"\u00C9t\u00E9", Entier(3));
  TCleRegistre::OuvrirOuCreer(Utilisateur, u"software\\KORVEL\\autre");

  const auto relue = TCleRegistre::Ouvrir(Utilisateur, u"SOFTWARE\\korvel\\\u00E9L\u00C9MENT");
  ASSERT_TRUE(relue);
  EXPECT_EQ(relue->NomsValeurs(), (TypeNoms{u"NomMixte", u"\u00C9t\u00E9"}));
  EXPECT_EQ(relue->LireValeur(u"nommixte"), Chaine(u"2"));
  EXPECT_EQ(relue->LireValeur(u"\u00C9T\u00C9"), Entier(3));
  EXPECT_EQ(relue->LireValeur(u"NomMixt"), std::nullopt);
  EXPECT_EQ(TCleRegistre::Ouvrir(Utilisateur, u"SOFTWARE")->NomsSousCles(), TypeNoms{u"Korvel"});
  EXPECT_EQ(TCleRegistre::Ouvrir(Utilisateur, u"Software\\Korvel")->NomsSousCles(),
            (TypeNoms{u"\u00C9l\u00E9ment", u"autre"}));

  EXPECT_TRUE(cle.SupprimerValeur(u"nOmMiXtE"));
  EXPECT_FALSE(cle.SupprimerValeur(u"NomMixte"));
  EXPECT_EQ(cle.NomsValeurs(), TypeNoms{u"\u00C9t\u00E9"});
  EXPECT_EQ(
      TCleRegistre::Ouvrir(Utilisateur, u"Software\\Korvel\\\u00C9l\u00E9ment")->NomsValeurs(),
      TypeNoms{u"\u00C9t\u00E9"});
}

TEST_F(Registre, LesBarresDuBordSontIgnoreesEtUnNomVideEstRefuse) {
  TCleRegistre::OuvrirOuCreer(Utilisateur, u"\\Software\\Korvel\\X\\")
      .EcrireValeur(u"v", Entier(1));
  TCleRegistre::OuvrirOuCreer(Utilisateur, u"").EcrireValeur(u"", Chaine(u"racine"));

  EXPECT_EQ(TCleRegistre::Ouvrir(Utilisateur, u"Software\\Korvel\\X")->LireValeur(u"v"), Entier(1));
  const auto racine = TCleRegistre::Ouvrir(Utilisateur, u"\\");
  ASSERT_TRUE(racine);
  EXPECT_EQ(racine->LireValeur(u""), Chaine(u"racine"));
  EXPECT_EQ(racine->NomsSousCles(), TypeNoms{u"Software"});

  const std::string avant = Lire(Ruche());
  EXPECT_THROW(TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software\\\\Korvel"), EArgumentInvalide);
  EXPECT_THROW(TCleRegistre::Ouvrir(Utilisateur, u"Software\\\\Korvel"), EArgumentInvalide);
  EXPECT_EQ(Lire(Ruche()), avant);
}

// ---- Reading ----

TEST_F(Registre, LireNeCreeRienEtUneCleAbsenteNeDonneRien) {
  EXPECT_FALSE(TCleRegistre::Ouvrir(Utilisateur, u""));
  EXPECT_FALSE(TCleRegistre::Ouvrir(Utilisateur, u"Software"));
  EXPECT_FALSE(fs::exists(DossierUtilisateur()));

  TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software\\Korvel").EcrireValeur(u"v", Entier(1));
  EXPECT_FALSE(TCleRegistre::Ouvrir(Utilisateur, u"Software\\Autre"));
  EXPECT_FALSE(TCleRegistre::Ouvrir(Utilisateur, u"Software\\Korvel\\v"));
  EXPECT_FALSE(TCleRegistre::Ouvrir(Machine, u"Software\\Korvel"));
  EXPECT_FALSE(fs::exists(FDossier.Chemin() / "machine"));
  EXPECT_EQ(Entrees(DossierUtilisateur()), FichiersAttendus());

  // Nothing to change, nothing rewritten.
  const ino_t numero = [&] {
    struct stat etat {};
    ::stat(Ruche().c_str(), &etat);
    return etat.st_ino;
  }();
  TCleRegistre cle = TCleRegistre::OuvrirOuCreer(Utilisateur, u"SOFTWARE\\KORVEL");
  cle.EcrireValeur(u"V", Entier(1));
  EXPECT_FALSE(cle.SupprimerValeur(u"absente"));
  struct stat etat {};
  ::stat(Ruche().c_str(), &etat);
  EXPECT_EQ(etat.st_ino, numero);
}

TEST_F(Registre, UneCleGardeSonEtatEtChaqueEcritureRepartDuDisque) {
  TCleRegistre a = TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software\\Korvel");
  TCleRegistre b = TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software\\Korvel");
  const auto lecture = TCleRegistre::Ouvrir(Utilisateur, u"Software\\Korvel");
  ASSERT_TRUE(lecture);

  b.EcrireValeur(u"deB", Entier(2));
  TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software\\Korvel\\Sous");
  EXPECT_EQ(a.LireValeur(u"deB"), std::nullopt);
  EXPECT_TRUE(a.NomsSousCles().empty());
  EXPECT_EQ(lecture->LireValeur(u"deB"), std::nullopt);

  a.EcrireValeur(u"deA", Entier(1));
  EXPECT_EQ(a.NomsValeurs(), (TypeNoms{u"deB", u"deA"}));
  EXPECT_EQ(a.NomsSousCles(), TypeNoms{u"Sous"});
  EXPECT_EQ(TCleRegistre::Ouvrir(Utilisateur, u"Software\\Korvel")->NomsValeurs(),
            (TypeNoms{u"deB", u"deA"}));
  EXPECT_TRUE(lecture->NomsValeurs().empty());
}

TEST_F(Registre, UneCleOuverteEnLectureRefuseLesEcritures) {
  TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software").EcrireValeur(u"v", Entier(1));
  const std::string avant = Lire(Ruche());
  auto cle = TCleRegistre::Ouvrir(Utilisateur, u"Software");
  ASSERT_TRUE(cle);
  EXPECT_THROW(cle->EcrireValeur(u"v", Entier(2)), EEcritureRegistre);
  EXPECT_THROW(cle->SupprimerValeur(u"v"), EEcritureRegistre);
  EXPECT_EQ(Lire(Ruche()), avant);
  EXPECT_EQ(cle->LireValeur(u"v"), Entier(1));
}

// A hive the system will not read is not an absent one.
TEST_F(Registre, UneRucheQuiNePeutEtreLueNEstPasPrisePourAbsente) {
  fs::create_directories(Ruche());
  EXPECT_THROW(TCleRegistre::Ouvrir(Utilisateur, u"Software"), ELectureRegistre);
  EXPECT_THROW(TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software"), EEcritureRegistre);
  EXPECT_TRUE(fs::is_directory(Ruche()));
}

TEST_F(Registre, UneRucheCorrompueEstSignaleeEtJamaisRemplacee) {
  TCleRegistre ouverte = TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software\\Korvel");
  const std::string corrompue =
      "kvr 1\n[\"Software\\\\Korvel\"]\n\"v\" = chaine \"sans fin\n\"w\" = entier32 1\n";
  Ecrire(Ruche(), corrompue);

  const auto verifier = [&](const std::function<void()>& AAction) {
    try {
      AAction();
      ADD_FAILURE() << "aucune erreur";
    } catch (const ERegistreCorrompu& erreur) {
      const std::string message = VersUtf8(erreur.Message());
      EXPECT_TRUE(Contient(message, Ruche().string())) << message;
      EXPECT_TRUE(Contient(message, "ligne 3")) << message;
    }
  };
  verifier([] { TCleRegistre::Ouvrir(Utilisateur, u"Software\\Korvel"); });
  verifier([] { TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software\\Korvel"); });
  verifier([&] { ouverte.EcrireValeur(u"v", Entier(1)); });
  verifier([&] { ouverte.SupprimerValeur(u"w"); });
  EXPECT_EQ(Lire(Ruche()), corrompue);
  EXPECT_EQ(Entrees(DossierUtilisateur()), FichiersAttendus());
}

// ---- Folders ----

struct TypeCasDossiers {
  std::optional<std::string> Utilisateur;
  std::optional<std::string> Machine;
  std::optional<std::string> Configuration;
  std::optional<std::string> Personnel;
  std::u16string AttenduUtilisateur;
  std::u16string AttenduMachine;
};

class DossiersRegistre : public testing::TestWithParam<TypeCasDossiers> {};

TEST_P(DossiersRegistre, SuiventLesVariablesPuisLesDossiersConnus) {
  const TypeCasDossiers& cas = GetParam();
  const TVariable utilisateur("KV_REGISTRE_UTILISATEUR", cas.Utilisateur);
  const TVariable machine("KV_REGISTRE_MACHINE", cas.Machine);
  const TVariable configuration("XDG_CONFIG_HOME", cas.Configuration);
  const TVariable personnel("HOME", cas.Personnel);
  EXPECT_EQ(DossierRuche(Utilisateur), cas.AttenduUtilisateur);
  EXPECT_EQ(DossierRuche(Machine), cas.AttenduMachine);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, DossiersRegistre,
    testing::Values(TypeCasDossiers{"/r/u", "/r/m", "/x", "/h", u"/r/u", u"/r/m"},
                    TypeCasDossiers{"", "", "/x/cfg", "/h", u"/x/cfg/korvel", u"/var/lib/korvel"},
                    TypeCasDossiers{std::nullopt, std::nullopt, "/x/cfg/", "/h", u"/x/cfg/korvel",
                                    u"/var/lib/korvel"},
                    TypeCasDossiers{std::nullopt, std::nullopt, std::nullopt, "/h",
                                    u"/h/.config/korvel", u"/var/lib/korvel"},
                    TypeCasDossiers{std::nullopt, "/r/m", "", "/h/", u"/h/.config/korvel", u"/r/m"},
                    TypeCasDossiers{"/r/donn\xC3\xA9"
                                    "es",
                                    "relatif", "/x", "/h", u"/r/donn\u00E9es", u"relatif"},
                    // Not UTF-8: no folder, rather than another one.
                    TypeCasDossiers{"/r/\xFF", "/m/\xFF", "/x", "/h", u"", u""}));

TEST_F(Registre, SansVariableLaRucheDeLUtilisateurVaDansLeDossierDeConfiguration) {
  {
    const TVariable sans("KV_REGISTRE_UTILISATEUR", std::nullopt);
    TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software").EcrireValeur(u"v", Entier(7));
    EXPECT_EQ(TCleRegistre::Ouvrir(Utilisateur, u"Software")->LireValeur(u"v"), Entier(7));
  }
  EXPECT_TRUE(fs::is_regular_file(FDossier.Chemin() / "xdg/korvel/registre.kvr"));
  EXPECT_FALSE(fs::exists(DossierUtilisateur()));

  const TVariable illisible("KV_REGISTRE_UTILISATEUR", "/r/\xFF");
  EXPECT_FALSE(TCleRegistre::Ouvrir(Utilisateur, u"Software"));
  EXPECT_THROW(TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software"), EEcritureRegistre);
}

// ---- Failed writes ----

enum class TypePanne : std::uint8_t {
  pFichierTropGrand,   // the disk fills up in the middle of the new hive
  pDossierVerrouille,  // the temporary file cannot be created
  pRucheInterdite,     // the hive cannot be read back under the lock
};

class PanneEcritureRegistre : public Registre, public testing::WithParamInterface<TypePanne> {};

TEST_P(PanneEcritureRegistre, LaRucheResteIntacteEtSansFichierTemporaire) {
  TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software\\Korvel")
      .EcrireValeur(u"Garde", Chaine(u"ancienne"));
  const std::string avant = Lire(Ruche());
  int erreurAttendue = EACCES;
  switch (GetParam()) {
    case TypePanne::pFichierTropGrand:
      erreurAttendue = EFBIG;
      break;
    case TypePanne::pDossierVerrouille:
      FDossier.DonnerAuCompteSansPrivileges();
      fs::permissions(DossierUtilisateur(), fs::perms::owner_read | fs::perms::owner_exec);
      break;
    case TypePanne::pRucheInterdite:
      FDossier.DonnerAuCompteSansPrivileges();
      fs::permissions(Ruche(), fs::perms::none);
      break;
  }

  TEnfant enfant([&] {
    if (GetParam() == TypePanne::pFichierTropGrand) {
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limite{avant.size(), avant.size()};
      if (::setrlimit(RLIMIT_FSIZE, &limite) != 0) throw std::runtime_error("setrlimit");
    } else {
      DevenirSansPrivileges();
    }
    TCleRegistre cle = TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software\\Korvel");
    cle.EcrireValeur(u"Nouvelle", Chaine(std::u16string(4096, u'x')));
    return std::string("écrite");
  });
  const TypeIssue issue = enfant.Attendre();

  EXPECT_EQ(issue.Code, 1) << issue.Texte;
  EXPECT_TRUE(Contient(issue.Texte, "EEcritureRegistre: ")) << issue.Texte;
  EXPECT_TRUE(Contient(issue.Texte, Ruche().string())) << issue.Texte;
  EXPECT_TRUE(Contient(issue.Texte, std::strerror(erreurAttendue))) << issue.Texte;
  EXPECT_EQ(Lire(Ruche()), avant);
  EXPECT_EQ(Entrees(DossierUtilisateur()), FichiersAttendus());
}

INSTANTIATE_TEST_SUITE_P(Cas, PanneEcritureRegistre,
                         testing::Values(TypePanne::pFichierTropGrand,
                                         TypePanne::pDossierVerrouille,
                                         TypePanne::pRucheInterdite));

// ---- Concurrent writers ----

// Without the lock, each writer would replace the hive with its own reading of
// it and the other's values would be lost.
TEST_F(Registre, DeuxProcessusQuiEcriventEnMemeTempsGardentToutesLeursValeurs) {
  constexpr int Ecritures = 20;
  const auto nom = [](char16_t AAuteur, int ANumero) {
    return std::u16string(1, AAuteur) + DepuisUtf8(std::to_string(ANumero));
  };
  TPorte porte;
  const auto ecrire = [&](char16_t AAuteur) {
    return [&, AAuteur] {
      porte.Attendre();
      TCleRegistre cle = TCleRegistre::OuvrirOuCreer(Utilisateur, u"Software\\Concurrence");
      for (int i = 0; i < Ecritures; ++i) {
        cle.EcrireValeur(nom(AAuteur, i), Entier(static_cast<std::uint32_t>(i)));
      }
      return std::string();
    };
  };
  TEnfant a(ecrire(u'A'));
  TEnfant b(ecrire(u'B'));
  porte.Ouvrir();
  const TypeIssue issueA = a.Attendre();
  const TypeIssue issueB = b.Attendre();
  EXPECT_EQ(issueA.Code, 0) << issueA.Texte;
  EXPECT_EQ(issueB.Code, 0) << issueB.Texte;

  const auto cle = TCleRegistre::Ouvrir(Utilisateur, u"Software\\Concurrence");
  ASSERT_TRUE(cle);
  EXPECT_EQ(cle->NomsValeurs().size(), 2u * Ecritures);
  for (const char16_t auteur : {u'A', u'B'}) {
    for (int i = 0; i < Ecritures; ++i) {
      EXPECT_EQ(cle->LireValeur(nom(auteur, i)), Entier(static_cast<std::uint32_t>(i)))
          << VersUtf8(nom(auteur, i));
    }
  }
  EXPECT_EQ(Entrees(DossierUtilisateur()), FichiersAttendus());
}

}  // namespace
}  // namespace kv::plateforme
