#pragma once

#include <filesystem>
#include <string>

#include "outils/DossierTemporaire.h"
#include "outils/VariableTemporaire.h"

namespace kv::tests {

// Points every folder that the platform layer takes from the environment into
// a fresh temporary folder, for one test: both registry hives, the
// configuration and home folders, the temporary root and the common
// application data. Nothing is created but the temporary folder itself; child
// processes inherit the variables.
class TEnvironnementIsole {
 public:
  TEnvironnementIsole() = default;
  TEnvironnementIsole(const TEnvironnementIsole&) = delete;
  TEnvironnementIsole& operator=(const TEnvironnementIsole&) = delete;

  const std::filesystem::path& Racine() const { return FDossier.Chemin(); }
  std::filesystem::path Machine() const { return Racine() / "machine"; }
  std::filesystem::path Configuration() const { return Racine() / "cfg"; }
  std::filesystem::path Personnel() const { return Racine() / "home"; }
  std::filesystem::path Temporaire() const { return Racine() / "temp"; }
  std::filesystem::path Communes() const { return Racine() / "communes"; }

  // A path of this machine in the framework's form: '/' shown as '\'.
  static std::u16string EnCadriciel(const std::filesystem::path& AChemin) {
    std::u16string texte = AChemin.u16string();
    for (char16_t& c : texte) {
      if (c == u'/') c = u'\\';
    }
    return texte;
  }

 private:
  TDossierTemporaire FDossier;
  TVariableTemporaire FMachine{"KV_REGISTRE_MACHINE", Machine().string()};
  TVariableTemporaire FUtilisateur{"KV_REGISTRE_UTILISATEUR", (Racine() / "utilisateur").string()};
  TVariableTemporaire FXdg{"XDG_CONFIG_HOME", Configuration().string()};
  TVariableTemporaire FPersonnel{"HOME", Personnel().string()};
  TVariableTemporaire FTemp{"TEMP", Temporaire().string()};
  TVariableTemporaire FCommunes{"KV_DONNEES_COMMUNES", Communes().string()};
};

}  // namespace kv::tests
