#include <gtest/gtest.h>

#include <cstdint>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "FormateurEnregistreur.h"
#include "SurveillanceAllocations.h"
#include "commun/Format.h"
#include "environnement/TypeVersion.h"
#include "serialisation/FluxMemoire.h"
#include "serialisation/FormateurBinaire.h"

namespace kv {
namespace {

using tests::TFormateurEnregistreur;
using TypeGenre = TFormateurEnregistreur::TypeGenre;
using TypeNumeros = TypeVersion::TypeNumeros;

std::string EnTexte(const pugi::xml_node& ANoeud) {
  std::ostringstream flux;
  ANoeud.print(flux, "", pugi::format_raw);
  return flux.str();
}

TEST(TypeVersionFormateur, EcritLeNombrePuisChaqueNumero) {
  TFormateurEnregistreur formateur;
  TypeVersion{7, 4294967295u, 0}.Serialiser(formateur);
  const std::vector<TFormateurEnregistreur::TypeValeur> attendues = {
      {TypeGenre::Entier, 3},
      {TypeGenre::Cardinal, 7},
      {TypeGenre::Cardinal, 4294967295u},
      {TypeGenre::Cardinal, 0}};
  EXPECT_EQ(formateur.Valeurs, attendues);
}

TEST(TypeVersionFormateur, AllerRetour) {
  for (const TypeVersion& version : {TypeVersion{}, TypeVersion{0}, TypeVersion{1, 2, 3},
                                     TypeVersion{4294967295u, 0x80000000u}}) {
    TFormateurEnregistreur formateur;
    version.Serialiser(formateur);
    version.Serialiser(formateur);
    TypeVersion premiere{9};
    TypeVersion seconde{9};
    premiere.Deserialiser(formateur);
    seconde.Deserialiser(formateur);
    EXPECT_EQ(premiere, version);
    EXPECT_EQ(seconde, version) << "the first read stops where the second version starts";
    EXPECT_EQ(formateur.Lues, formateur.Valeurs.size());
  }
}

// A count that cannot be honest is refused before anything is read or
// allocated, and any failure leaves the version as it was.
TEST(TypeVersionFormateur, NombreRefuse) {
  struct TypeCas {
    const char* Nom;
    std::int32_t Nombre;
    std::size_t NumerosPresents;
  };
  const TypeCas cas[] = {
      {"négatif", -1, 0},
      {"le plus négatif", INT32_MIN, 3},
      {"au-delà du flux", 4, 3},
      {"immense", INT32_MAX, 2},
  };
  for (const TypeCas& c : cas) {
    TFormateurEnregistreur formateur;
    formateur.EcrireEntier(c.Nombre);
    for (std::size_t i = 0; i < c.NumerosPresents; ++i) formateur.EcrireCardinal(1);
    TypeVersion version{5, 6};
    try {
      version.Deserialiser(formateur);
      ADD_FAILURE() << c.Nom;
    } catch (const ENumerosVersionInvalides& e) {
      EXPECT_EQ(e.Message(), u"Numéros de version invalides.") << c.Nom;
    }
    EXPECT_EQ(formateur.Lues, 1u) << c.Nom << ": no number read";
    EXPECT_EQ(version, (TypeVersion{5, 6})) << c.Nom;
  }
}

// A stream that claims far more than it holds: the count passes the check,
// the numbers run out, the formatter's error comes through, and what was
// reserved stays small.
TEST(TypeVersionFormateur, NombreMensongerSansGrandeAllocation) {
  TFormateurEnregistreur formateur;
  formateur.TailleAnnoncee = std::int64_t{1} << 40;
  formateur.EcrireEntier(INT32_MAX);
  formateur.EcrireCardinal(1);
  formateur.EcrireCardinal(2);
  TypeVersion version{5, 6};
  std::size_t plusGrande = 0;
  {
    const tests::TSurveillanceAllocations surveillance;
    EXPECT_THROW(version.Deserialiser(formateur), tests::ELectureEnregistreur);
    plusGrande = surveillance.PlusGrande();
  }
  EXPECT_LE(plusGrande, 64u * 1024) << "reserved ahead of the numbers read";
  EXPECT_EQ(formateur.Lues, 3u);
  EXPECT_EQ(version, (TypeVersion{5, 6}));
}

TEST(TypeVersionFormateur, GenreInattenduLaisseLaVersion) {
  TFormateurEnregistreur formateur;
  formateur.EcrireEntier(2);
  formateur.EcrireCardinal(1);
  formateur.EcrireEntier(2);
  TypeVersion version{5};
  EXPECT_THROW(version.Deserialiser(formateur), tests::ELectureEnregistreur);
  EXPECT_EQ(version, TypeVersion{5});
}

// The same through the framework's binary formatter over memory: versions
// written one after the other come back in order, and a stream cut anywhere
// raises the formatter's read error instead of giving a shorter version.
TEST(TypeVersionFormateur, AllerRetourParLeFormateurBinaire) {
  const std::vector<TypeVersion> versions = {TypeVersion{}, TypeVersion{2024, 1, 2, 3},
                                             TypeVersion{4294967295u}};
  TFluxMemoire flux;
  {
    const auto ecrivain = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture);
    for (const TypeVersion& version : versions) version.Serialiser(*ecrivain);
  }
  flux.SetPosition(0);
  const auto lecteur = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture);
  for (const TypeVersion& attendue : versions) {
    TypeVersion lue{9, 9};
    lue.Deserialiser(*lecteur);
    EXPECT_EQ(lue, attendue);
  }
  EXPECT_EQ(flux.Restant(), 0);

