// The XML parameter store, its file in a temporary common-data folder.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "environnement/ImplDossierSpecial.h"
#include "environnement/ImplPersistanceParametresXml.h"
#include "environnement/InformationEssai.h"
#include "outils/EnvironnementIsole.h"
#include "outils/ProcessusEnfant.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using enum TypeNiveauDossierSpecial;

const char16_t Modele[] =
    u"<Parametres><Defauts version=\"4\"><Couleur>bleu</Couleur></Defauts>"
    u"<Affichage version=\"9\"/></Parametres>";

std::string Lire(const fs::path& AChemin) {
  std::ifstream fichier(AChemin, std::ios::binary);
  std::ostringstream contenu;
  contenu << fichier.rdbuf();
  return contenu.str();
}

std::string Texte(pugi::xml_node ANoeud) { return ANoeud.text().get(); }

class PersistanceXml : public testing::Test {
 protected:
  TRef<TPersistanceParametresXml> Persistance(TypeVersion AVersion = {2, 1},
                                              std::u16string_view AModele = {}) const {
    return Nouveau<TPersistanceParametresXml>(FDossiers.Get(), NDS_Application, u"Essai.xml",
                                              std::move(AVersion), AModele);
  }

  fs::path Dossier() const { return FEnvironnement.Communes() / "Korvel/Essai/CLIENT"; }
  fs::path Fichier() const { return Dossier() / "Essai.xml"; }

  std::set<std::string> Entrees() const {
    std::set<std::string> noms;
    for (const auto& entree : fs::directory_iterator(Dossier())) {
      noms.insert(entree.path().filename().string());
    }
    return noms;
  }

  void Deposer(const std::string& AContenu) const {
    fs::create_directories(Dossier());
    std::ofstream(Fichier(), std::ios::binary) << AContenu;
  }

  tests::TEnvironnementIsole FEnvironnement;
  TRef<TDossierSpecial> FDossiers =
      Nouveau<TDossierSpecial>(tests::InformationEssai().Get(), nullptr, nullptr);
};

TEST_F(PersistanceXml, LeFichierEstDansLeDossierDeSonNiveau) {
  const auto persistance = Persistance();
  EXPECT_EQ(persistance->Fichier(), tests::TEnvironnementIsole::EnCadriciel(Fichier()));
  EXPECT_EQ(persistance->GetNiveauDossierSpecial(), NDS_Application);
  EXPECT_FALSE(fs::exists(FEnvironnement.Communes())) << "nothing touched before a write";
}

TEST_F(PersistanceXml, SansFichierUnDocumentNeuf) {
  const auto persistance = Persistance();
  persistance->LireFichier();
  EXPECT_FALSE(persistance->GetCorrompu());
  EXPECT_EQ(persistance->GetVersion(), (TypeVersion{2, 1}));
  EXPECT_STREQ(persistance->GetNodeRoot().name(), "Parametres");
  EXPECT_FALSE(fs::exists(Fichier()));
}

TEST_F(PersistanceXml, AllerRetourParLeFichier) {
  {
    const auto persistance = Persistance();
    persistance->LireFichier();
    persistance->AjouterNoeud(u"Affichage", 3, false).append_child("Police").text().set("Sans");
    persistance->AjouterNoeud(u"Comptes/Banque", -2, false)
        .text()
        .set(plateforme::VersUtf8(u"Crédit € \U0001D11E <&>").c_str());
    EXPECT_TRUE(persistance->EcrireFichier());
  }
  EXPECT_EQ(Entrees(), std::set<std::string>{"Essai.xml"});

  const auto relue = Persistance();
  relue->LireFichier();
  EXPECT_FALSE(relue->GetCorrompu());
  EXPECT_EQ(relue->GetVersion(), (TypeVersion{2, 1}));
  pugi::xml_node noeud;
  bool modele = true;
  std::int32_t version = 0;
  ASSERT_TRUE(relue->AtteindreNoeud(u"Comptes/Banque", noeud, modele, version));
  EXPECT_FALSE(modele);
  EXPECT_EQ(version, -2);
  EXPECT_EQ(plateforme::DepuisUtf8(Texte(noeud)), u"Crédit € \U0001D11E <&>");
  ASSERT_TRUE(relue->AtteindreNoeud(u"Affichage", noeud, modele, version));
  EXPECT_EQ(version, 3);
  EXPECT_EQ(Texte(noeud.child("Police")), "Sans");
  EXPECT_EQ(&relue->GetDocument(), &relue->GetDocument());
  EXPECT_EQ(relue->GetDocument().document_element(), relue->GetNodeRoot());
}

