#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kv::tests {

// The account children run under when they must not have root's rights.
inline constexpr uid_t CompteSansPrivileges = 65534;

bool EstAdministrateur();

struct TypeLancement {
  std::string Executable;
  std::vector<std::string> Arguments;
  // Variables set (a value) or removed (nothing) over the tests' own environment.
  std::vector<std::pair<std::string, std::optional<std::string>>> Environnement;

  enum class TypeEntree {
    Tube,             // a pipe: TexteEntree is written, then the pipe is closed
    TubeNonBloquant,  // the same, with the child's end left non-blocking
    Fermee,           // no standard input at all
  };
  TypeEntree Entree = TypeEntree::Tube;
  std::string TexteEntree;
  // How long the pipe stays open and empty before TexteEntree is written.
  std::chrono::milliseconds DelaiAvantEntree{0};

  // When set, standard output goes to this file instead of being captured.
  std::string FichierSortie;
  // When the tests run as root, the child runs as CompteSansPrivileges.
  bool SansPrivileges = false;
  // The child is killed past this.
  std::chrono::milliseconds Delai{20000};
};

struct TypeResultat {
  int CodeSortie = -1;  // -1 when the child did not exit by itself
  int Signal = 0;
  bool DelaiDepasse = false;
  bool TermineAvantEntree = false;  // the child had ended before its input came
  std::string Sortie;
  std::string Erreur;
};

TypeResultat Lancer(const TypeLancement& ALancement);

}  // namespace kv::tests
