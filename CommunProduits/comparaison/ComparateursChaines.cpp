#include "comparaison/ComparateursChaines.h"

#include "commun/Exception.h"
#include "comparaison/KVIcu.h"
#include "plateforme/ComparaisonLocale.h"

namespace kv {

namespace {

std::uint32_t OptionsDeForce(std::uint32_t AForce) {
  if (AForce == ForcePrimaire) return plateforme::IgnorerCasse | plateforme::IgnorerDiacritiques;
  if (AForce == ForceSecondaire) return plateforme::IgnorerCasse;
  return 0;
}

TComparateurChainesIcu* CreerIcu(TGestionIcu* AGestionIcu, std::uint32_t AForce,
                                 const std::u16string& ALocale) {
  return Construire<TComparateurChainesIcu>(AGestionIcu, AForce, ALocale, false);
}

}  // namespace

void TComparateurChainesBase::RefuserLongueur() {
  throw EArgumentInvalide(u"Chaîne trop longue pour être comparée");
}

TComparateurChainesNatif::TComparateurChainesNatif(std::uint32_t AForce,
                                                   const std::u16string& ALocale)
    : TComparateurChainesBase(true), FLocale(ALocale), FOptions(OptionsDeForce(AForce)) {}

int TComparateurChainesNatif::Compare(const char16_t* AChaine1, int ALongueur1,
                                      const char16_t* AChaine2, int ALongueur2) {
  return plateforme::CompareStringExSysteme(FLocale.c_str(), FOptions, AChaine1, ALongueur1,
                                            AChaine2, ALongueur2) -
         2;
}

TComparateurChainesIcu::TComparateurChainesIcu(TGestionIcu* AGestionIcu, std::uint32_t AForce,
                                               const std::u16string& ALocale,
                                               bool ALiberationAutomatique)
    : TComparateurChainesBase(ALiberationAutomatique),
      FGestionIcu(AGestionIcu),
      FCollationneur(AGestionIcu->OuvrirCollationneur(AForce, ALocale)) {
  if (AForce == ForceIdentique) return;
  try {
    FComparateurNatif = Nouveau<TComparateurChainesNatif>(AForce, ALocale);
  } catch (...) {
    FGestionIcu->FermerCollationneur(FCollationneur);
    throw;
  }
}

TComparateurChainesIcu::~TComparateurChainesIcu() {
  if (FCollationneur) FGestionIcu->FermerCollationneur(FCollationneur);
}

int TComparateurChainesIcu::ComparerAMesurer(const char16_t* AChaine1, int ALongueur1,
                                             const char16_t* AChaine2, int ALongueur2) {
  if (!MesurerTexte(AChaine1, ALongueur1) || !MesurerTexte(AChaine2, ALongueur2)) return -2;
  return Comparer(AChaine1, ALongueur1, AChaine2, ALongueur2);
}

int TComparateurChainesIcu::ComparerEtDepartager(const char16_t* AChaine1, int ALongueur1,
                                                 const char16_t* AChaine2, int ALongueur2) {
  const int resultat = FGestionIcu->ComparerAvecCollationneur(FCollationneur, AChaine1,
                                                              ALongueur1, AChaine2, ALongueur2);
  if (resultat != 0 || ALongueur1 == ALongueur2) return resultat;
  // A locale the system does not know (ICU's "de@collation=phonebook", say)
  // leaves ICU's answer standing rather than turning it into a failure.
  const int departage = FComparateurNatif->Compare(AChaine1, ALongueur1, AChaine2, ALongueur2);
  return departage == -2 ? 0 : departage;
}

void TJeuComparateursChaines::TypeLiberation::operator()(
    TComparateurChainesIcu* AComparateur) const {
  AComparateur->Liberer();
}

TJeuComparateursChaines::TJeuComparateursChaines(TGestionIcu* AGestionIcu,
                                                 const std::u16string& ALocale)
    : FComparateurPrimaire(CreerIcu(AGestionIcu, ForcePrimaire, ALocale)),
      FComparateurSecondaire(CreerIcu(AGestionIcu, ForceSecondaire, ALocale)),
      FComparateurIdentique(CreerIcu(AGestionIcu, ForceIdentique, ALocale)) {}

TComparateurChainesIcu& TJeuComparateursChaines::GetComparateur(std::uint32_t AOptions) const {
  if (AOptions & plateforme::IgnorerDiacritiques) return *FComparateurPrimaire;
  if (AOptions & plateforme::IgnorerCasse) return *FComparateurSecondaire;
  return *FComparateurIdentique;
}

}  // namespace kv