// The document keeps the version of the format it was written in until this
// store writes it in its own.
TEST_F(PersistanceXml, LaVersionDuDocumentEstCelleDuFichierJusquALEcriture) {
  const auto ancienne = Persistance({1});
  ancienne->LireFichier();
  ASSERT_TRUE(ancienne->EcrireFichier());
  const auto nouvelle = Persistance({2, 1});
  nouvelle->LireFichier();
  EXPECT_EQ(nouvelle->GetVersion(), TypeVersion{1});
  ASSERT_TRUE(nouvelle->EcrireFichier());
  EXPECT_EQ(nouvelle->GetVersion(), (TypeVersion{2, 1}));
  const auto relue = Persistance({3});
  relue->LireFichier();
  EXPECT_EQ(relue->GetVersion(), (TypeVersion{2, 1}));
}

struct TypeCasAjout {
  const char* Nom;
  std::int32_t Version;
  bool Recreer;
  bool Garde;  // the existing content is kept
};

class AjoutNoeud : public PersistanceXml, public testing::WithParamInterface<TypeCasAjout> {};

TEST_P(AjoutNoeud, UnNoeudPresentEstVideSiOnLeRecreeOuQueSaVersionChange) {
  const auto persistance = Persistance();
  pugi::xml_node noeud = persistance->AjouterNoeud(u"Section/Sous", 5, false);
  noeud.append_child("Valeur").text().set("1");
  noeud.append_attribute("autre") = "a";
  const pugi::xml_node encore =
      persistance->AjouterNoeud(u"Section/Sous", GetParam().Version, GetParam().Recreer);
  EXPECT_EQ(encore, noeud);
  EXPECT_EQ(static_cast<bool>(encore.child("Valeur")), GetParam().Garde);
  EXPECT_EQ(static_cast<bool>(encore.attribute("autre")), GetParam().Garde);
  EXPECT_EQ(encore.attribute("version").as_int(), GetParam().Version);
  EXPECT_FALSE(encore.parent().attribute("version")) << "levels on the way have no version";
  EXPECT_EQ(persistance->GetNodeRoot().select_nodes("Section").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cas, AjoutNoeud,
                         testing::Values(TypeCasAjout{"MemeVersion", 5, false, true},
                                         TypeCasAjout{"Recreer", 5, true, false},
                                         TypeCasAjout{"AutreVersion", 6, false, false}),
                         [](const auto& AInfo) { return std::string(AInfo.param.Nom); });

TEST_F(PersistanceXml, UnNoeudAbsentSeCherchePuisDansLeModele) {
  const auto persistance = Persistance({2, 1}, Modele);
  pugi::xml_node noeud;
  bool modele = true;
  std::int32_t version = 7;
  EXPECT_FALSE(persistance->AtteindreNoeud(u"Absent/Ici", noeud, modele, version));
  EXPECT_FALSE(noeud);
  EXPECT_FALSE(modele);
  EXPECT_EQ(version, 0);

  ASSERT_TRUE(persistance->AtteindreNoeud(u"Defauts/Couleur", noeud, modele, version));
  EXPECT_TRUE(modele);
  EXPECT_EQ(Texte(noeud), "bleu");
  EXPECT_EQ(version, 0) << "no version attribute";
  ASSERT_TRUE(persistance->AtteindreNoeud(u"Defauts", noeud, modele, version));
  EXPECT_EQ(version, 4);

  persistance->AjouterNoeud(u"Affichage", 1, false);
  ASSERT_TRUE(persistance->AtteindreNoeud(u"Affichage", noeud, modele, version));
  EXPECT_FALSE(modele) << "the document's own node comes first";
  EXPECT_EQ(version, 1);

  ASSERT_TRUE(persistance->EcrireFichier());
  EXPECT_EQ(Lire(Fichier()).find("Defauts"), std::string::npos) << "the model is never written";
}

TEST_F(PersistanceXml, UneVersionIllisibleVautZero) {
  const auto persistance = Persistance();
  persistance->AjouterNoeud(u"A", 1, false).attribute("version") = "12abc";
  pugi::xml_node noeud;
  bool modele = false;
  std::int32_t version = 7;
  ASSERT_TRUE(persistance->AtteindreNoeud(u"A", noeud, modele, version));
  EXPECT_EQ(version, 0);
}

class NomInvalide : public PersistanceXml, public testing::WithParamInterface<std::u16string> {};

TEST_P(NomInvalide, EstRefuse) {
  const auto persistance = Persistance();
  pugi::xml_node noeud;
  bool modele = false;
  std::int32_t version = 0;
  EXPECT_THROW(persistance->AtteindreNoeud(GetParam(), noeud, modele, version), EArgumentInvalide);
  EXPECT_THROW(persistance->AjouterNoeud(GetParam(), 1, false), EArgumentInvalide);
  ASSERT_TRUE(persistance->EcrireFichier());
  const auto relue = Persistance();
  relue->LireFichier();
  EXPECT_FALSE(relue->GetCorrompu()) << "nothing unreadable was written";
}

INSTANTIATE_TEST_SUITE_P(Cas, NomInvalide,
                         testing::Values(u"", u"a//b", u"/a", u"a/", u"TypeVersion",
                                         u"TypeVersion/Numero", u"1a", u"-a", u"a b", u"a:b",
                                         u"a<b", u"a\"b", u"a&b", u"a\\b", u"\xD800"));

TEST_F(PersistanceXml, LesNomsXmlSontAdmis) {
  const auto persistance = Persistance();
  for (const std::u16string nom : {u"Été", u"_a-b.c9", u"a/TypeVersion"}) {
    persistance->AjouterNoeud(nom, 1, false);
  }
  ASSERT_TRUE(persistance->EcrireFichier());
  const auto relue = Persistance();
  relue->LireFichier();
  pugi::xml_node noeud;
  bool modele = false;
  std::int32_t version = 0;
  EXPECT_TRUE(relue->AtteindreNoeud(u"Été", noeud, modele, version));
  EXPECT_TRUE(relue->AtteindreNoeud(u"a/TypeVersion", noeud, modele, version));
}

class FichierCorrompu : public PersistanceXml, public testing::WithParamInterface<std::string> {};

TEST_P(FichierCorrompu, ResteIntactJusquAEffacerLaCorruption) {
  Deposer(GetParam());
  const auto persistance = Persistance();
  persistance->LireFichier();
  EXPECT_TRUE(persistance->GetCorrompu());
  EXPECT_EQ(persistance->GetVersion(), (TypeVersion{2, 1})) << "a new document in memory";
  EXPECT_FALSE(persistance->GetNodeRoot().first_child().next_sibling());
  persistance->AjouterNoeud(u"Neuf", 1, false);
  EXPECT_FALSE(persistance->EcrireFichier());
  EXPECT_EQ(Lire(Fichier()), GetParam());

  persistance->EffacerCorruption();
  EXPECT_FALSE(persistance->GetCorrompu());
  EXPECT_EQ(Lire(Dossier() / "Essai.xml.corrompu"), GetParam());
  EXPECT_TRUE(persistance->EcrireFichier());
  const auto relue = Persistance();
  relue->LireFichier();
  EXPECT_FALSE(relue->GetCorrompu());
  pugi::xml_node noeud;
  bool modele = false;
  std::int32_t version = 0;
  EXPECT_TRUE(relue->AtteindreNoeud(u"Neuf", noeud, modele, version));
}

INSTANTIATE_TEST_SUITE_P(
    Cas, FichierCorrompu,
    testing::Values("", "pas du XML", "<Parametres>", "<Autre/>",
                    "<Parametres><TypeVersion><Numero>x</Numero></TypeVersion></Parametres>",
                    "<Parametres><TypeVersion><Numero>4294967296</Numero></TypeVersion>"
                    "</Parametres>"));

TEST_F(PersistanceXml, ReInitialiserPeutGarderLAncienFichier) {
  Deposer("<Parametres><A/></Parametres>");
  const auto persistance = Persistance();
  persistance->LireFichier();
  persistance->ReInitialiserDocument(false);
  EXPECT_EQ(Lire(Fichier()), "<Parametres><A/></Parametres>") << "left until the next write";
  pugi::xml_node noeud;
  bool modele = false;
  std::int32_t version = 0;
  EXPECT_FALSE(persistance->AtteindreNoeud(u"A", noeud, modele, version));

  persistance->ReInitialiserDocument(true);
  EXPECT_EQ(Entrees(), std::set<std::string>{"Essai.xml.ancien"});
  EXPECT_EQ(Lire(Dossier() / "Essai.xml.ancien"), "<Parametres><A/></Parametres>");
  EXPECT_TRUE(persistance->EcrireFichier());
  EXPECT_EQ(Entrees(), (std::set<std::string>{"Essai.xml", "Essai.xml.ancien"}));
}

TEST_F(PersistanceXml, ReInitialiserEffaceLaCorruption) {
  Deposer("illisible");
  const auto persistance = Persistance();
  persistance->LireFichier();
  ASSERT_TRUE(persistance->GetCorrompu());
  persistance->ReInitialiserDocument(true);
  EXPECT_FALSE(persistance->GetCorrompu());
  EXPECT_TRUE(persistance->EcrireFichier());
  EXPECT_EQ(Lire(Dossier() / "Essai.xml.ancien"), "illisible");
}

TEST_F(PersistanceXml, UnFichierIllisibleEstUneErreurDeLecture) {
  fs::create_directories(Fichier());
  const auto persistance = Persistance();
  persistance->AjouterNoeud(u"Garde", 1, false);
  EXPECT_THROW(persistance->LireFichier(), ELectureParametres);
  EXPECT_FALSE(persistance->GetCorrompu());
  pugi::xml_node noeud;
  bool modele = false;
  std::int32_t version = 0;
  EXPECT_TRUE(persistance->AtteindreNoeud(u"Garde", noeud, modele, version)) << "unchanged";
  EXPECT_THROW(persistance->EcrireFichier(), EEcritureParametres);
  EXPECT_TRUE(fs::is_directory(Fichier()));
}

TEST_F(PersistanceXml, UnDossierImpossibleEmpecheLEcriture) {
  std::ofstream(FEnvironnement.Racine() / "fichier") << "x";
  const tests::TVariableTemporaire communes("KV_DONNEES_COMMUNES",
                                            (FEnvironnement.Racine() / "fichier").string());
  const auto dossiers = Nouveau<TDossierSpecial>(tests::InformationEssai().Get(), nullptr, nullptr);
  const auto persistance =
      Nouveau<TPersistanceParametresXml>(dossiers.Get(), NDS_Produit, u"Essai.xml", TypeVersion{1});
  EXPECT_THROW(persistance->EcrireFichier(), ECreationDossier);
}

// The disk fills up in the middle of the new document: the child's file size
// is limited, so that its write really fails.
TEST_F(PersistanceXml, UneEcritureInterrompueLaisseLAncienDocument) {
  const auto persistance = Persistance();
  persistance->AjouterNoeud(u"Garde", 1, false).text().set("ancien");
  ASSERT_TRUE(persistance->EcrireFichier());
  const std::string avant = Lire(Fichier());

  tests::TypeLancement lancement;
  lancement.Executable = SONDE_DOSSIERS;
  lancement.Arguments = {"ecriture-limitee", "4096"};
  const tests::TypeResultat resultat = tests::Lancer(lancement);

  EXPECT_EQ(resultat.CodeSortie, 1) << resultat.Sortie << resultat.Erreur;
  EXPECT_EQ(resultat.Sortie, "EEcritureParametres: Impossible d'enregistrer les paramètres « " +
                                 Fichier().string() + " » (écriture) : " + std::strerror(EFBIG) +
                                 ".\n");
  EXPECT_EQ(Lire(Fichier()), avant);
  EXPECT_EQ(Entrees(), std::set<std::string>{"Essai.xml"}) << "no temporary file left";
}

TEST_F(PersistanceXml, NomDeFichierEtModeleInvalidesSontRefuses) {
  for (const std::u16string nom : {u"", u"a/b", u"a\\b", u"..", u"a:b", u"a*", u"a<b"}) {
    EXPECT_THROW(
        Nouveau<TPersistanceParametresXml>(FDossiers.Get(), NDS_Produit, nom, TypeVersion{1}),
        EArgumentInvalide)
        << plateforme::VersUtf8(nom);
  }
  EXPECT_THROW(Persistance({1}, u"<Autre/>"), EArgumentInvalide);
  EXPECT_THROW(Persistance({1}, u"<Parametres>"), EArgumentInvalide);
  EXPECT_THROW(Nouveau<TPersistanceParametresXml>(nullptr, NDS_Produit, u"a.xml", TypeVersion{1}),
               EArgumentInvalide);
}

}  // namespace
}  // namespace kv
