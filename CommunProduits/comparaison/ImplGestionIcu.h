#pragma once

// ICU's declarations give the entry points' types only: the library is never
// linked, it is loaded while the program runs. The build defines
// U_DISABLE_RENAMING so that the names below are ICU's unsuffixed ones.
#include <unicode/uclean.h>
#include <unicode/ucol.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "comparaison/I_GestionIcu.h"
#include "comparaison/I_IntercepteurCompareString.h"
#include "objets/ObjetInterfacable.h"
#include "plateforme/BibliothequesDynamiques.h"

namespace kv {

// The file and entry point names of one ICU release, in this order: the
// common library, u_init, u_cleanup, u_setMemoryFunctions, the
// internationalisation library, ucol_open, ucol_close, ucol_strcoll,
// ucol_setAttribute.
using TypeNomsIcu = std::array<std::string, 9>;

// The names of ICU release AVersion as this machine's loader knows them
// ("libicuuc.so.72", "u_init_72", …).
TypeNomsIcu NomsIcuVersion(unsigned AVersion);
// The release an application may deploy in its "icu" folder: 57.
TypeNomsIcu NomsIcuApplication();

// A place where ICU may be: a folder in the framework's form and the names to
// look for there.
struct TypeEmplacementIcu {
  std::u16string Dossier;
  TypeNomsIcu Noms;
};

// The places searched by default, in order: the system's ICU when the loader
// has one (its release found, not assumed), then the application's own in the
// "icu" folder beside the binaries.
std::vector<TypeEmplacementIcu> EmplacementsIcuParDefaut();

// The entry points of ICU that the framework calls.
struct TypePointsEntreeIcu {
  decltype(&::u_init) u_init = nullptr;
  decltype(&::u_cleanup) u_cleanup = nullptr;
  decltype(&::u_setMemoryFunctions) u_setMemoryFunctions = nullptr;
  decltype(&::ucol_open) ucol_open = nullptr;
  decltype(&::ucol_close) ucol_close = nullptr;
  decltype(&::ucol_strcoll) ucol_strcoll = nullptr;
  decltype(&::ucol_setAttribute) ucol_setAttribute = nullptr;
};

using TypeCollationneur = UCollator*;

// Loads ICU once, when the library options allow it, hands it the process
// memory manager, initialises it and routes the framework's locale-aware
// comparisons to it until destroyed. ICU missing or incomplete is no error:
// comparers then use the system's comparison.
//
// Managers alive at the same time that load the same copy of ICU share it:
// the first initialises it, the last cleans it up. The newest one answers the
// framework's comparisons; when it goes, the newest left takes over. Made and
// destroyed on the main thread only, as the interceptor slot.
//
// Comparers it hands out keep a plain pointer to it: release them first.
class TGestionIcu : public TObjetInterfacable, public IGestionIcu {
  KV_INTERFACES(TObjetInterfacable, IGestionIcu)

 public:
  // Searches EmplacementsIcuParDefaut.
  TGestionIcu();
  // Searches AEmplacements, in order, stopping at the first that loads.
  explicit TGestionIcu(const std::vector<TypeEmplacementIcu>& AEmplacements);

  bool IcuDisponible() override { return FModuleUc != nullptr; }
  TRef<IComparateurChaines> CreerComparateur(std::uint32_t AForce, std::uint32_t ALcid) override;
  TRef<IComparateurChaines> CreerComparateur(std::uint32_t AForce,
                                             const std::u16string& ALocale) override;

  // A collator for ALocale at strength AForce, owned by the caller. Raises
  // EErreurIcu when ICU refuses or is not loaded; its warnings are accepted.
  TypeCollationneur OuvrirCollationneur(std::uint32_t AForce, const std::u16string& ALocale);
  void FermerCollationneur(TypeCollationneur ACollationneur) noexcept;
  // ICU's answer unchanged: -1, 0 or 1.
  int ComparerAvecCollationneur(TypeCollationneur ACollationneur, const char16_t* AChaine1,
                                int ALongueur1, const char16_t* AChaine2, int ALongueur2) {
    return FPoints.ucol_strcoll(ACollationneur, AChaine1, ALongueur1, AChaine2, ALongueur2);
  }

  // The folder ICU was loaded from; empty when it was not.
  const std::u16string& DossierIcu() const { return FDossierIcu; }
  // Why each place searched was passed over, one French line each.
  const std::vector<std::u16string>& Diagnostic() const { return FDiagnostic; }
  const TypePointsEntreeIcu& PointsEntree() const { return FPoints; }

 protected:
  ~TGestionIcu() override;

 private:
  TGestionIcu(const std::vector<TypeEmplacementIcu>& AEmplacements, bool AParDefaut);
  void Charger(const std::vector<TypeEmplacementIcu>& AEmplacements);
  bool ChargerBibliotheques(const std::u16string& ADossier, const TypeNomsIcu& ANoms);
  // True when another manager in use loaded the same copy of ICU.
  bool IcuPartagee() const;
  void InitialiserIcu();
  void Decharger() noexcept;

  plateforme::TypeModule FModuleUc = nullptr;  // not null exactly when ICU is in use
  plateforme::TypeModule FModuleIn = nullptr;
  TypePointsEntreeIcu FPoints;
  TRef<IIntercepteurCompareString> FIntercepteur;  // this manager's, in the slot or not
  std::u16string FDossierIcu;
  std::vector<std::u16string> FDiagnostic;
};

}  // namespace kv