  for (std::int64_t coupe = 1; coupe < flux.GetTaille(); ++coupe) {
    std::vector<std::uint8_t> octets(static_cast<std::size_t>(coupe));
    flux.SetPosition(0);
    flux.Lire(octets.data(), octets.size());
    TFluxMemoire fluxCoupe(octets);
    const auto lecteurCoupe = Nouveau<TFormateurBinaire>(fluxCoupe, TypeSensFormateur::sfLecture);
    bool echec = false;
    try {
      for (std::size_t i = 0; i < versions.size(); ++i) {
        TypeVersion lue;
        lue.Deserialiser(*lecteurCoupe);
        EXPECT_EQ(lue, versions[i]) << "cut at " << coupe;
      }
    } catch (const EReadError&) {
      echec = true;
    } catch (const ENumerosVersionInvalides&) {
      echec = true;  // a count that the rest of the stream cannot hold
    }
    EXPECT_TRUE(echec) << "cut at " << coupe;
  }
}

TEST(TypeVersionXml, Forme) {
  pugi::xml_document document;
  pugi::xml_node racine = document.append_child("Racine");
  racine.append_child("Avant");
  const pugi::xml_node element = TypeVersion{1, 4294967295u, 0}.SerialiserDansXml(racine);
  EXPECT_EQ(EnTexte(racine),
            "<Racine><Avant/><TypeVersion><Numero>1</Numero><Numero>4294967295</Numero>"
            "<Numero>0</Numero></TypeVersion></Racine>");
  EXPECT_EQ(element, racine.last_child());
  EXPECT_EQ(EnTexte(TypeVersion{}.SerialiserDansXml(racine)), "<TypeVersion/>");
}

// Writing twice leaves one child: the first one found is replaced by a new one
// at the end.
TEST(TypeVersionXml, EcrireDeuxFoisLaisseUnSeulEnfant) {
  pugi::xml_document document;
  pugi::xml_node racine = document.append_child("Racine");
  TypeVersion{1}.SerialiserDansXml(racine);
  racine.append_child("Apres");
  TypeVersion{2, 3}.SerialiserDansXml(racine);
  EXPECT_EQ(EnTexte(racine),
            "<Racine><Apres/><TypeVersion><Numero>2</Numero><Numero>3</Numero></TypeVersion>"
            "</Racine>");
  TypeVersion relue;
  relue.DeserialiserDepuisXml(racine);
  EXPECT_EQ(relue, (TypeVersion{2, 3}));
}

TEST(TypeVersionXml, AllerRetour) {
  for (const TypeVersion& version : {TypeVersion{}, TypeVersion{0}, TypeVersion{1, 2, 3},
                                     TypeVersion{4294967295u, 2147483648u, 2147483647u}}) {
    pugi::xml_document document;
    version.SerialiserDansXml(document.append_child("Racine"));
    // Through the text of the document, as a file would keep it.
    std::ostringstream texte;
    document.save(texte);
    pugi::xml_document relu;
    ASSERT_TRUE(relu.load_string(texte.str().c_str()));
    TypeVersion lue{9, 9};
    lue.DeserialiserDepuisXml(relu.child("Racine"));
    EXPECT_EQ(lue, version) << texte.str();
  }
}

