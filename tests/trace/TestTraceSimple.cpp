#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <thread>
#include <tuple>
#include <vector>

#include "outils/DossierTemporaire.h"
#include "outils/ProcessusEnfant.h"
#include "plateforme/Horloge.h"
#include "plateforme/Texte.h"
#include "trace/TraceSimple.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using plateforme::DepuisUtf8;
using plateforme::VersUtf8;

tests::TypeResultat LancerAide(std::vector<std::string> AArguments) {
  tests::TypeLancement lancement;
  lancement.Executable = AIDE_TRACE;
  lancement.Arguments = std::move(AArguments);
  return tests::Lancer(lancement);
}

class TraceSimple : public testing::Test {
 protected:
  std::u16string Chemin(std::string_view ARelatif) const {
    return DepuisUtf8((FDossier.Chemin() / ARelatif).string());
  }
  std::string Contenu(std::string_view ARelatif) const {
    std::ifstream fichier(FDossier.Chemin() / ARelatif, std::ios::binary);
    std::ostringstream contenu;
    contenu << fichier.rdbuf();
    return contenu.str();
  }
  bool Existe(std::string_view ARelatif) const { return fs::exists(FDossier.Chemin() / ARelatif); }

  tests::TDossierTemporaire FDossier;
};

struct TypeRegleNiveau {
  int Activation;
  int NiveauLigne;
  bool Ecrite;
};

class ReglesDeNiveau : public TraceSimple, public testing::WithParamInterface<TypeRegleNiveau> {};

TEST_P(ReglesDeNiveau, UneLigneSortQuandLeNiveauEstAtteint) {
  const auto [activation, niveau, ecrite] = GetParam();
  TTraceSimple trace(u"niveaux", Chemin("t.txt"), false, 3, false);
  trace.Activer(activation);
  trace.Tracer(u"a", niveau);
  trace.TracerSi(u"b", true, niveau);
  trace.TracerSi(u"c", false, niveau);
  trace.FormatterEtTracer(u"%s%d", {u"d", 1}, niveau);
  EXPECT_EQ(trace.EstActive(niveau), ecrite);
  EXPECT_EQ(Contenu("t.txt"), ecrite ? "a\r\nb\r\nd1\r\n" : "");
}

INSTANTIATE_TEST_SUITE_P(Cas, ReglesDeNiveau,
                         testing::Values(TypeRegleNiveau{0, 1, false}, TypeRegleNiveau{0, 0, true},
                                         TypeRegleNiveau{0, -3, true}, TypeRegleNiveau{2, 1, true},
                                         TypeRegleNiveau{2, 2, true}, TypeRegleNiveau{2, 3, false},
                                         TypeRegleNiveau{-1, 0, false},
                                         TypeRegleNiveau{-1, -1, true}));

TEST_F(TraceSimple, LeFormatNEstAppliqueQueSiLeNiveauEstAtteint) {
  TTraceSimple trace(u"format", Chemin("t.txt"), false, 3, false);
  trace.Activer(1);
  EXPECT_NO_THROW(trace.FormatterEtTracer(u"%d", {u"pas un entier"}, 2));
  EXPECT_THROW(trace.FormatterEtTracer(u"%d", {u"pas un entier"}, 1), EConvertError);
  EXPECT_FALSE(Existe("t.txt"));
}

struct TypeScenario {
  const char* Nom;
  std::function<void(TTraceSimple&)> Operations;
  std::string Lignes;  // written when the trace writes its control lines
  int NiveauFinal;
};

const TypeScenario Scenarios[] = {
    {"Creation", [](TTraceSimple&) {}, "", 0},
    {"Activation", [](TTraceSimple& t) { t.Activer(2); }, "Trace activée (2).\r\n", 2},
    {"MemeNiveau",
     [](TTraceSimple& t) {
       t.Activer(2);
       t.Activer(2);
     },
     "Trace activée (2).\r\n", 2},
    {"ChangementDeNiveau",
     [](TTraceSimple& t) {
       t.Activer(1);
       t.Activer(5);
     },
     "Trace activée (1).\r\nTrace activée (5).\r\n", 5},
    {"ActivationAZero",
     [](TTraceSimple& t) {
       t.Activer(2);
       t.Activer(0);
     },
     "Trace activée (2).\r\nTrace désactivée.\r\n", 0},
    {"ActivationNegative", [](TTraceSimple& t) { t.Activer(-2); }, "Trace désactivée.\r\n", -2},
    {"Desactivation",
     [](TTraceSimple& t) {
       t.Activer(3);
       t.Desactiver();
     },
     "Trace activée (3).\r\nTrace désactivée.\r\n", 0},
    // Below level 1 the notice of Desactiver is not due.
    {"DesactivationDUnNiveauNegatif",
     [](TTraceSimple& t) {
       t.Activer(-2);
       t.Desactiver();
     },
     "Trace désactivée.\r\n", 0},
    {"DesactivationInactive", [](TTraceSimple& t) { t.Desactiver(); }, "", 0},
};

