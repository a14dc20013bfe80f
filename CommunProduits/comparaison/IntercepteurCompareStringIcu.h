#pragma once

#include <cstdint>
#include <string>

#include "comparaison/ComparateursChaines.h"
#include "comparaison/I_IntercepteurCompareString.h"

namespace kv {

// Answers the framework's locale-aware comparisons with ICU: six collators,
// three strengths for the user's locale as it was at construction and three
// for the invariant locale (ICU's root).
class TIntercepteurCompareStringIcu : public TObjetInterfacable, public IIntercepteurCompareString {
  KV_INTERFACES(TObjetInterfacable, IIntercepteurCompareString)

 public:
  explicit TIntercepteurCompareStringIcu(TGestionIcu* AGestionIcu);

  // The invariant locale's comparers for LocaleInvariante (0x7F), the user's
  // for every other identifier.
  int CompareString(std::uint32_t ALcid, std::uint32_t AOptions, const char16_t* AChaine1,
                    int ALongueur1, const char16_t* AChaine2, int ALongueur2) override;
  // The invariant locale's comparers for an empty name, the user's otherwise.
  int CompareStringEx(const char16_t* ANomLocale, std::uint32_t AOptions, const char16_t* AChaine1,
                      int ALongueur1, const char16_t* AChaine2, int ALongueur2) override;

  std::uint32_t IdLocaleUtilisateur() const { return FIdLocaleUtilisateur; }
  const std::u16string& LocaleUtilisateur() const { return FLocaleUtilisateur; }

 private:
  const TJeuComparateursChaines& JeuPourLcid(std::uint32_t ALcid) const;
  const TJeuComparateursChaines& JeuPourNomLocale(const char16_t* ANomLocale) const;
  static int Comparer(const TJeuComparateursChaines& AJeu, std::uint32_t AOptions,
                      const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
                      int ALongueur2);

  std::uint32_t FIdLocaleUtilisateur;
  std::u16string FLocaleUtilisateur;
  TJeuComparateursChaines FJeuComparateursUtilisateur;
  TJeuComparateursChaines FJeuComparateursInvariant;
};

}  // namespace kv