TEST(TypeVersionXml, LectureDesNumeros) {
  struct TypeCas {
    const char* Texte;
    std::uint32_t Attendu;
  };
  const TypeCas cas[] = {
      {"0", 0},
      {"-1", 4294967295u},
      {"-2147483648", 2147483648u},
      {"2147483647", 2147483647u},
      {"2147483648", 2147483648u},
      {"4294967295", 4294967295u},
      {"007", 7},
      {"+3", 3},
      {"-0", 0},
      {" \n 12\t", 12},
      {"<![CDATA[42]]>", 42},
  };
  for (const TypeCas& c : cas) {
    const std::string xml =
        std::string("<R><TypeVersion><Numero>") + c.Texte + "</Numero></TypeVersion></R>";
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(xml.c_str())) << xml;
    TypeVersion version;
    version.DeserialiserDepuisXml(document.child("R"));
    EXPECT_EQ(version, TypeVersion{c.Attendu}) << xml;
  }
}

TEST(TypeVersionXml, NumeroQuiNEstPasUnEntier) {
  for (const char* texte : {"", "abc", "1.5", "12a", "0x10", "- 1", "1 2", "+", "4294967296",
                            "-2147483649", "99999999999999999999999"}) {
    const std::string xml = std::string("<R><TypeVersion><Numero>7</Numero><Numero>") + texte +
                            "</Numero></TypeVersion></R>";
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(xml.c_str())) << xml;
    TypeVersion version{5};
    try {
      version.DeserialiserDepuisXml(document.child("R"));
      ADD_FAILURE() << xml;
    } catch (const EConvertError& e) {
      const std::u16string attendu =
          u"'" + std::u16string(texte, texte + std::char_traits<char>::length(texte)) +
          u"' n'est pas un numéro de version valide : un entier de -2147483648 à 4294967295 est "
          u"attendu.";
      EXPECT_EQ(e.Message(), attendu) << xml;
    }
    EXPECT_EQ(version, TypeVersion{5}) << xml;
  }
}

TEST(TypeVersionXml, ElementsConsideres) {
  struct TypeCas {
    const char* Xml;
    TypeNumeros Attendu;
  };
  const TypeCas cas[] = {
      {"<R/>", {}},
      {"<R><Autre><Numero>1</Numero></Autre></R>", {}},
      {"<R><TypeVersion/></R>", {}},
      // Only the first TypeVersion is read, and only its Numero elements.
      {"<R><TypeVersion><Numero>1</Numero></TypeVersion><TypeVersion><Numero>2</Numero>"
       "</TypeVersion></R>",
       {1}},
      {"<R><TypeVersion><!-- c --><Autre>8</Autre><Numero>3</Numero>texte<Numero>4</Numero>"
       "</TypeVersion></R>",
       {3, 4}},
      // A comment inside a number does not cut it in two.
      {"<R><TypeVersion><Numero>1<!-- c -->2</Numero></TypeVersion></R>", {12}},
      // Nested elements are not the number's own text.
      {"<R><TypeVersion><Numero>5<b>6</b></Numero></TypeVersion></R>", {5}},
  };
  for (const TypeCas& c : cas) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(c.Xml)) << c.Xml;
    TypeVersion version{9};
    version.DeserialiserDepuisXml(document.child("R"));
    EXPECT_EQ(version.Numeros, c.Attendu) << c.Xml;
  }
}

TEST(TypeVersionXml, NoeudsQuiNePeuventServir) {
  TypeVersion version{1};
  EXPECT_THROW(version.SerialiserDansXml(pugi::xml_node()), EArgumentInvalide);
  EXPECT_THROW(version.DeserialiserDepuisXml(pugi::xml_node()), EArgumentInvalide);
  pugi::xml_document document;
  pugi::xml_node texte = document.append_child("R").append_child(pugi::node_pcdata);
  texte.set_value("x");
  EXPECT_THROW(version.SerialiserDansXml(texte), EArgumentInvalide);
  EXPECT_EQ(EnTexte(document), "<R>x</R>");
}

}  // namespace
}  // namespace kv
