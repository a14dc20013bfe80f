#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "comparaison/I_ComparateurChaines.h"
#include "comparaison/ImplGestionIcu.h"
#include "objets/ObjetInterfacable.h"

namespace kv {

// What the two string comparers share. A comparison of two strings is the
// comparison of their buffers; each comparer makes that call directly rather
// than through its interface, since sorting spends its time there.
class TComparateurChainesBase : public TObjetInterfacable, public IComparateurChaines {
  KV_INTERFACES(TObjetInterfacable, IComparateurChaines)

 protected:
  explicit TComparateurChainesBase(bool ALiberationAutomatique)
      : TObjetInterfacable(ALiberationAutomatique) {}

  // The length of AChaine as the buffer comparison takes it. Raises
  // EArgumentInvalide for a string too long to be measured in an int.
  static int Longueur(const std::u16string& AChaine) {
    if (AChaine.size() > static_cast<std::size_t>(INT_MAX)) RefuserLongueur();
    return static_cast<int>(AChaine.size());
  }

 private:
  [[noreturn]] static void RefuserLongueur();
};

// The system's own comparison of the locale ALocale, with the flags that match
// the strength: case and accents ignored at primary strength, case at
// secondary, nothing at identical.
class TComparateurChainesNatif final : public TComparateurChainesBase {
 public:
  TComparateurChainesNatif(std::uint32_t AForce, const std::u16string& ALocale);

  // The system's answer minus 2: -2 when the system fails.
  int Compare(const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
              int ALongueur2) override;
  int Compare(const std::u16string& ALeft, const std::u16string& ARight) override {
    return Compare(ALeft.data(), Longueur(ALeft), ARight.data(), Longueur(ARight));
  }

  std::uint32_t Options() const { return FOptions; }

 private:
  std::u16string FLocale;
  std::uint32_t FOptions;
};

// An ICU collator of the manager AGestionIcu. Texts ICU finds equal while
// their lengths differ are ordered by the system's comparison of the same
// strength, except at identical strength, where equal stays equal; so do they
// when the system cannot compare them (a locale only ICU knows).
//
// That second opinion makes primary and secondary strengths no strict weak
// order, which a sort needs: at primary strength "S" equals "S\u0301" and
// "\u017F" (long s), yet "S\u0301" sorts before "\u017F"; "Eae" equals
// "E\u0301\u00E6" and "E\u00E6", yet "Eae" sorts before "E\u00E6". At
// secondary strength "A" equals "\uFF41" (full-width a) while "A" sorts
// before "A\u00AD" and "\uFF41" after it.
class TComparateurChainesIcu final : public TComparateurChainesBase {
 public:
  // Owned as an interface when ALiberationAutomatique, else freed by Liberer.
  TComparateurChainesIcu(TGestionIcu* AGestionIcu, std::uint32_t AForce,
                         const std::u16string& ALocale, bool ALiberationAutomatique = true);

  // Lengths as the platform takes them: a negative one for a zero-terminated
  // text; -2 for a null text that is not empty, as the system's comparer.
  int Compare(const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
              int ALongueur2) override {
    if (ALongueur1 < 0 || ALongueur2 < 0 || !AChaine1 || !AChaine2) {
      return ComparerAMesurer(AChaine1, ALongueur1, AChaine2, ALongueur2);
    }
    return Comparer(AChaine1, ALongueur1, AChaine2, ALongueur2);
  }
  int Compare(const std::u16string& ALeft, const std::u16string& ARight) override {
    return Comparer(ALeft.data(), Longueur(ALeft), ARight.data(), Longueur(ARight));
  }

 protected:
  ~TComparateurChainesIcu() override;

 private:
  // Lengths not negative; a text is null only when empty.
  int Comparer(const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
               int ALongueur2) {
    // Empty texts and a text against itself are settled without ICU.
    if (ALongueur1 == 0 || ALongueur2 == 0 || AChaine1 == AChaine2) {
      return (ALongueur1 > ALongueur2) - (ALongueur1 < ALongueur2);
    }
    // Without a second opinion ICU's answer is the answer: a plain tail call,
    // which keeps sorting at identical strength as fast as calling ICU.
    if (!FComparateurNatif) {
      return FGestionIcu->ComparerAvecCollationneur(FCollationneur, AChaine1, ALongueur1,
                                                    AChaine2, ALongueur2);
    }
    return ComparerEtDepartager(AChaine1, ALongueur1, AChaine2, ALongueur2);
  }
  // Measures zero-terminated texts and refuses null ones before Comparer.
  int ComparerAMesurer(const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
                       int ALongueur2);
  // ICU's answer, or the system's comparison of the same strength for texts
  // ICU finds equal while their lengths differ.
  int ComparerEtDepartager(const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
                           int ALongueur2);

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
