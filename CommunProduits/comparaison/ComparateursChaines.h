#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "comparaison/I_ComparateurChaines.h"
#include "comparaison/ImplGestionIcu.h"
#include "objets/ObjetInterfacable.h"

namespace kv {

// What the two string comparers share: a comparison of two strings is the
// comparison of their buffers.
class TComparateurChainesBase : public TObjetInterfacable, public IComparateurChaines {
  KV_INTERFACES(TObjetInterfacable, IComparateurChaines)

 public:
  using IComparateurChaines::Compare;
  // Raises EArgumentInvalide for a string too long to be measured in an int.
  int Compare(const std::u16string& ALeft, const std::u16string& ARight) override;

 protected:
  explicit TComparateurChainesBase(bool ALiberationAutomatique)
      : TObjetInterfacable(ALiberationAutomatique) {}
};

// The system's own comparison of the locale ALocale, with the flags that match
// the strength: case and accents ignored at primary strength, case at
// secondary, nothing at identical.
class TComparateurChainesNatif : public TComparateurChainesBase {
 public:
  TComparateurChainesNatif(std::uint32_t AForce, const std::u16string& ALocale);

  using TComparateurChainesBase::Compare;
  // The system's answer minus 2: -2 when the system fails.
  int Compare(const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
              int ALongueur2) override;

  std::uint32_t Options() const { return FOptions; }

 private:
  std::u16string FLocale;
  std::uint32_t FOptions;
};

// An ICU collator of the manager AGestionIcu. Texts ICU finds equal while
// their lengths differ are ordered by the system's comparison of the same
// strength, except at identical strength, where equal stays equal.
class TComparateurChainesIcu : public TComparateurChainesBase {
 public:
  // Owned as an interface when ALiberationAutomatique, else freed by Liberer.
  TComparateurChainesIcu(TGestionIcu* AGestionIcu, std::uint32_t AForce,
                         const std::u16string& ALocale, bool ALiberationAutomatique = true);

  using TComparateurChainesBase::Compare;
  int Compare(const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
              int ALongueur2) override;

 protected:
  ~TComparateurChainesIcu() override;

 private:
  TGestionIcu* FGestionIcu;  // not owned; outlives the comparer
  TypeCollationneur FCollationneur;
  TRef<IComparateurChaines> FComparateurNatif;  // none at identical strength
};

// The three ICU comparers of one locale, by strength, owned by the set.
class TJeuComparateursChaines {
 public:
  TJeuComparateursChaines(TGestionIcu* AGestionIcu, const std::u16string& ALocale);

  // Primary for options with IgnorerDiacritiques, else secondary for options
  // with IgnorerCasse, else identical; other bits are ignored. No reference
  // is taken.
  TComparateurChainesIcu& GetComparateur(std::uint32_t AOptions) const;

 private:
  struct TypeLiberation {
    void operator()(TComparateurChainesIcu* AComparateur) const;
  };
  using TypeComparateur = std::unique_ptr<TComparateurChainesIcu, TypeLiberation>;

  // Declared in construction order: destroyed identical, secondary, primary.
  TypeComparateur FComparateurPrimaire;
  TypeComparateur FComparateurSecondaire;
  TypeComparateur FComparateurIdentique;
};

}  // namespace kv
