#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "outils/DossierTemporaire.h"
#include "outils/VariableTemporaire.h"

namespace kv::tests {

// Points every folder that the platform layer takes from the environment into
// a fresh temporary folder, for one test: both registry hives, the
// configuration and home folders, the temporary root and the common
// application data; the current folder is the temporary folder too, so that a
// path made absolute from it stays inside. Nothing is created but the
// temporary folder itself; child processes inherit the variables and the
// current folder.
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
  // Puts the current folder back when the test ends.
  class TDossierCourant {
   public:
    explicit TDossierCourant(const std::filesystem::path& ADossier)
        : FAncien(std::filesystem::current_path()) {
      std::filesystem::current_path(ADossier);
    }
    ~TDossierCourant() {
      std::error_code erreur;
      std::filesystem::current_path(FAncien, erreur);
    }
    TDossierCourant(const TDossierCourant&) = delete;
    TDossierCourant& operator=(const TDossierCourant&) = delete;

   private:
    std::filesystem::path FAncien;
  };

  TDossierTemporaire FDossier;
  TDossierCourant FCourant{FDossier.Chemin()};
  TVariableTemporaire FMachine{"KV_REGISTRE_MACHINE", Machine().string()};
  TVariableTemporaire FUtilisateur{"KV_REGISTRE_UTILISATEUR", (Racine() / "utilisateur").string()};
  TVariableTemporaire FXdg{"XDG_CONFIG_HOME", Configuration().string()};
  TVariableTemporaire FPersonnel{"HOME", Personnel().string()};
  TVariableTemporaire FTemp{"TEMP", Temporaire().string()};
  TVariableTemporaire FCommunes{"KV_DONNEES_COMMUNES", Communes().string()};
};

}  // namespace kv::tests
