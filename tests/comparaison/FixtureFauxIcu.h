#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "comparaison/ImplGestionIcu.h"
#include "outils/DossierTemporaire.h"
#include "outils/VariableTemporaire.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Texte.h"

namespace kv::tests {

// Managers loaded from the ICU stand-ins, with a journal of every call they
// make into them. The user's locale is pinned to French.
class TFixtureFauxIcu : public ::testing::Test {
 protected:
  TFixtureFauxIcu()
      : FJournal(FDossier.Chemin() / "journal.txt"),
        FVariableJournal("FAUX_ICU_JOURNAL", FJournal.string()),
        FLcAll("LC_ALL", "fr_FR.UTF-8") {}

  // The stand-in folder ANom, as a place to search.
  static TypeEmplacementIcu Emplacement(const std::string& ANom) {
    return {plateforme::CheminCadriciel(plateforme::DepuisUtf8(KV_DOSSIER_FAUX_ICU + ANom)),
            NomsIcuApplication()};
  }

  static std::u16string Fichier(const std::string& ADossier, const std::string& ANom) {
    return plateforme::DepuisUtf8(KV_DOSSIER_FAUX_ICU + ADossier + "/" + ANom);
  }

  // The calls made so far, emptied.
  std::vector<std::string> Journal() {
    std::vector<std::string> lignes;
    std::ifstream flux(FJournal);
    for (std::string ligne; std::getline(flux, ligne);) lignes.push_back(ligne);
    flux.close();
    std::ofstream(FJournal, std::ios::trunc);
    return lignes;
  }

  // Sets what one function of the stand-in answers, for the rest of the test.
  void Statut(const char* AFonction, int AStatut) {
    const std::string nom = std::string("FAUX_ICU_STATUT_") + AFonction;
    FStatuts.emplace_back(nom.c_str(), std::to_string(AStatut));
  }

 private:
  TDossierTemporaire FDossier;
  std::filesystem::path FJournal;
  TVariableTemporaire FVariableJournal;
  TVariableTemporaire FLcAll;
  std::list<TVariableTemporaire> FStatuts;
};

}  // namespace kv::tests
