#pragma once

// Shared libraries loaded while the program runs.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::plateforme {

// A loaded library; null stands for none.
using TypeModule = void*;

// Paths are this machine's own (see Fichiers.h).

// Loads the library at AChemin with every
// symbol resolved now, so that a missing dependency fails here and not at a
// later call. Its own dependencies are found the system's usual way (on this
// machine, a library deployed beside the program finds its neighbours through
// its run path). Null on failure; DerniereErreurBibliotheque says why.
TypeModule ChargerBibliotheque(std::u16string_view AChemin);

// The address of the exported symbol ANom; null when it is not there.
void* AdresseProcedure(TypeModule AModule, const std::string& ANom);

// Gives the library back; null is ignored.
void LibererBibliotheque(TypeModule AModule) noexcept;

// True when the library at AChemin is loaded in this process now.
bool BibliothequeChargee(std::u16string_view AChemin);

// The loader's text for the last failure of this thread; empty when there is
// none.
std::u16string DerniereErreurBibliotheque();

// The folders in which the loader looks for the system's shared libraries, in
// its order, each with a trailing separator.
std::vector<std::u16string> DossiersBibliothequesSysteme();

// The folders named by the loader's configuration file AFichier, in its
// order: one folder a line, '#' comments, "include <pattern>" lines naming
// further files (a relative pattern from AFichier's folder). Each file is read
// once, so that files that include one another end. Folders that are not
// absolute are skipped, as the loader skips them.
std::vector<std::u16string> DossiersConfigurationChargeur(std::u16string_view AFichier);

// A pair of system libraries of the same major version.
struct TypePaireBibliotheques {
  std::u16string Dossier;  // with a trailing separator
  unsigned Version = 0;    // N of "<name>.so.N"
};

// The first system folder holding both "<ANom1>.so.N" and "<ANom2>.so.N" for
// some N, with the highest such N there; nothing when no folder has a pair.
std::optional<TypePaireBibliotheques> ChercherPaireBibliotheques(std::string_view ANom1,
                                                                  std::string_view ANom2);

}  // namespace kv::plateforme
