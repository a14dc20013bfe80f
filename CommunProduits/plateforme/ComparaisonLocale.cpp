#include "plateforme/ComparaisonLocale.h"

#include <atomic>
#include <cerrno>
#include <climits>

#include "plateforme/Locales.h"

namespace kv::plateforme {
namespace {

// A function pointer is always lock-free, so threads that compare never wait
// on one that replaces the entry.
std::atomic<TypeFonctionCompareString> Entree{&CompareStringSysteme};
static_assert(std::atomic<TypeFonctionCompareString>::is_always_lock_free);

int ComparerDansLocaleUtilisateur(std::uint32_t AOptions, std::u16string_view AChaine1,
                                  std::u16string_view AChaine2) {
  // The entry takes int lengths: a longer text must not be cut to fit.
  if (AChaine1.size() > INT_MAX || AChaine2.size() > INT_MAX) {
    errno = EOVERFLOW;
    return -2;
  }
  return CompareString(IdLocaleUtilisateurParDefaut, AOptions, AChaine1.data(),
                       static_cast<int>(AChaine1.size()), AChaine2.data(),
                       static_cast<int>(AChaine2.size())) -
         2;
}

}  // namespace

int CompareString(std::uint32_t ALcid, std::uint32_t AOptions, const char16_t* AChaine1,
                  int ALongueur1, const char16_t* AChaine2, int ALongueur2) {
  return Entree.load()(ALcid, AOptions, AChaine1, ALongueur1, AChaine2, ALongueur2);
}

TypeFonctionCompareString RemplacerCompareString(TypeFonctionCompareString AFonction) noexcept {
  return Entree.exchange(AFonction != nullptr ? AFonction : &CompareStringSysteme);
}

int ComparerChaines(std::u16string_view AChaine1, std::u16string_view AChaine2) {
  return ComparerDansLocaleUtilisateur(0, AChaine1, AChaine2);
}

int ComparerTexte(std::u16string_view AChaine1, std::u16string_view AChaine2) {
  return ComparerDansLocaleUtilisateur(IgnorerCasse, AChaine1, AChaine2);
}

bool MemeTexte(std::u16string_view AChaine1, std::u16string_view AChaine2) {
  return ComparerTexte(AChaine1, AChaine2) == 0;
}

}  // namespace kv::plateforme