class LignesDeControle : public TraceSimple, public testing::WithParamInterface<TypeScenario> {};

TEST_P(LignesDeControle, NApparaissentQueSiLaTraceLesDemande) {
  const TypeScenario& scenario = GetParam();
  TTraceSimple avec(u"avec", Chemin("avec.txt"), false, 3, true);
  TTraceSimple sans(u"sans", Chemin("sans.txt"), false, 3, false);
  scenario.Operations(avec);
  scenario.Operations(sans);
  EXPECT_EQ(Contenu("avec.txt"), scenario.Lignes);
  EXPECT_FALSE(Existe("sans.txt"));
  EXPECT_EQ(avec.Niveau(), scenario.NiveauFinal);
  EXPECT_EQ(sans.Niveau(), scenario.NiveauFinal);
}

INSTANTIATE_TEST_SUITE_P(Cas, LignesDeControle, testing::ValuesIn(Scenarios),
                         [](const auto& AInfo) { return std::string(AInfo.param.Nom); });

TEST_F(TraceSimple, DetruireUneTraceActiveEcritLaDesactivation) {
  {
    TTraceSimple trace(u"t", Chemin("t.txt"), false, 3, true);
    trace.Activer(2);
  }
  EXPECT_EQ(Contenu("t.txt"), "Trace activée (2).\r\nTrace désactivée.\r\n");
}

TEST_F(TraceSimple, LIndentationPrecedeLeTexteSansDevenirNegative) {
  TTraceSimple trace(u"t", Chemin("t.txt"), false, 1, false);
  trace.Indenter();
  trace.Indenter();
  trace.Tracer(u"quatre", 0);
  trace.Desindenter();
  trace.Tracer(u"deux", 0);
  trace.Desindenter();
  trace.Desindenter();
  trace.Tracer(u"zero", 0);
  trace.Indenter();
  trace.Tracer(u"encore deux", 0);
  EXPECT_EQ(Contenu("t.txt"), "    quatre\r\n  deux\r\nzero\r\n  encore deux\r\n");
}

TEST_F(TraceSimple, LeTexteEstEnUtf8SansMarque) {
  TTraceSimple trace(u"t", Chemin("t.txt"), false, 1, false);
  trace.Tracer(u"été ✓ \U0001F600", 0);
  trace.Tracer(u"seul \xD800.", 0);
  EXPECT_EQ(Contenu("t.txt"),
            "\xC3\xA9t\xC3\xA9 \xE2\x9C\x93 \xF0\x9F\x98\x80\r\nseul \xEF\xBF\xBD.\r\n");
}

using TypeInstant = std::tuple<int, int, int, int, int, int>;

TypeInstant Maintenant() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&t, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

TEST_F(TraceSimple, LHorodatageDonneLaDateEtLHeureLocales) {
  TTraceSimple trace(u"t", Chemin("t.txt"), true, 1, false);
  EXPECT_TRUE(trace.TraceDatee());
  trace.Indenter();
  const TypeInstant avant = Maintenant();
  trace.Tracer(u"texte", 0);
  const TypeInstant apres = Maintenant();
  trace.SetTraceDatee(false);
  trace.Tracer(u"sans date", 0);

  const auto separateurs = plateforme::SeparateursDateHeure();
  const std::string d = VersUtf8(std::u16string(1, separateurs.Date));
  const std::string h = VersUtf8(std::u16string(1, separateurs.Heure));
  ASSERT_TRUE(d.size() == 1 && h.size() == 1 && std::ispunct(d[0]) && std::ispunct(h[0]))
      << "this test only knows punctuation separators";
  const std::string contenu = Contenu("t.txt");
  std::smatch champs;
  const std::string modele = "(\\d\\d)\\" + d + "(\\d\\d)\\" + d + "(\\d{4}) (\\d\\d)\\" + h +
                             "(\\d\\d)\\" + h + "(\\d\\d)\\" + h +
                             "\\d{3} :   texte\r\n  sans date\r\n";
  ASSERT_TRUE(std::regex_match(contenu, champs, std::regex(modele))) << contenu;
  const auto champ = [&](int AIndex) { return std::stoi(champs[AIndex].str()); };
  const TypeInstant ecrit{champ(3), champ(2), champ(1), champ(4), champ(5), champ(6)};
  EXPECT_LE(avant, ecrit);
  EXPECT_LE(ecrit, apres);
}

