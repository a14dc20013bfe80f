#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "application/ImplInformationApplication.h"
#include "commun/Exception.h"
#include "environnement/VersionFichier.h"
#include "outils/DossierTemporaire.h"
#include "outils/VariableTemporaire.h"
#include "plateforme/Processus.h"
#include "plateforme/Registre.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

namespace pf = plateforme;
using tests::TDossierTemporaire;
using tests::TVariableTemporaire;

constexpr TypeProduit P(int AOrdinal) { return static_cast<TypeProduit>(AOrdinal); }
constexpr TypeGenreApplication G(int AOrdinal) { return static_cast<TypeGenreApplication>(AOrdinal); }

TRef<TInformationApplication> Information(
    std::u16string ANom, TypeProduit AProduit, TypeGenreApplication AGenre, TypeVersion AVersion,
    TypeSourceEnvironnement ASource = TypeSourceEnvironnement::seAucune,
    std::uint8_t APlateforme = 1) {
  return Nouveau<TInformationApplication>(std::move(ANom), AProduit, AGenre, std::move(AVersion),
                                          APlateforme, TypePaysDistribution::pdFrance, ASource);
}

struct TypeCasTextes {
  TypeProduit Produit;
  TypeGenreApplication Genre;
  std::vector<std::uint32_t> Version;
  const char16_t* NomProduit;
  const char16_t* Titre;
  const char16_t* NomDossierGenre;
  const char16_t* Millesime;
  const char16_t* NomProduitMillesime;
};

class TextesAffiches : public testing::TestWithParam<TypeCasTextes> {};

TEST_P(TextesAffiches, SuiventLeProduitLeGenreEtLaVersion) {
  const auto& cas = GetParam();
  const auto information = Information(u"Talvane", cas.Produit, cas.Genre, TypeVersion(cas.Version));
  EXPECT_EQ(information->GetNomProduit(), cas.NomProduit);
  EXPECT_EQ(information->GetTitre(), cas.Titre);
  EXPECT_EQ(information->GetNomDossierGenre(), cas.NomDossierGenre);
  EXPECT_EQ(information->GetMillesime(), cas.Millesime);
  EXPECT_EQ(information->GetNomProduitMillesime(), cas.NomProduitMillesime);
  EXPECT_EQ(information->GetNom(), u"Talvane");
  EXPECT_FALSE(information->GetIndicateur());
}

INSTANTIATE_TEST_SUITE_P(
    Tableau, TextesAffiches,
    testing::Values(
        // The tool itself: the undefined kind shows the application's name.
        TypeCasTextes{P(8), G(13), {2024, 1, 2, 3}, u"Talvane", u"Talvane", u"", u"2024",
                      u"Talvane 2024"},
        TypeCasTextes{P(8), G(1), {}, u"OUTILS", u"Client OUTILS", u"CLIENT", u"", u"OUTILS"},
        TypeCasTextes{P(1), G(0), {26, 4}, u"GESTION", u"GESTION Monoposte", u"MONOPOSTE", u"2015",
                      u"GESTION 2015"},
        TypeCasTextes{P(2), G(9), {13}, u"COMPTABILITE", u"Administration COMPTABILITE.net",
                      u"ADMINSERVEURHTTP", u"2007", u"COMPTABILITE 2007"},
        TypeCasTextes{P(11), G(11), {5}, u"PORTAIL WEB", u"Administration Service web PORTAIL WEB",
                      u"ADMINSERVICEWEB", u"5", u"PORTAIL WEB 5"},
        TypeCasTextes{P(3), G(15), {0}, u"PAIE", u"Administration PAIE.data",
                      u"ADMINCLIENTECHANGEDATA", u"1998", u"PAIE 1998"},
        TypeCasTextes{P(4), G(16), {4}, u"FACTURATION", u"FACTURATION.data", u"CLIENTECHANGEDATA",
                      u"2006", u"FACTURATION 2006"},
        TypeCasTextes{P(8), G(12), {1}, u"OUTILS", u"Application OUTILS", u"TARVELIN", u"1",
                      u"OUTILS 1"},
        TypeCasTextes{P(8), G(5), {}, u"OUTILS", u"Contrôleur OUTILS", u"CONTROLEUR", u"",
                      u"OUTILS"}));

