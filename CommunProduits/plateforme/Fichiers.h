#pragma once

// Files and folders. Paths are this machine's own (see CheminNatif) unless said
// otherwise; every operation is forgiving: a failure gives false.
//
// The framework writes paths with backslashes. On this machine a framework path
// is the native path with each '/' shown as '\': "/home/a" is "\home\a".

#include <string>
#include <string_view>

namespace kv::plateforme {

char16_t SeparateurChemin();

// A path written with the framework's backslashes, in this machine's form.
std::u16string CheminNatif(std::u16string_view ACheminWindows);

// A path of this machine in the framework's form. A backslash that a native
// name holds cannot be told from a separator afterwards.
std::u16string CheminCadriciel(std::u16string_view ACheminNatif);

// Full-path normalisation, on paths in the framework's form: a path that does
// not start with a separator is taken from the current directory (a drive
// letter means nothing here: "C:\a" is relative); "." and ".."
// levels are removed and repeated separators merged, without looking at the
// disk; ".." at the root stays there. '/' is read as a separator too, the
// result has backslashes and keeps a trailing one. Empty when the path is empty
// or the current directory cannot be read.
std::u16string CheminComplet(std::u16string_view AChemin);

// True when a directory exists at the path, following symbolic links.
bool DossierExiste(std::u16string_view AChemin);

// True when something other than a directory exists at the path, following
// symbolic links.
bool FichierExiste(std::u16string_view AChemin);

// True when a file or a directory exists at the path, following symbolic links.
bool CheminExiste(std::u16string_view AChemin);

// True when the file system takes paths of 260 characters or more as they are,
// without the extended-length prefix "\\?\".
bool CheminsLongsActives();

// Creates one folder, whose parent must exist. A directory that appears at the
// path in the meantime counts as created.
bool CreerDossier(std::u16string_view AChemin);

// Creates the folder and every missing parent, in turn from the deepest one that
// exists; stops at the first level that cannot be created. True when the folder
// exists at the end.
bool CreerDossierEtParents(std::u16string_view AChemin);

// Deletes the file at the path; false when there is none or it cannot be
// deleted. A folder is never deleted.
bool SupprimerFichier(std::u16string_view AChemin);

}  // namespace kv::plateforme