TEST_F(TraceSimple, LaPremiereLigneCreeLesDossiersManquants) {
  TTraceSimple trace(u"t", Chemin("nouveau") + u"\\sous\\t.txt", false, 1, false);
  trace.Tracer(u"ligne", 0);
  EXPECT_EQ(Contenu("nouveau/sous/t.txt"), "ligne\r\n");
}

TEST_F(TraceSimple, UnFichierQuiNePeutEtreEcritPerdLaLigneSansErreur) {
  { std::ofstream(FDossier.Chemin() / "fichier") << "contenu"; }
  fs::create_directory(FDossier.Chemin() / "dossier");
  TTraceSimple sousFichier(u"f", Chemin("fichier/t.txt"), true, 1, true);
  TTraceSimple surDossier(u"d", Chemin("dossier"), true, 1, true);
  for (TTraceSimple* trace : {&sousFichier, &surDossier}) {
    EXPECT_NO_THROW(trace->Activer(1));
    EXPECT_NO_THROW(trace->Tracer(u"ligne", 0));
    EXPECT_NO_THROW(trace->Effacer());
  }
  EXPECT_EQ(Contenu("fichier"), "contenu");
  EXPECT_TRUE(fs::is_directory(FDossier.Chemin() / "dossier"));
  EXPECT_TRUE(fs::is_empty(FDossier.Chemin() / "dossier"));
}

TEST_F(TraceSimple, EffacerSupprimeLeFichierQueLaLigneSuivanteRecree) {
  TTraceSimple trace(u"t", Chemin("t.txt"), false, 1, false);
  trace.Tracer(u"avant", 0);
  trace.Effacer();
  EXPECT_FALSE(Existe("t.txt"));
  EXPECT_NO_THROW(trace.Effacer());
  trace.Tracer(u"apres", 0);
  EXPECT_EQ(Contenu("t.txt"), "apres\r\n");
}

// The file stays open between lines; these are the changes behind its back
// that must still send each line to the file the name gives, once the delay
// after which an absolute name is looked up again has passed.
TEST_F(TraceSimple, UnFichierSupprimeOuRemplaceEntreDeuxLignesEstRecree) {
  const auto apresLeDelai = [] {
    std::this_thread::sleep_for(2 * plateforme::TAjoutFichier::DelaiVerificationNom);
  };
  TTraceSimple trace(u"t", Chemin("t.txt"), false, 1, false);
  trace.Tracer(u"un", 0);
  fs::remove(FDossier.Chemin() / "t.txt");
  apresLeDelai();
  trace.Tracer(u"deux", 0);
  EXPECT_EQ(Contenu("t.txt"), "deux\r\n");

  fs::rename(FDossier.Chemin() / "t.txt", FDossier.Chemin() / "t.1.txt");
  apresLeDelai();
  trace.Tracer(u"trois", 0);
  EXPECT_EQ(Contenu("t.txt"), "trois\r\n");
  EXPECT_EQ(Contenu("t.1.txt"), "deux\r\n");

  { std::ofstream(FDossier.Chemin() / "autre.txt", std::ios::binary) << "autre\r\n"; }
  fs::rename(FDossier.Chemin() / "autre.txt", FDossier.Chemin() / "t.txt");
  apresLeDelai();
  trace.Tracer(u"quatre", 0);
  EXPECT_EQ(Contenu("t.txt"), "autre\r\nquatre\r\n");
}

TEST_F(TraceSimple, UnNomRelatifSuitLeDossierCourant) {
  fs::create_directories(FDossier.Chemin() / "a");
  fs::create_directories(FDossier.Chemin() / "b");
  const fs::path courant = fs::current_path();
  TTraceSimple trace(u"t", u"rel.txt", false, 1, false);
  fs::current_path(FDossier.Chemin() / "a");
  trace.Tracer(u"dans a", 0);
  fs::current_path(FDossier.Chemin() / "b");
  trace.Tracer(u"dans b", 0);
  fs::current_path(courant);
  EXPECT_EQ(Contenu("a/rel.txt"), "dans a\r\n");
  EXPECT_EQ(Contenu("b/rel.txt"), "dans b\r\n");
}

class TTraceNomVariable : public TTraceSimple {
 public:
  TTraceNomVariable(std::u16string ANom) : TTraceSimple(u"v", u"", false, 1, false), FNom(ANom) {}
  std::u16string GetNomFichier() const override { return FNom; }
  std::u16string FNom;
};

