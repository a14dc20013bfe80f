#pragma once

// The registry: two hives (the local machine's and the current user's) of
// keys, each key holding named values and sub-keys. Key and value names are
// matched without regard to case and keep the case they were created with; a
// key path is written with backslashes, leading and trailing ones ignored
// ("Software\Korvel\X", "\Software\Korvel\X\"); the empty path is the hive's
// root key. A path with an empty name between two backslashes ("a\\b") is
// refused with EArgumentInvalide rather than guessed at. A value name may hold
// any character, backslashes among them; the empty name is the key's default
// value.
//
// On this machine each hive is one file, rewritten as a whole on every change:
// written beside the old one, flushed to disk, then renamed over it, so that a
// crash or a full disk leaves either the old hive or the new one, never a
// mixture. Changes are serialised between processes by a lock file. A hive file
// that cannot be read as a hive raises ERegistreCorrompu and is never
// overwritten. Reading creates nothing and takes no lock: a reader sees one
// whole hive, the old one or the new one.
//
// Where the hives live:
// - current user: the folder in KV_REGISTRE_UTILISATEUR, else "korvel" in the
//   roaming application-data folder ($XDG_CONFIG_HOME, else $HOME/.config,
//   else the account's home folder followed by .config);
// - local machine: the folder in KV_REGISTRE_MACHINE, else /var/lib/korvel.
// A variable that is empty counts as not set.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commun/Exception.h"

namespace kv::plateforme {

// A hive file that is not a hive.
KV_DECLARER_EXCEPTION(ERegistreCorrompu, Exception);
// A change that could not be written; the hive on disk is unchanged.
KV_DECLARER_EXCEPTION(EEcritureRegistre, Exception);
// A hive file that is there but cannot be read (rights, a folder in its place).
KV_DECLARER_EXCEPTION(ELectureRegistre, Exception);

enum class TypeRacineRegistre : std::uint8_t {
  rrUtilisateurCourant,  // HKEY_CURRENT_USER
  rrMachineLocale,       // HKEY_LOCAL_MACHINE
};

enum class TypeValeurRegistre : std::uint8_t {
  tvChaine,            // REG_SZ
  tvChaineExtensible,  // REG_EXPAND_SZ: a string whose %NAME% the reader may expand
  tvEntier32,          // REG_DWORD
};

struct TValeurRegistre {
  TypeValeurRegistre Type = TypeValeurRegistre::tvChaine;
  std::u16string Texte;      // both string types
  std::uint32_t Nombre = 0;  // tvEntier32

  bool operator==(const TValeurRegistre&) const = default;
};

// The folder holding a hive's file, as the rules above give it, in this
// machine's form (as Fichiers.h takes it). Empty when there is none: the
// variable is not UTF-8, or no home folder is known; the hive then reads as
// absent and writes to it raise EEcritureRegistre.
std::u16string DossierRuche(TypeRacineRegistre ARacine);

// A key, open for reading (Ouvrir) or for writing (OuvrirOuCreer). Reads see
// the key as it was when it was opened, or when it was last changed through
// this object: each write re-reads the hive under the lock, applies the change,
// replaces the file and takes the key as it now is, changes made meanwhile by
// other writers included. A write to a key that has gone from the file
// meanwhile (edited by hand) creates it again.
class TCleRegistre {
 public:
  // The key if it exists; nothing when it does not or the hive has no file.
  // Raises ERegistreCorrompu, ELectureRegistre and, for a malformed path,
  // EArgumentInvalide.
  static std::optional<TCleRegistre> Ouvrir(TypeRacineRegistre ARacine,
                                            std::u16string_view AChemin);
  // The key, created with its missing parents (the hive's folder too). Raises
  // ERegistreCorrompu, EEcritureRegistre and, for a malformed path,
  // EArgumentInvalide.
  static TCleRegistre OuvrirOuCreer(TypeRacineRegistre ARacine, std::u16string_view AChemin);

  TCleRegistre(TCleRegistre&&) noexcept;
  TCleRegistre& operator=(TCleRegistre&&) noexcept;
  ~TCleRegistre();

  std::optional<TValeurRegistre> LireValeur(std::u16string_view ANom) const;
  // Names as they were created, in the order they were created.
  std::vector<std::u16string> NomsValeurs() const;
  std::vector<std::u16string> NomsSousCles() const;

  // Each raises EEcritureRegistre (and ERegistreCorrompu) with the hive on disk
  // unchanged; on a key opened by Ouvrir, always EEcritureRegistre. Writing a
  // value that exists under another case keeps the name it had; the field that
  // does not belong to the type (Nombre of a string, Texte of a number) is
  // stored as zero or empty. Raises EArgumentInvalide for a type outside the
  // enumeration.
  void EcrireValeur(std::u16string_view ANom, const TValeurRegistre& AValeur);
  // False when there was no such value.
  bool SupprimerValeur(std::u16string_view ANom);

 private:
  struct TypeEtat;
  explicit TCleRegistre(std::unique_ptr<TypeEtat> AEtat);
  std::unique_ptr<TypeEtat> FEtat;
};

}  // namespace kv::plateforme
