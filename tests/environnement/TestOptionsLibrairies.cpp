#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

#include "environnement/OptionsLibrairies.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

using plateforme::VersUtf8;

// Counts the fields of an aggregate: the longest brace list of "anything"
// values it accepts. A nested record counts as one field.
struct TChampQuelconque {
  template <class AType>
  operator AType() const;
};

template <class AType, class... AChamps>
constexpr std::size_t NombreChamps() {
  if constexpr (requires { AType{AChamps{}..., TChampQuelconque{}}; }) {
    return NombreChamps<AType, AChamps..., TChampQuelconque>();
  } else {
    return sizeof...(AChamps);
  }
}

using O = TypeOptionsLibrairies;
static_assert(NombreChamps<O::TypeTrace>() == 2, "the counter itself must work");
static_assert(NombreChamps<O::TypeGestionThemesVCL>() == 4, "a string field counts once");

std::string Nom(const TypeDescripteurOption& AOption) {
  return VersUtf8(AOption.Groupe) + "." + VersUtf8(AOption.Champ);
}

const TypeDescripteurOption& Option(std::u16string_view AGroupe, std::u16string_view AChamp) {
  const TypeDescripteurOption* option = ChercherOption(AGroupe, AChamp);
  if (option == nullptr) throw std::logic_error("option absente : " + VersUtf8(AChamp));
  return *option;
}

// A field without a descriptor, or a descriptor too many, changes a count.
TEST(OptionsLibrairies, UnDescripteurParChamp) {
  const std::map<std::u16string_view, std::size_t> champsParGroupe = {
      {u"trace", NombreChamps<O::TypeTrace>()},
      {u"xi", NombreChamps<O::TypeXi>()},
      {u"assertions", NombreChamps<O::TypeAssertions>()},
      {u"netbase", NombreChamps<O::TypeNetbase>()},
      {u"database", NombreChamps<O::TypeDatabase>()},
      {u"resultatbase", NombreChamps<O::TypeResultatbase>()},
      {u"serveurhttp", NombreChamps<O::TypeServeurhttp>()},
      {u"reseau", NombreChamps<O::TypeReseau>()},
      {u"Interlocuteur", NombreChamps<O::TypeInterlocuteur>()},
      {u"GestionTransfertFlux", NombreChamps<O::TypeGestionTransfertFlux>()},
      {u"GuiKorvel", NombreChamps<O::TypeGuiKorvel>()},
      {u"ServiceWeb", NombreChamps<O::TypeServiceWeb>()},
      {u"GestionThemesVCL", NombreChamps<O::TypeGestionThemesVCL>()},
      {u"SuggestionSaisieFormatRNVP", NombreChamps<O::TypeSuggestionSaisieFormatRNVP>()},
  };
  std::map<std::u16string_view, std::size_t> decrits;
  for (const TypeDescripteurOption& option : DescripteursOptionsLibrairies()) {
    ++decrits[option.Groupe];
  }
  const std::size_t racine = decrits[u""];
  decrits.erase(u"");
  for (const auto& [groupe, nombre] : decrits) {
    const auto attendu = champsParGroupe.find(groupe);
    ASSERT_NE(attendu, champsParGroupe.end()) << "groupe inconnu " << VersUtf8(groupe);
    EXPECT_EQ(nombre, attendu->second) << VersUtf8(groupe);
  }
  EXPECT_EQ(decrits.size(), champsParGroupe.size());
  // The record itself: its own leaves and one field per group.
  EXPECT_EQ(racine + champsParGroupe.size(), NombreChamps<O>());
}

// Strictly increasing addresses inside the record: each descriptor reaches its
// own field, and the table lists them in field order.
TEST(OptionsLibrairies, ChaqueDescripteurAtteintSonPropreChampDansLOrdre) {
  TypeOptionsLibrairies options;
  const auto* debut = reinterpret_cast<const unsigned char*>(&options);
  const auto* fin = debut + sizeof options;
  const unsigned char* precedent = nullptr;
  for (const TypeDescripteurOption& option : DescripteursOptionsLibrairies()) {
    const auto* champ = static_cast<const unsigned char*>(option.Acces(options));
    EXPECT_TRUE(champ >= debut && champ < fin) << Nom(option);
    if (precedent != nullptr) {
      EXPECT_GT(champ, precedent) << Nom(option);
    }
    precedent = champ;
  }
}

