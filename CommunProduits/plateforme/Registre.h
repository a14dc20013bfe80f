#pragma once

// The registry: two hives (the local machine's and the current user's) of
// keys, each key holding named values and sub-keys. Key and value names are
// matched without regard to case; a key path is written with backslashes,
// leading and trailing ones ignored ("Software\Korvel\X", "\Software\Korvel\X\").
//
// On this machine each hive is one file, rewritten as a whole on every change:
// written beside the old one, flushed to disk, then renamed over it, so that a
// crash or a full disk leaves either the old hive or the new one, never a
// mixture. Changes are serialised between processes by a lock file. A hive file
// that cannot be read as a hive raises ERegistreCorrompu and is never
// overwritten.
//
// Where the hives live:
// - current user: the folder in KV_REGISTRE_UTILISATEUR, else "korvel" in the
//   roaming application-data folder ($XDG_CONFIG_HOME, else $HOME/.config);
// - local machine: the folder in KV_REGISTRE_MACHINE, else /var/lib/korvel.

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
};

// The folder holding a hive's file, as the rules above give it.
std::u16string DossierRuche(TypeRacineRegistre ARacine);

// A key, open for reading or for writing. Reads see the hive as it was when
// the key was opened; each write re-reads the hive under the lock, applies the
// change and replaces the file.
class TCleRegistre {
 public:
  // The key if it exists; nothing when it does not or the hive has no file.
  // Raises ERegistreCorrompu.
  static std::optional<TCleRegistre> Ouvrir(TypeRacineRegistre ARacine, std::u16string_view AChemin);
  // The key, created with its missing parents. Raises ERegistreCorrompu and
  // EEcritureRegistre.
  static TCleRegistre OuvrirOuCreer(TypeRacineRegistre ARacine, std::u16string_view AChemin);

  TCleRegistre(TCleRegistre&&) noexcept;
  TCleRegistre& operator=(TCleRegistre&&) noexcept;
  ~TCleRegistre();

  std::optional<TValeurRegistre> LireValeur(std::u16string_view ANom) const;
  std::vector<std::u16string> NomsValeurs() const;
  std::vector<std::u16string> NomsSousCles() const;

  // Each raises EEcritureRegistre (and ERegistreCorrompu) with the hive on disk
  // unchanged.
  void EcrireValeur(std::u16string_view ANom, const TValeurRegistre& AValeur);
  // False when there was no such value.
  bool SupprimerValeur(std::u16string_view ANom);

 private:
  struct TypeEtat;
  explicit TCleRegistre(std::unique_ptr<TypeEtat> AEtat);
  std::unique_ptr<TypeEtat> FEtat;
};

}  // namespace kv::plateforme
