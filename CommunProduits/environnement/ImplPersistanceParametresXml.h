#pragma once

#include <cstdint>
#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "commun/Exception.h"
#include "environnement/I_DossierSpecial.h"
#include "environnement/I_PersistanceParametresApplicatif.h"
#include "objets/ObjetInterfacable.h"

namespace kv {

// The parameter file could not be read (not the same as a file that reads but
// is not a parameter document: see GetCorrompu).
KV_DECLARER_EXCEPTION(ELectureParametres, EInOutError);
// The parameter file, or the file kept aside, could not be written; the file
// that was there is as it was.
KV_DECLARER_EXCEPTION(EEcritureParametres, EInOutError);

// A parameter store in one XML file (UTF-8), in the special folder of its level
// under the common application-data root:
//   GetDossier(RDS_DonneesCommunes, <level>, 0, "") followed by the file name.
// The document:
//   <Parametres>
//     <TypeVersion><Numero>2</Numero><Numero>1</Numero></TypeVersion>
//     <Affichage version="3"> ... </Affichage>
//     <Comptes version="1"><Banque version="2"> ... </Banque></Comptes>
//   </Parametres>
// The root is "Parametres"; its "TypeVersion" child is the version of the
// format the document is written in (TypeVersion's XML form); every other
// element is the application's. A node is named by its path of element names
// from the root, separated by '/' ("Comptes/Banque"); each name is an XML name
// without ':' and the first is never "TypeVersion". A node's version is its
// attribute "version", a signed 32-bit decimal (0 when absent or unreadable).
//
// A store may have a model: a document of the same layout, given as text,
// whose nodes stand in for those the file lacks (AtteindreNoeud); the model is
// never written.
//
// Operations:
// - LireFichier: a missing file gives a new document (the root and the
//   store's version) and is not an error. A file that is not a parameter
//   document (not well-formed XML, another root, an unreadable version) makes
//   the store corrupt: the document in memory is a new one and the file is
//   left as it is. A file that cannot be read at all raises
//   ELectureParametres and changes nothing.
// - GetCorrompu: true from a LireFichier that found a corrupt file until
//   EffacerCorruption or ReInitialiserDocument.
// - EcrireFichier: false, writing nothing, while the store is corrupt, so that
//   the unreadable file is never lost by accident. Otherwise stamps the
//   store's version on the document, creates the folder (ECreationDossier
//   when it cannot be) and replaces the file atomically (plateforme/Fichiers.h:
//   a failed write leaves the old file whole), raising EEcritureParametres on
//   failure; true once written.
// - GetVersion: the version of the document in memory: the file's as read,
//   the store's own for a new document and after EcrireFichier.
// - GetDocument, GetNodeRoot: the document in memory and its root element.
// - AtteindreNoeud: the node at aNom in the document, else in the model
//   (aModele true); aVersion is its version. False, with a null node, when
//   neither has it. Raises EArgumentInvalide for a malformed name.
// - AjouterNoeud: the node at aNom in the document, created with its missing
//   parents; the node itself carries aVersion. A node already there is
//   emptied (children and other attributes removed) when aRecreer is true or
//   its version is not aVersion, so that a section written by another version
//   of the application starts afresh; otherwise it is answered as it is.
//   Raises EArgumentInvalide for a malformed name.
// - ReInitialiserDocument: a new document, corruption cleared. With
//   AConserverAncienFichier the file, when there is one, is first renamed to
//   "<file>.ancien" (replacing an older one) so that the next EcrireFichier
//   does not replace it; a failed rename raises EEcritureParametres and changes
//   nothing. Without, the file stays until the next EcrireFichier.
// - EffacerCorruption: when corrupt, the unreadable file is renamed to
//   "<file>.corrompu" (replacing an older one) and corruption is cleared; a
//   failed rename raises EEcritureParametres and the store stays corrupt.
//   Nothing otherwise.
// - GetNiveauDossierSpecial: the level given at construction.
class TPersistanceParametresXml : public TObjetInterfacable,
                                  public IPersistanceParametresApplicatif {
  KV_INTERFACES(TObjetInterfacable, IPersistanceParametresApplicatif)

 public:
  static constexpr std::u16string_view NomRacine = u"Parametres";
  static constexpr std::u16string_view AttributVersion = u"version";

  // The file is not read until LireFichier. Raises EArgumentInvalide for a
  // file name that is empty or holds a separator, ':' or a character a name
  // cannot hold, and for a model that is not a parameter document; raises what
  // ADossiers->GetDossier raises (EInstanceInvalide).
  TPersistanceParametresXml(IDossierSpecial* ADossiers, TypeNiveauDossierSpecial ANiveau,
                            std::u16string_view ANomFichier, TypeVersion AVersion,
                            std::u16string_view AModele = {});

  // The file, in the framework's form.
  const std::u16string& Fichier() const { return FFichier; }

  pugi::xml_document& GetDocument() override { return FDocument; }
  TypeVersion GetVersion() override { return FVersionDocument; }
  bool GetCorrompu() override { return FCorrompu; }
  bool EcrireFichier() override;
  void LireFichier() override;
  pugi::xml_node GetNodeRoot() override { return FDocument.document_element(); }
  bool AtteindreNoeud(std::u16string_view aNom, pugi::xml_node& aNoeud, bool& aModele,
                      std::int32_t& aVersion) override;
  pugi::xml_node AjouterNoeud(std::u16string_view aNom, std::int32_t aVersion,
                              bool aRecreer) override;
  void ReInitialiserDocument(bool AConserverAncienFichier) override;
  void EffacerCorruption() override;
  TypeNiveauDossierSpecial GetNiveauDossierSpecial() override { return FNiveau; }

 private:
  void NouveauDocument();
  void MettreDeCote(std::u16string_view ASuffixe);

  TRef<IDossierSpecial> FDossiers;
  TypeNiveauDossierSpecial FNiveau;
  std::u16string FFichier;
  TypeVersion FVersion;
  TypeVersion FVersionDocument;
  pugi::xml_document FDocument;
  pugi::xml_document FModele;
  bool FCorrompu = false;
};

}  // namespace kv
