#include "environnement/ImplPersistanceParametresXml.h"

#include <charconv>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "commun/Format.h"
#include "environnement/ImplDossierSpecial.h"
#include "plateforme/ErreurSysteme.h"
#include "plateforme/FichierBinaire.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

namespace pf = plateforme;

using TypeNoms = std::vector<std::string>;

constexpr char ElementVersion[] = "TypeVersion";

std::string EnUtf8(std::u16string_view ATexte) { return pf::VersUtf8(ATexte); }

bool EstLettreAscii(char16_t ACaractere) {
  return (ACaractere >= u'a' && ACaractere <= u'z') || (ACaractere >= u'A' && ACaractere <= u'Z');
}

// An XML name without ':' that the converter hands over unchanged: pugixml
// writes names as they are, and a name it cannot read back would make the file
// corrupt.
bool EstNomXml(std::u16string_view ANom) {
  if (ANom.empty() || !pf::VersUtf8Strict(ANom)) return false;
  const char16_t premier = ANom.front();
  if (!EstLettreAscii(premier) && premier != u'_' && premier < 0x80) return false;
  for (const char16_t c : ANom) {
    const bool permis = EstLettreAscii(c) || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-' ||
                        c == u'.' || c >= 0x80;
    if (!permis) return false;
  }
  return true;
}

TypeNoms NomsDuChemin(std::u16string_view ANom) {
  TypeNoms noms;
  std::size_t debut = 0;
  while (true) {
    const std::size_t fin = std::min(ANom.find(u'/', debut), ANom.size());
    const std::u16string_view nom = ANom.substr(debut, fin - debut);
    if (!EstNomXml(nom) || (noms.empty() && nom == u"TypeVersion")) {
      throw EArgumentInvalide(Formater(u"Nom de nœud de paramètres invalide : « %0:s ».", {ANom}));
    }
    noms.push_back(EnUtf8(nom));
    if (fin == ANom.size()) return noms;
    debut = fin + 1;
  }
}

pugi::xml_node Chercher(pugi::xml_node ARacine, const TypeNoms& ANoms) {
  pugi::xml_node noeud = ARacine;
  for (const std::string& nom : ANoms) noeud = noeud.child(nom.c_str());
  return noeud;
}

std::int32_t VersionNoeud(pugi::xml_node ANoeud) {
  const std::string_view texte = ANoeud.attribute("version").value();
  std::int32_t version = 0;
  const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), version);
  return erreur == std::errc() && fin == texte.data() + texte.size() ? version : 0;
}

void Vider(pugi::xml_node ANoeud) {
  while (const pugi::xml_node enfant = ANoeud.first_child()) ANoeud.remove_child(enfant);
  while (const pugi::xml_attribute attribut = ANoeud.first_attribute()) {
    ANoeud.remove_attribute(attribut);
  }
}

bool EstRacineParametres(const pugi::xml_document& ADocument) {
  return std::string_view(ADocument.document_element().name()) ==
         EnUtf8(TPersistanceParametresXml::NomRacine);
}

// The version of a parameter document; nothing when it is not one.
std::optional<TypeVersion> VersionDocument(const pugi::xml_document& ADocument) {
  if (!EstRacineParametres(ADocument)) return std::nullopt;
  try {
    TypeVersion version;
    version.DeserialiserDepuisXml(ADocument.document_element());
    return version;
  } catch (const Exception&) {
    return std::nullopt;
  }
}

std::optional<std::string> LireOctets(const std::u16string& ANatif, int& ACode) {
  pf::TFichierBinaire fichier;
  if (!fichier.Ouvrir(ANatif, pf::TypeOuvertureFichier::ofLecture)) {
    ACode = pf::DerniereErreurSysteme();
    return std::nullopt;
  }
  const std::int64_t taille = fichier.Taille();
  std::string octets(taille > 0 ? static_cast<std::size_t>(taille) : 0, '\0');
  const std::int64_t lus = taille < 0 ? -1 : fichier.LireA(0, octets.data(), octets.size());
  if (lus < 0) {
    ACode = pf::DerniereErreurSysteme();
    return std::nullopt;
  }
  octets.resize(static_cast<std::size_t>(lus));
  return octets;
}

}  // namespace

TPersistanceParametresXml::TPersistanceParametresXml(IDossierSpecial* ADossiers,
                                                     TypeNiveauDossierSpecial ANiveau,
                                                     std::u16string_view ANomFichier,
                                                     TypeVersion AVersion,
                                                     std::u16string_view AModele)
    : TObjetInterfacable(true),
      FDossiers(ADossiers),
      FNiveau(ANiveau),
      FVersion(std::move(AVersion)) {
  if (!FDossiers) throw EArgumentInvalide(u"Paramètres : le service des dossiers est absent.");
  if (ANomFichier.empty() || ANomFichier.find_first_of(u"\\/") != ANomFichier.npos ||
      !DefautInstance(ANomFichier).empty()) {
    throw EArgumentInvalide(
        Formater(u"Nom de fichier de paramètres invalide : « %0:s ».", {ANomFichier}));
  }
  if (!AModele.empty()) {
    const std::string texte = EnUtf8(AModele);
    if (!FModele.load_buffer(texte.data(), texte.size(), pugi::parse_default,
                             pugi::encoding_utf8) ||
        !VersionDocument(FModele)) {
      throw EArgumentInvalide(u"Le modèle de paramètres n'est pas un document de paramètres.");
    }
  }
  FFichier = FDossiers->GetDossier(TypeRacineDossierSpecial::RDS_DonneesCommunes, FNiveau, 0, u"");
  FFichier += ANomFichier;
  NouveauDocument();
}

