#pragma once

// Appending to a file that other writers share, each addition whole and alone:
// writers that take the same lock wait for each other instead of giving up.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace kv::plateforme {

// Keeps the file open between additions, so that each costs one write. Not for
// concurrent use: the caller serialises its calls.
//
// Looking the name up again costs as much as the write itself, so an absolute
// name is looked up again only once DelaiVerificationNom has passed since the
// last look; a relative name, which follows the current folder, at every
// addition.
class TAjoutFichier {
 public:
  TAjoutFichier() = default;
  ~TAjoutFichier();
  TAjoutFichier(const TAjoutFichier&) = delete;
  TAjoutFichier& operator=(const TAjoutFichier&) = delete;

  static constexpr std::chrono::milliseconds DelaiVerificationNom{1};

  // Appends ATexte, in UTF-8, to the regular file at AChemin (this machine's
  // form), creating it and its missing folders. Waits for as long as another
  // writer holds the file. When the path no longer names the file written last
  // time (deleted, renamed, replaced, or a relative path from another current
  // folder), the file now at the path is used: at once for a relative path,
  // within DelaiVerificationNom for an absolute one. False when the text could
  // not be written; the file then holds none of it.
  bool Ajouter(std::u16string_view AChemin, std::u16string_view ATexte);

  // Lets the file go; the next addition opens it again.
  void Fermer();

 private:
  bool Ouvrir(std::u16string_view AChemin);
  bool ToujoursEnPlace();

  int FDescripteur = -1;
  std::u16string FChemin;
  std::string FCheminSysteme;
  std::uint64_t FPeripherique = 0;
  std::uint64_t FNoeud = 0;
  std::chrono::steady_clock::time_point FDerniereVerification;
};

}  // namespace kv::plateforme