TEST_F(TraceSimple, LeNomDuFichierEstRedemandePourChaqueLigneEtPourEffacer) {
  TTraceNomVariable trace(Chemin("premier.txt"));
  trace.Tracer(u"un", 0);
  trace.FNom = Chemin("second.txt");
  EXPECT_EQ(trace.NomFichier(), Chemin("second.txt"));
  trace.Tracer(u"deux", 0);
  EXPECT_EQ(Contenu("premier.txt"), "un\r\n");
  EXPECT_EQ(Contenu("second.txt"), "deux\r\n");
  trace.Effacer();
  EXPECT_FALSE(Existe("second.txt"));
  EXPECT_TRUE(Existe("premier.txt"));
}

TEST_F(TraceSimple, LesOperationsParNomVisentLaPlusAncienneTraceDeCeNom) {
  auto premiere = std::make_unique<TTraceSimple>(u"double", Chemin("1.txt"), false, 1, false);
  TTraceSimple seconde(u"double", Chemin("2.txt"), false, 1, false);
  TTraceSimple casse(u"Double", Chemin("3.txt"), false, 1, false);

  TTraceSimple::Activer(u"double", 1);
  EXPECT_EQ(premiere->Niveau(), 1);
  EXPECT_EQ(seconde.Niveau(), 0);
  EXPECT_TRUE(TTraceSimple::EstActive(u"double", 1));
  EXPECT_FALSE(TTraceSimple::EstActive(u"double", 2));
  TTraceSimple::Indenter(u"double");
  TTraceSimple::Tracer(u"double", u"a", 1);
  TTraceSimple::FormatterEtTracer(u"double", u"b%d", {2}, 1);
  TTraceSimple::Desindenter(u"double");
  TTraceSimple::TracerSi(u"double", u"c", true, 1);
  TTraceSimple::TracerSi(u"double", u"pas c", false, 1);
  TTraceSimple::Desactiver(u"double");
  EXPECT_EQ(premiere->Niveau(), 0);
  TTraceSimple::Tracer(u"double", u"pas d", 1);
  EXPECT_EQ(Contenu("1.txt"), "  a\r\n  b2\r\nc\r\n");
  TTraceSimple::Effacer(u"double");
  EXPECT_FALSE(Existe("1.txt"));

  premiere.reset();
  TTraceSimple::Tracer(u"double", u"e", 0);
  EXPECT_EQ(Contenu("2.txt"), "e\r\n");
  EXPECT_FALSE(Existe("3.txt"));
}

TEST_F(TraceSimple, UnNomQuAucuneTraceNePorteNeFaitRien) {
  TTraceSimple trace(u"presente", Chemin("t.txt"), false, 1, true);
  const std::u16string_view absente = u"absente";
  EXPECT_FALSE(TTraceSimple::EstActive(absente, -1000));
  TTraceSimple::Activer(absente, 1);
  TTraceSimple::Indenter(absente);
  TTraceSimple::Tracer(absente, u"a", 0);
  TTraceSimple::TracerSi(absente, u"b", true, 0);
  TTraceSimple::FormatterEtTracer(absente, u"%d", {u"mauvais"}, 0);
  TTraceSimple::Desactiver(absente);
  TTraceSimple::Effacer(absente);
  EXPECT_EQ(trace.Niveau(), 0);
  EXPECT_FALSE(TTraceSimple::EstActive(u"Presente", 0));
  EXPECT_FALSE(Existe("t.txt"));
}

TEST_F(TraceSimple, LesTracesEncoreEnVieSontDetruitesEnFinDeProcessus) {
  const std::string fichier = (FDossier.Chemin() / "t.txt").string();
  const tests::TypeResultat resultat = LancerAide({"finir", fichier});
  EXPECT_EQ(resultat.CodeSortie, 0) << resultat.Erreur;
  EXPECT_EQ(resultat.Erreur, "");
  EXPECT_EQ(Contenu("t.txt"),
            "Trace activée (1).\r\n"      // a
            "  Trace activée (2).\r\n"    // b
            "Trace activée (1).\r\n"      // c
            "Trace désactivée.\r\n"       // c, deleted
            "    Trace activée (3).\r\n"  // the static one
            "    Trace désactivée.\r\n"   // the static one, destroyed at exit
            "  Trace désactivée.\r\n"     // b, by the late phase, newest first
            "Trace désactivée.\r\n");     // a
}

}  // namespace
}  // namespace kv