void TPersistanceParametresXml::NouveauDocument() {
  FDocument.reset();
  FVersion.SerialiserDansXml(FDocument.append_child(EnUtf8(NomRacine).c_str()));
  FVersionDocument = FVersion;
}

void TPersistanceParametresXml::LireFichier() {
  const std::u16string natif = pf::CheminNatif(FFichier);
  if (!pf::CheminExiste(natif)) {
    NouveauDocument();
    FCorrompu = false;
    return;
  }
  int code = 0;
  const std::optional<std::string> octets = LireOctets(natif, code);
  if (!octets) {
    throw ELectureParametres(Formater(u"Impossible de lire les paramètres « %0:s » : %1:s.",
                                      {natif, pf::MessageErreurSysteme(code)}));
  }
  pugi::xml_document lu;
  std::optional<TypeVersion> version;
  if (lu.load_buffer(octets->data(), octets->size(), pugi::parse_default, pugi::encoding_auto)) {
    version = VersionDocument(lu);
  }
  FCorrompu = !version;
  if (FCorrompu) {
    NouveauDocument();
    return;
  }
  FDocument.reset(lu);
  FVersionDocument = std::move(*version);
}

bool TPersistanceParametresXml::EcrireFichier() {
  if (FCorrompu) return false;
  if (!GetNodeRoot()) NouveauDocument();
  FVersion.SerialiserDansXml(GetNodeRoot());
  FVersionDocument = FVersion;
  FDossiers->GetDossier(TypeRacineDossierSpecial::RDS_DonneesCommunes, FNiveau, ODS_Creer, u"");
  std::ostringstream texte;
  FDocument.save(texte, "  ", pugi::format_default, pugi::encoding_utf8);
  const std::u16string natif = pf::CheminNatif(FFichier);
  if (const auto echec = pf::EcrireFichierAtomique(natif, texte.str())) {
    throw EEcritureParametres(
        Formater(u"Impossible d'enregistrer les paramètres « %0:s » (%1:s) : %2:s.",
                 {natif, echec->Etape, pf::MessageErreurSysteme(echec->Code)}));
  }
  return true;
}

bool TPersistanceParametresXml::AtteindreNoeud(std::u16string_view aNom, pugi::xml_node& aNoeud,
                                               bool& aModele, std::int32_t& aVersion) {
  const TypeNoms noms = NomsDuChemin(aNom);
  aNoeud = Chercher(GetNodeRoot(), noms);
  aModele = false;
  if (!aNoeud) {
    aNoeud = Chercher(FModele.document_element(), noms);
    aModele = static_cast<bool>(aNoeud);
  }
  aVersion = aNoeud ? VersionNoeud(aNoeud) : 0;
  return static_cast<bool>(aNoeud);
}

pugi::xml_node TPersistanceParametresXml::AjouterNoeud(std::u16string_view aNom,
                                                       std::int32_t aVersion, bool aRecreer) {
  const TypeNoms noms = NomsDuChemin(aNom);
  if (!GetNodeRoot()) NouveauDocument();
  pugi::xml_node noeud = GetNodeRoot();
  bool cree = false;
  for (const std::string& nom : noms) {
    pugi::xml_node enfant = noeud.child(nom.c_str());
    cree = !enfant;
    noeud = cree ? noeud.append_child(nom.c_str()) : enfant;
  }
  if (!cree && (aRecreer || VersionNoeud(noeud) != aVersion)) Vider(noeud);
  pugi::xml_attribute version = noeud.attribute("version");
  if (!version) version = noeud.append_attribute("version");
  version.set_value(aVersion);
  return noeud;
}

void TPersistanceParametresXml::MettreDeCote(std::u16string_view ASuffixe) {
  const std::u16string natif = pf::CheminNatif(FFichier);
  if (!pf::CheminExiste(natif)) return;
  const std::u16string cible = natif + std::u16string(ASuffixe);
  if (!pf::RenommerFichier(natif, cible)) {
    const int code = pf::DerniereErreurSysteme();
    throw EEcritureParametres(
        Formater(u"Impossible de mettre les paramètres « %0:s » de côté sous « %1:s » : %2:s.",
                 {natif, cible, pf::MessageErreurSysteme(code)}));
  }
}

void TPersistanceParametresXml::ReInitialiserDocument(bool AConserverAncienFichier) {
  if (AConserverAncienFichier) MettreDeCote(u".ancien");
  NouveauDocument();
  FCorrompu = false;
}

void TPersistanceParametresXml::EffacerCorruption() {
  if (!FCorrompu) return;
  MettreDeCote(u".corrompu");
  FCorrompu = false;
}

}  // namespace kv
