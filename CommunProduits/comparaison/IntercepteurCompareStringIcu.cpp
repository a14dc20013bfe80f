#include "comparaison/IntercepteurCompareStringIcu.h"

#include "comparaison/KVIcu.h"
#include "plateforme/ComparaisonLocale.h"
#include "plateforme/Locales.h"

namespace kv {

TIntercepteurCompareStringIcu::TIntercepteurCompareStringIcu(TGestionIcu* AGestionIcu)
    : TObjetInterfacable(true),
      FIdLocaleUtilisateur(plateforme::IdLocaleUtilisateur()),
      FLocaleUtilisateur(NomLocaleDepuisLcid(FIdLocaleUtilisateur)),
      FJeuComparateursUtilisateur(AGestionIcu, FLocaleUtilisateur),
      FJeuComparateursInvariant(AGestionIcu, u"") {}

const TJeuComparateursChaines& TIntercepteurCompareStringIcu::JeuPourLcid(std::uint32_t ALcid) const {
  return ALcid == plateforme::IdLocaleInvariante ? FJeuComparateursInvariant
                                                 : FJeuComparateursUtilisateur;
}

const TJeuComparateursChaines& TIntercepteurCompareStringIcu::JeuPourNomLocale(
    const char16_t* ANomLocale) const {
  return EstNomLocaleInvariant(ANomLocale) ? FJeuComparateursInvariant
                                           : FJeuComparateursUtilisateur;
}

int TIntercepteurCompareStringIcu::Comparer(const TJeuComparateursChaines& AJeu,
                                            std::uint32_t AOptions, const char16_t* AChaine1,
                                            int ALongueur1, const char16_t* AChaine2,
                                            int ALongueur2) {
  if (!MesurerTexte(AChaine1, ALongueur1) || !MesurerTexte(AChaine2, ALongueur2)) return 0;
  if (ALongueur1 == 0 || ALongueur2 == 0 || AChaine1 == AChaine2) {
    return (ALongueur1 > ALongueur2) - (ALongueur1 < ALongueur2) + 2;
  }
  return AJeu.GetComparateur(AOptions).Compare(AChaine1, ALongueur1, AChaine2, ALongueur2) + 2;
}

int TIntercepteurCompareStringIcu::CompareString(std::uint32_t ALcid, std::uint32_t AOptions,
                                                 const char16_t* AChaine1, int ALongueur1,
                                                 const char16_t* AChaine2, int ALongueur2) {
  return Comparer(JeuPourLcid(ALcid), AOptions, AChaine1, ALongueur1, AChaine2, ALongueur2);
}

int TIntercepteurCompareStringIcu::CompareStringEx(const char16_t* ANomLocale,
                                                   std::uint32_t AOptions,
                                                   const char16_t* AChaine1, int ALongueur1,
                                                   const char16_t* AChaine2, int ALongueur2) {
  return Comparer(JeuPourNomLocale(ANomLocale), AOptions, AChaine1, ALongueur1, AChaine2,
                  ALongueur2);
}

}  // namespace kv