TEST(OptionsLibrairies, AuDemarrageChaqueOptionVautSaValeurParDefaut) {
  for (const TypeDescripteurOption& option : DescripteursOptionsLibrairies()) {
    EXPECT_EQ(LireOption(option, OptionsLibrairiesCourantes),
              LireOption(option, OptionsLibrairiesParDefaut))
        << Nom(option);
  }
  EXPECT_TRUE(OptionsLibrairiesCourantes.ComparaisonsParIcu);
  EXPECT_EQ(OptionsLibrairiesCourantes.resultatbase.profondeurpileappels, -1);
  EXPECT_EQ(OptionsLibrairiesCourantes.GestionThemesVCL.fichier,
            uR"(C:\Projets\Produits\DEV\CommunProduits\Affichage\ImplGestionSkin_Theme.vsf)");
}

// Every default that is not false, zero or the first value; all others are.
TEST(OptionsLibrairies, ValeursParDefaut) {
  const std::map<std::pair<std::u16string_view, std::u16string_view>, std::u16string_view>
      nonNulles = {
          {{u"xi", u"IgnoreCheckCurrent"}, u"true"},
          {{u"xi", u"autoriseZeroDansMasqueRecherche"}, u"true"},
          {{u"xi", u"SeuilSuppressionMultiple"}, u"20"},
          {{u"resultatbase", u"profondeurpileappels"}, u"-1"},
          {{u"serveurhttp", u"ActiverKeepAlive"}, u"true"},
          {{u"reseau", u"TaillePaquetsFlux"}, u"64"},
          {{u"Interlocuteur", u"DelaiAttenteMax"}, u"30000"},
          {{u"GestionTransfertFlux", u"OptimisationCacheActivee"}, u"true"},
          {{u"GuiKorvel", u"DelaiEditabiliteDoubleClicMultilignes"}, u"160"},
          {{u"", u"ComparaisonsParIcu"}, u"true"},
          {{u"GestionThemesVCL", u"themeactif"}, u"true"},
          {{u"GestionThemesVCL", u"fichier"},
           uR"(C:\Projets\Produits\DEV\CommunProduits\Affichage\ImplGestionSkin_Theme.vsf)"},
          {{u"SuggestionSaisieFormatRNVP", u"Afficher"}, u"true"},
          {{u"", u"AutoriserParseurListeAutomatique"}, u"true"},
      };
  const std::map<TypeGenreOption, std::u16string_view> nuls = {
      {TypeGenreOption::goBooleen, u"false"},
      {TypeGenreOption::goEntierSigne, u"0"},
      {TypeGenreOption::goEntierNonSigne, u"0"}};
  std::size_t trouvees = 0;
  for (const TypeDescripteurOption& option : DescripteursOptionsLibrairies()) {
    const std::u16string valeur = LireOption(option, OptionsLibrairiesParDefaut);
    const auto nonNulle = nonNulles.find({option.Groupe, option.Champ});
    if (nonNulle != nonNulles.end()) {
      ++trouvees;
      EXPECT_EQ(valeur, nonNulle->second) << Nom(option);
    } else if (option.Genre == TypeGenreOption::goEnumeration) {
      EXPECT_EQ(valeur, option.NomsValeurs[0]) << Nom(option);
    } else {
      EXPECT_EQ(valeur, nuls.at(option.Genre)) << Nom(option);
    }
  }
  EXPECT_EQ(trouvees, nonNulles.size());
}

