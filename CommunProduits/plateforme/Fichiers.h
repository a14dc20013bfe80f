#pragma once

// Files and folders. Paths are this machine's own (see CheminNatif) unless said
// otherwise; every operation is forgiving: a failure gives false.
//
// The framework writes paths with backslashes. On this machine a framework path
// is the native path with each '/' shown as '\': "/home/a" is "\home\a".

#include <cstdint>
#include <optional>
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
// path in the meantime counts as created. On failure the thread's last system
// error (ErreurSysteme.h) says why.
bool CreerDossier(std::u16string_view AChemin);

// Creates the folder and every missing parent, in turn from the deepest one that
// exists; stops at the first level that cannot be created. True when the folder
// exists at the end; on failure the thread's last system error says why the
// level that stopped it could not be created.
bool CreerDossierEtParents(std::u16string_view AChemin);

// Renames the file at AAncien to ANouveau, replacing a file already there; on
// failure the thread's last system error says why.
bool RenommerFichier(std::u16string_view AAncien, std::u16string_view ANouveau);

// Why EcrireFichierAtomique failed.
struct TypeEchecEcriture {
  std::u16string_view Etape;  // in French: "écriture", "remplacement"...
  int Code = 0;               // the system's error code (ErreurSysteme.h)
};

// Replaces the file at AChemin by AContenu so that a reader, a crash or a full
// disk finds either the old file or the new one whole, never a mixture: the
// bytes go to a temporary file in the same folder, which is flushed to disk and
// then renamed over AChemin; the folder is flushed last (not reported when it
// fails: the new file is already the one every reader sees). A file that was
// there keeps its permissions; a new one gets ADroitsNouveau less the process's
// umask. The temporary file is ATemporaire when given, for a caller whose lock
// keeps other writers away (a file left there by a writer that died is
// replaced); otherwise a new name beside AChemin, so that writers that do not
// lock never share one. Nothing on success; on failure the temporary file is
// removed, the old file is as it was, and the result names the failed step.
std::optional<TypeEchecEcriture> EcrireFichierAtomique(std::u16string_view AChemin,
                                                       std::string_view AContenu,
                                                       std::uint32_t ADroitsNouveau = 0666,
                                                       std::u16string_view ATemporaire = {});

// Deletes the file at the path; false when there is none or it cannot be
// deleted. A folder is never deleted.
bool SupprimerFichier(std::u16string_view AChemin);

}  // namespace kv::plateforme