TEST(MillesimeProduit, SuitLaTableDuProduitEtSesBornes) {
  struct Cas {
    std::uint32_t Version;
    int Produit;
    std::uint32_t Annee;
  };
  const Cas tableau[] = {
      {22, 2, 2012}, {13, 2, 2007}, {26, 1, 2015}, {26, 4, 26},   {2024, 8, 2024},
      {20, 1, 2011}, {21, 1, 2011}, {23, 1, 2012}, {24, 1, 2013}, {28, 1, 2017},
      {29, 1, 29},   {19, 1, 19},   {10, 2, 10},   {11, 2, 2005}, {16, 2, 2010},
      {21, 2, 21},   {23, 2, 23},   {0, 3, 1998},  {12, 3, 2010}, {13, 3, 13},
      {22, 3, 22},   {3, 4, 3},     {4, 4, 2006},  {15, 4, 2017}, {24, 0, 24},
  };
  for (const auto& cas : tableau) {
    EXPECT_EQ(MillesimeProduit(cas.Version, P(cas.Produit)), cas.Annee)
        << "version " << cas.Version << ", produit " << cas.Produit;
  }
}

TEST(MillesimeProduit, CalculerMillesimeAjouteLeDecalage) {
  const auto information = Information(u"X", P(2), G(1), TypeVersion({11}));
  EXPECT_EQ(information->CalculerMillesime(P(1), 26, -3), 2012);
  EXPECT_EQ(information->GetMillesimeVersion(11), 2005u);
  EXPECT_EQ(information->GetMillesimeVersionEnChaine(30), u"30");
}

struct TypeCasLibelle {
  std::vector<std::uint32_t> Version;
  std::int32_t NombreNumeros;
  TypeOptionsLibelle Options;
  int Produit;
  int Genre;
  const char16_t* Attendu;
};

class LibelleDeTalvane : public testing::TestWithParam<TypeCasLibelle> {};