TEST(OptionsLibrairies, NomDuGroupeEtDescriptions) {
  EXPECT_EQ(DeclNomOptionsLibrairies.Description(), u"Options Librairies");
  for (const TypeDescripteurOption& option : DescripteursOptionsLibrairies()) {
    EXPECT_FALSE(option.Declaration.Description().empty()) << Nom(option);
  }
  EXPECT_EQ(Option(u"xi", u"IgnoreCheckCurrent").Declaration.Description(),
            uR"(ignore interdiction usage article "courant")");
  EXPECT_EQ(Option(u"reseau", u"TaillePaquetsFlux").Declaration.Description(),
            uR"(Taille des "paquets" lors de l'envoi de flux (en Ko))");
  EXPECT_EQ(Option(u"resultatbase", u"profondeurpileappels").Declaration.Description(),
            u"Profondeur pile d'appels (-1 pour tracer la pile complète)");
  EXPECT_EQ(Option(u"", u"ComparaisonsParIcu").Declaration.Description(),
            u"Passe par la dll ICU pour les comparaisons de chaînes (valeur prise en compte au "
            u"démarrage uniquement)");
}

TEST(OptionsLibrairies, RechercheParGroupeEtChamp) {
  const TypeDescripteurOption* option = ChercherOption(u"resultatbase", u"profondeurpileappels");
  ASSERT_NE(option, nullptr);
  EXPECT_EQ(option->Genre, TypeGenreOption::goEntierSigne);
  EXPECT_EQ(ChercherOption(u"", u"ComparaisonsParIcu")->Genre, TypeGenreOption::goBooleen);
  EXPECT_EQ(ChercherOption(u"xi", u"decalagenumeros")->Genre, TypeGenreOption::goEnumeration);
  EXPECT_EQ(ChercherOption(u"GestionThemesVCL", u"fichier")->Genre, TypeGenreOption::goChaine);
  EXPECT_EQ(ChercherOption(u"reseau", u"TaillePaquetsFlux")->Genre,
            TypeGenreOption::goEntierNonSigne);
  // A field is found in its own group only, and names keep their case.
  EXPECT_EQ(ChercherOption(u"trace", u"debugxi"), nullptr);
  EXPECT_EQ(ChercherOption(u"", u"actif"), nullptr);
  EXPECT_EQ(ChercherOption(u"Trace", u"actif"), nullptr);
  EXPECT_EQ(ChercherOption(u"inconnu", u"actif"), nullptr);
}

TEST(OptionsLibrairies, AccesType) {
  TypeOptionsLibrairies options = OptionsLibrairiesParDefaut;
  const TypeDescripteurOption& profondeur = Option(u"resultatbase", u"profondeurpileappels");
  ASSERT_NE(ChampOption<std::int32_t>(profondeur, options), nullptr);
  *ChampOption<std::int32_t>(profondeur, options) = 12;
  EXPECT_EQ(options.resultatbase.profondeurpileappels, 12);
  EXPECT_EQ(ChampOption<std::uint32_t>(profondeur, options), nullptr);
  EXPECT_EQ(ChampOption<bool>(profondeur, options), nullptr);

  const TypeDescripteurOption& decalage = Option(u"xi", u"decalagenumeros");
  EXPECT_EQ(ChampOption<TypeOptionAssert>(decalage, options), nullptr);
  ASSERT_NE(ChampOption<TypeOptionDecalage>(decalage, options), nullptr);
  EXPECT_EQ(ChampOption<TypeOptionDecalage>(decalage, options), &options.xi.decalagenumeros);
}

struct TypeEcriture {
  std::u16string_view Groupe;
  std::u16string_view Champ;
  std::u16string_view Texte;
  std::u16string_view Relu;
};

