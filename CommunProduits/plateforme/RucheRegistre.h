#pragma once

// Private to the registry's sources: one hive as a tree in memory, and the text
// that stands for it on disk. No file is touched here.
//
// The text is UTF-8, one item per line:
//
//   kvr 1
//   ["Software\\Korvel\\SurchargeRepertoiresWindows"]
//   "DossierCommun" = chaine "/srv/donnees"
//   "" = extensible "%HOME%/korvel"
//   "Essais" = entier32 3
//
// The first line names the format and its version. A line [path] starts a key,
// created with its parents if the file has not named them yet (the root key is
// [""]); each following line "name" = type data is one value of that key, the
// type being chaine (REG_SZ), extensible (REG_EXPAND_SZ) or entier32 (REG_DWORD,
// in decimal, 0 to 4294967295). Paths, names and texts are quoted; inside the
// quotes \\ \" \n \r \t and \u{hex} (one UTF-16 unit or one code point, up to
// 10FFFF) are escapes and every other character stands for itself. Spaces and
// tabs between the parts of a line are free; empty lines and lines whose first
// visible character is '#' are skipped; a '\r' before a line's end is ignored.
// An empty file is an empty hive.
//
// The printer escapes the quote, the backslash, control characters (C0, DEL
// and C1) and lone surrogates, so that every UTF-16 text, whatever it holds,
// comes back unit for unit, and a line never holds more than one item. It
// leaves out the line of a key that has no values but has sub-keys, whose
// lines create it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plateforme/Registre.h"

namespace kv::plateforme {

struct TValeurNommee {
  std::u16string Nom;
  TValeurRegistre Valeur;
};

// One key: its name as it was created, its values and sub-keys in the order
// they were created. Names are matched without regard to case.
struct TCleRuche {
  std::u16string Nom;
  std::vector<TValeurNommee> Valeurs;
  std::vector<TCleRuche> SousCles;

  const TCleRuche* SousCle(std::u16string_view ANom) const;
  TCleRuche* SousCle(std::u16string_view ANom);
  const TValeurRegistre* Valeur(std::u16string_view ANom) const;

  // Sets the value, under the name it already has if it exists. The field that
  // does not belong to the type is stored as zero or empty. False when the
  // value was already that.
  bool Ecrire(std::u16string_view ANom, const TValeurRegistre& AValeur);
  // False when there was no such value.
  bool Supprimer(std::u16string_view ANom);
};

// The names of a key path, leading and trailing backslashes ignored; nothing
// when an empty name stands between two backslashes. The empty path is the
// root key.
std::optional<std::vector<std::u16string>> DecouperCheminCle(std::u16string_view AChemin);

// The key at the path below ARacine, or nothing.
const TCleRuche* TrouverCle(const TCleRuche& ARacine, const std::vector<std::u16string>& AChemin);
TCleRuche* TrouverCle(TCleRuche& ARacine, const std::vector<std::u16string>& AChemin);
// The key at the path, created with its missing parents under the names given.
// ACree tells whether anything was created.
TCleRuche& TrouverOuCreerCle(TCleRuche& ARacine, const std::vector<std::u16string>& AChemin,
                             bool& ACree);

// The root key of the hive the text describes. Raises ERegistreCorrompu,
// naming AFichier and the line, when the text is not a hive.
TCleRuche AnalyserRuche(std::string_view ATexte, std::u16string_view AFichier);

// The text of the hive whose root key is ARacine; AnalyserRuche reads it back
// as the same tree.
std::string TexteRuche(const TCleRuche& ARacine);

}  // namespace kv::plateforme
