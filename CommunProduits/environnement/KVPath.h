#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "objets/ClasseNonInstanciable.h"

namespace kv {

// Operations on the framework's paths: backslash separators, drive letters
// ("C:") and UNC names ("\\server\share"). Only Make with AExpand, Exists,
// Search and Correspondent look at this machine (see plateforme/Fichiers.h for
// how its paths are written).
class TPath : public TClasseNonInstanciable {
 public:
  // The double quote, '<', '>', '|' and the control characters U+0000 to U+001F.
  static constexpr std::array<char16_t, 36> CaracteresInterdits = [] {
    std::array<char16_t, 36> caracteres{u'"', u'<', u'>', u'|'};
    for (char16_t c = 0; c < 0x20; ++c) caracteres[4 + c] = c;
    return caracteres;
  }();
  static constexpr std::u16string_view PrefixeEtendu = u"\\\\?\\";
  static constexpr std::u16string_view PrefixeEtenduUnc = u"\\\\?\\UNC\\";
  // Names this long or longer are given the extended-length prefix.
  static constexpr std::size_t LongueurCheminLong = 260;

  // AFileName placed in ADirectory, unless ADirectory is empty or AFileName has
  // a drive part. AExpand makes the result absolute and normalised.
  static std::u16string Make(std::u16string_view ADirectory, std::u16string_view AFileName,
                             bool AExpand);
  // The non-empty pieces joined with backslashes; a piece with a drive part
  // starts the path again. Raises EArgumentInvalide for a piece holding one of
  // CaracteresInterdits.
  static std::u16string Combine(std::span<const std::u16string> AChemins);
  static std::u16string AjouterExtendedPrefix(std::u16string_view AFileName);
  // The same, for the given answer of CheminsLongsActives.
  static std::u16string AjouterExtendedPrefix(std::u16string_view AFileName,
                                              bool ACheminsLongsActives);
  static bool Exists(std::u16string_view APath);
  // The first Make(folder, AFileName, true) that is a file, the folders being
  // separated by ';' in APath; empty when there is none.
  static std::u16string Search(std::u16string_view AFileName, std::u16string_view APath);
  // The deepest folder both paths start with, letter case aside, ending with a
  // backslash and written as in APath1; empty when there is none.
  static std::u16string RepertoireCommun(std::u16string_view APath1, std::u16string_view APath2);
  // True when APath1 matches one of the wildcard patterns separated by ';' in
  // APath2.
  static bool Correspondent(std::u16string_view APath1, std::u16string_view APath2);
  // %NAME% references replaced by the environment variables' values.
  static std::u16string SubstituerVariablesDEnvironnement(std::u16string_view APath);
  // Asked of the machine once, then kept.
  static bool CheminsLongsActives();

  // "C:" for a name whose second character is a colon; "\\server\share" for a
  // name starting with two backslashes; empty otherwise.
  static std::u16string_view PartieLecteur(std::u16string_view AChemin);
  // The text up to and including the last backslash or colon.
  static std::u16string_view PartieDossier(std::u16string_view AChemin);
  // The text after the last backslash or colon.
  static std::u16string_view PartieNom(std::u16string_view AChemin);
  static bool EstCaractereInterdit(char16_t ACaractere);
};

// The folder of a module's binaries. In the development layout the module
// sits in "<bin>\<configuration>\win64\"; the folder is then "<bin>\".
struct TypeNomEtPlateformeDossierBin {
  std::u16string Nom;            // ends with a backslash
  std::u16string Plateforme;     // "win64" in the development layout, else empty
  std::u16string Configuration;  // the configuration folder there, else empty

  // From the main executable when AExePrincipal, else from the module holding
  // this code; does nothing once Nom is known.
  void Init(bool AExePrincipal);
  // From the full file name of a module, in the framework's form.
  void InitDepuisModule(std::u16string_view AFichierModule);
};

std::u16string DossierBin(bool AExePrincipal);
// DossierBin, then ASousDossier, then the platform folder when there is one;
// each followed by a backslash.
std::u16string DossierBinPlateforme(std::u16string_view ASousDossier, bool AExePrincipal);

}  // namespace kv