TEST(OptionsLibrairies, EcritureEnTexte) {
  const TypeEcriture cas[] = {
      {u"", u"debug", u"true", u"true"},
      {u"", u"debug", u"TRUE", u"true"},
      {u"serveurhttp", u"ActiverKeepAlive", u"False", u"false"},
      {u"xi", u"SeuilSuppressionMultiple", u"-2147483648", u"-2147483648"},
      {u"xi", u"SeuilSuppressionMultiple", u"2147483647", u"2147483647"},
      {u"xi", u"SeuilSuppressionMultiple", u"007", u"7"},
      {u"reseau", u"TaillePaquetsFlux", u"4294967295", u"4294967295"},
      {u"reseau", u"TaillePaquetsFlux", u"0", u"0"},
      {u"xi", u"decalagenumeros", u"cDecalageFixe", u"cDecalageFixe"},
      {u"assertions", u"OptionAssertAutreThread", u"cAssertDialogue", u"cAssertDialogue"},
      {u"GestionThemesVCL", u"fichier", u"", u""},
      {u"GestionThemesVCL", u"fichier", u"thème sombre.vsf", u"thème sombre.vsf"},
  };
  for (const TypeEcriture& c : cas) {
    TypeOptionsLibrairies options = OptionsLibrairiesParDefaut;
    const TypeDescripteurOption& option = Option(c.Groupe, c.Champ);
    EcrireOption(option, options, c.Texte);
    EXPECT_EQ(LireOption(option, options), c.Relu) << Nom(option) << " " << VersUtf8(c.Texte);
  }
  TypeOptionsLibrairies options = OptionsLibrairiesParDefaut;
  EcrireOption(Option(u"xi", u"decalagenumeros"), options, u"cDecalageAleatoire");
  EXPECT_EQ(options.xi.decalagenumeros, TypeOptionDecalage::cDecalageAleatoire);
}

TEST(OptionsLibrairies, TexteInvalideRefuseSansRienModifier) {
  const TypeEcriture cas[] = {
      {u"", u"debug", u"vrai", {}},
      {u"", u"debug", u"", {}},
      {u"", u"debug", u"1", {}},
      {u"xi", u"SeuilSuppressionMultiple", u"2147483648", {}},
      {u"xi", u"SeuilSuppressionMultiple", u"-2147483649", {}},
      {u"xi", u"SeuilSuppressionMultiple", u"99999999999999999999999", {}},
      {u"xi", u"SeuilSuppressionMultiple", u"12a", {}},
      {u"xi", u"SeuilSuppressionMultiple", u" 12", {}},
      {u"xi", u"SeuilSuppressionMultiple", u"-", {}},
      {u"xi", u"SeuilSuppressionMultiple", u"+5", {}},
      {u"reseau", u"TaillePaquetsFlux", u"-1", {}},
      {u"reseau", u"TaillePaquetsFlux", u"-0", {}},
      {u"reseau", u"TaillePaquetsFlux", u"4294967296", {}},
      {u"reseau", u"TaillePaquetsFlux", u"", {}},
      {u"xi", u"decalagenumeros", u"cdecalagefixe", {}},
      {u"xi", u"decalagenumeros", u"2", {}},
      {u"xi", u"decalagenumeros", u"cAssertStd", {}},
  };
  for (const TypeEcriture& c : cas) {
    TypeOptionsLibrairies options = OptionsLibrairiesParDefaut;
    const TypeDescripteurOption& option = Option(c.Groupe, c.Champ);
    EXPECT_THROW(EcrireOption(option, options, c.Texte), EValeurOptionInvalide)
        << Nom(option) << " " << VersUtf8(c.Texte);
    EXPECT_EQ(LireOption(option, options), LireOption(option, OptionsLibrairiesParDefaut))
        << Nom(option);
  }
}

TEST(OptionsLibrairies, MessageDuRefus) {
  TypeOptionsLibrairies options;
  try {
    EcrireOption(Option(u"xi", u"decalagenumeros"), options, u"fixe");
    FAIL() << "refus attendu";
  } catch (const EValeurOptionInvalide& e) {
    EXPECT_EQ(e.Message(),
              u"La valeur \"fixe\" n'est pas valide pour l'option xi.decalagenumeros : une des "
              u"valeurs cDecalageAucun, cDecalageAleatoire, cDecalageFixe attendu.");
  }
  try {
    EcrireOption(Option(u"", u"debug"), options, u"oui");
    FAIL() << "refus attendu";
  } catch (const EValeurOptionInvalide& e) {
    EXPECT_EQ(e.Message(),
              u"La valeur \"oui\" n'est pas valide pour l'option debug : true ou false attendu.");
  }
}

}  // namespace
}  // namespace kv
