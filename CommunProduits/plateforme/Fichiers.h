#pragma once

// Files and folders. Paths are this machine's own (see CheminNatif); every
// operation is forgiving: a failure gives false.

#include <string>
#include <string_view>

namespace kv::plateforme {

char16_t SeparateurChemin();

// A relative path written with the framework's backslashes, in this machine's
// form.
std::u16string CheminNatif(std::u16string_view ACheminWindows);

// True when a directory exists at the path, following symbolic links.
bool DossierExiste(std::u16string_view AChemin);

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