TEST_P(LibelleDeTalvane, ComposeNomAnneeEtNumeros) {
  const auto& cas = GetParam();
  const auto information = Information(u"Talvane", P(8), G(13), TypeVersion({2024, 1, 2}));
  EXPECT_EQ(information->GetLibelleProduit(TypeVersion(cas.Version), cas.NombreNumeros,
                                           cas.Options, P(cas.Produit), G(cas.Genre)),
            cas.Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Tableau, LibelleDeTalvane,
    testing::Values(
        TypeCasLibelle{{2024, 1, 2}, 2, 0, 8, 13, u"Talvane 2024.1.2"},
        TypeCasLibelle{{2024, 1, 2}, 1, 0, 8, 13, u"Talvane 2024"},
        // Past the year, every remaining number is shown, whatever the count.
        TypeCasLibelle{{2024, 1, 2}, 5, 0, 8, 13, u"Talvane 2024.1.2"},
        TypeCasLibelle{{2024}, 2, 0, 8, 13, u"Talvane 2024."},
        TypeCasLibelle{{12, 3}, 2, 0, 8, 13, u"Talvane - 12.3"},
        TypeCasLibelle{{12}, 3, 0, 8, 13, u"Talvane - 12.0.0"},
        TypeCasLibelle{{}, 1, 0, 8, 13, u"Talvane - 0"},
        TypeCasLibelle{{2024, 1}, 0, 0, 8, 13, u"Talvane"},
        TypeCasLibelle{{2024, 1}, 2, olSansNom, 8, 13, u" 2024.1"},
        TypeCasLibelle{{2024}, 1, olPlateforme, 8, 13, u"Talvane 2024 (64bit)"},
        TypeCasLibelle{{2024}, 1, olTitre, 8, 13, u"Talvane 2024"},
        // Another kind of the same product: its title from the product name.
        TypeCasLibelle{{2024}, 1, olTitre, 8, 1, u"Client Talvane 2024"},
        // Another product: its own display name, its own vintage table.
        TypeCasLibelle{{13, 4}, 2, 0, 2, 13, u"COMPTABILITE 2007.4"},
        TypeCasLibelle{{13, 4}, 2, olTitre, 2, 2, u"Serveur COMPTABILITE 2007.4"},
        // Product 1 with 22.0 or 23.0 is read as products 2 and 3.
        TypeCasLibelle{{22, 0, 7}, 3, 0, 1, 13, u"COMPTABILITE 2012.0.7"},
        TypeCasLibelle{{23}, 1, 0, 1, 13, u"PAIE 2012"},
        TypeCasLibelle{{22, 1}, 2, 0, 1, 13, u"GESTION 2012.1"}));

TEST(Libelle, LeProduitUnPrendLeProduitDeLApplicationQuandCelleCiEnEstUneVariante) {
  const auto paie = Information(u"X", P(3), G(1), TypeVersion({24}));
  EXPECT_EQ(paie->GetLibelleProduit(TypeVersion({24, 0}), 2, 0, P(1), G(1)), u"PAIE 2013.0");
  const auto stocks = Information(u"X", P(5), G(1), TypeVersion({24}));
  EXPECT_EQ(stocks->GetLibelleProduit(TypeVersion({24, 0}), 2, 0, P(1), G(1)), u"GESTION 2013.0");
}

TEST(Libelle, LaPlateformeEtLesRaccourcisPassentParLaVersionDeLApplication) {
  const auto information = Information(u"Talvane", P(8), G(13), TypeVersion({2024, 5}),
                                       TypeSourceEnvironnement::seAucune, 0);
  EXPECT_EQ(information->GetLibelle(2, olPlateforme), u"Talvane 2024.5 (32bit)");
  EXPECT_EQ(information->GetLibelleVersion(TypeVersion({7}), 2, 0), u"Talvane - 7.0");
}

// Every test of the environment works on hives of its own.
class Environnement : public testing::Test {
 protected:
  TDossierTemporaire FDossier;
  TVariableTemporaire FRucheUtilisateur{"KV_REGISTRE_UTILISATEUR", FDossier.Chemin().string()};
  TVariableTemporaire FVariable{"KV_ENVIRONNEMENT", std::nullopt};

  static void EcrireRegistre(const pf::TValeurRegistre& AValeur) {
    pf::TCleRegistre::OuvrirOuCreer(pf::TypeRacineRegistre::rrUtilisateurCourant,
                                    CleEnvironnementDeploiement)
        .EcrireValeur(pf::CheminModuleExecutable(), AValeur);
  }
  static TypeEnvironnementDeploiement Lu(TypeSourceEnvironnement ASource) {
    return Information(u"Talvane", P(8), G(13), TypeVersion({1}), ASource)
        ->GetEnvironnementDeploiement();
  }
};

using TE = TypeEnvironnementDeploiement;
using TS = TypeSourceEnvironnement;

TEST_F(Environnement, LaVariableNeCompteQuAvecSaSource) {
  struct Cas {
    std::optional<std::string> Valeur;
    TS Source;
    TE Attendu;
  };
  const Cas tableau[] = {
      {"development", TS::seVariable, TE::edDevelopment},
      {"DEVELOPMENT", TS::seVariable, TE::edDevelopment},
      {"Staging", TS::seVariable, TE::edStaging},
      {"test", TS::seVariable, TE::edProduction},
      {"", TS::seVariable, TE::edProduction},
      {std::nullopt, TS::seVariable, TE::edProduction},
      {"development", TS::seAucune, TE::edProduction},
      {"development", TS::seRegistre, TE::edProduction},
  };
  for (const auto& cas : tableau) {
    TVariableTemporaire variable("KV_ENVIRONNEMENT", cas.Valeur);
    EXPECT_EQ(Lu(cas.Source), cas.Attendu) << cas.Valeur.value_or("(absente)");
  }
}

TEST_F(Environnement, LaValeurDuRegistreEstNommeeDApresLExecutable) {
  struct Cas {
    pf::TValeurRegistre Valeur;
    TE Attendu;
  };
  const Cas tableau[] = {
      {{pf::TypeValeurRegistre::tvChaine, u"StAgInG", 0}, TE::edStaging},
      {{pf::TypeValeurRegistre::tvChaineExtensible, u"development", 0}, TE::edDevelopment},
      {{pf::TypeValeurRegistre::tvChaine, u"test", 0}, TE::edProduction},
      {{pf::TypeValeurRegistre::tvEntier32, u"", 1}, TE::edProduction},
  };
  for (const auto& cas : tableau) {
    EcrireRegistre(cas.Valeur);
    EXPECT_EQ(Lu(TS::seRegistre), cas.Attendu) << pf::VersUtf8(cas.Valeur.Texte);
    EXPECT_EQ(Lu(TS::seVariable), TE::edProduction);
  }
}

TEST_F(Environnement, SansRucheNiValeurCEstLaProduction) {
  EXPECT_EQ(Lu(TS::seRegistre), TE::edProduction);
  pf::TCleRegistre::OuvrirOuCreer(pf::TypeRacineRegistre::rrUtilisateurCourant,
                                  CleEnvironnementDeploiement)
      .EcrireValeur(u"/autre/programme", {pf::TypeValeurRegistre::tvChaine, u"staging", 0});
  EXPECT_EQ(Lu(TS::seRegistre), TE::edProduction);
}

TEST_F(Environnement, UneRucheIllisibleLaisseLaProductionSansEchouer) {
  EcrireRegistre({pf::TypeValeurRegistre::tvChaine, u"staging", 0});
  for (const auto& entree : std::filesystem::directory_iterator(FDossier.Chemin())) {
    if (entree.is_regular_file()) std::ofstream(entree.path()) << "\xff\xfe pas une ruche [[[\n";
  }
  TRef<TInformationApplication> information;
  ASSERT_NO_THROW(information = Information(u"T", P(8), G(13), TypeVersion(), TS::seRegistre));
  EXPECT_EQ(information->GetEnvironnementDeploiement(), TE::edProduction);
  // Writing back to it fails loudly, the value in memory being set already.
  EXPECT_THROW(information->SetEnvironnementDeploiement(TE::edStaging), Exception);
  EXPECT_EQ(information->GetEnvironnementDeploiement(), TE::edStaging);
}

TEST_F(Environnement, UnChangementEstEcritDansLeRegistreSeulementQuandIlEnVient) {
  const auto registre = Information(u"T", P(8), G(13), TypeVersion(), TS::seRegistre);
  EXPECT_TRUE(registre->EnvironnementDeploiementModifiable());
  registre->SetEnvironnementDeploiement(TE::edDevelopment);
  EXPECT_EQ(Lu(TS::seRegistre), TE::edDevelopment);

  for (TS source : {TS::seAucune, TS::seVariable}) {
    const auto information = Information(u"T", P(8), G(13), TypeVersion(), source);
    EXPECT_EQ(information->EnvironnementDeploiementModifiable(), source != TS::seAucune);
    information->SetEnvironnementDeploiement(TE::edStaging);
    EXPECT_EQ(information->GetEnvironnementDeploiement(), TE::edStaging);
    EXPECT_EQ(Lu(TS::seRegistre), TE::edDevelopment);
  }
}

TEST_F(Environnement, UnEnvironnementSansNomEstRefuseSansRienChanger) {
  const auto information = Information(u"T", P(8), G(13), TypeVersion(), TS::seRegistre);
  information->SetEnvironnementDeploiement(TE::edStaging);
  EXPECT_THROW(information->SetEnvironnementDeploiement(static_cast<TE>(3)), EArgumentInvalide);
  EXPECT_EQ(information->GetEnvironnementDeploiement(), TE::edStaging);
  EXPECT_EQ(Lu(TS::seRegistre), TE::edStaging);
}

TEST(InformationDuProgramme, PrendLaVersionDeLExecutableEtLaPlateformeDuProgramme) {
  const auto information = Nouveau<TInformationApplication>(
      u"Talvane", P(8), G(13), TypePaysDistribution::pdFrance, TS::seAucune);
  const TypeVersion attendue(
      {VERSION_PROJET_MAJEURE, VERSION_PROJET_MINEURE, VERSION_PROJET_CORRECTIF, 0});
  EXPECT_TRUE(information->GetVersion() == attendue);
  EXPECT_EQ(information->GetPlateforme(), 1);
  EXPECT_EQ(information->GetEnvironnementDeploiement(), TE::edProduction);
  EXPECT_FALSE(information->EnvironnementDeploiementModifiable());
}

}  // namespace
}  // namespace kv
