// A stand-in for the two ICU libraries of release 57, built only for the
// tests: it lets them choose each status ICU answers and see, in order, every
// call the framework makes, down to the unloading of each library.
//
// Environment, read at each call:
//   FAUX_ICU_JOURNAL             file to which each call appends one line
//   FAUX_ICU_STATUT_<FONCTION>   status answered by U_INIT, SETMEMORY,
//                                UCOL_OPEN or SETATTRIBUTE (0 by default)
//
// Built as the common library with FAUX_ICU_UC, as the internationalisation
// library with FAUX_ICU_IN; SANS_SETMEMORY and SANS_SETATTRIBUTE leave one
// entry point out.

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

#define EXPORTE extern "C" __attribute__((visibility("default")))

namespace {

void Noter(const std::string& ALigne) {
  const char* chemin = std::getenv("FAUX_ICU_JOURNAL");
  if (!chemin) return;
  if (std::FILE* fichier = std::fopen(chemin, "a")) {
    std::fputs((ALigne + "\n").c_str(), fichier);
    std::fclose(fichier);
  }
}

int Statut(const char* AFonction) {
  const char* valeur = std::getenv((std::string("FAUX_ICU_STATUT_") + AFonction).c_str());
  return valeur ? std::atoi(valeur) : 0;
}

}  // namespace

#ifdef FAUX_ICU_UC

namespace {
using TypeAllouer = void* (*)(const void*, std::size_t);
using TypeReallouer = void* (*)(const void*, void*, std::size_t);
using TypeLiberer = void (*)(const void*, void*);
TypeAllouer GAllouer = nullptr;
TypeLiberer GLiberer = nullptr;
void* GBloc = nullptr;  // what "ICU" keeps between u_init and u_cleanup
}  // namespace

#ifndef SANS_SETMEMORY
EXPORTE void u_setMemoryFunctions_57(const void*, TypeAllouer AAllouer, TypeReallouer,
                                     TypeLiberer ALiberer, int* AStatut) {
  Noter("u_setMemoryFunctions");
  if (*AStatut > 0) return;
  *AStatut = Statut("SETMEMORY");
  if (*AStatut <= 0) {
    GAllouer = AAllouer;
    GLiberer = ALiberer;
  }
}
#endif

EXPORTE void u_init_57(int* AStatut) {
  Noter("u_init");
  if (*AStatut > 0) return;
  *AStatut = Statut("U_INIT");
  if (*AStatut <= 0 && GAllouer) GBloc = GAllouer(nullptr, 64);
}

EXPORTE void u_cleanup_57() {
  Noter("u_cleanup");
  if (GBloc) GLiberer(nullptr, GBloc);
  GBloc = nullptr;
}

__attribute__((destructor)) static void Dechargement() { Noter("dechargement uc"); }

#endif

#ifdef FAUX_ICU_IN

namespace {
struct TypeCollationneur {
  std::string Locale;
};
}  // namespace

EXPORTE void* ucol_open_57(const char* ALocale, int* AStatut) {
  Noter(std::string("ucol_open ") + ALocale);
  if (*AStatut > 0) return nullptr;
  *AStatut = Statut("UCOL_OPEN");
  if (*AStatut > 0) return nullptr;
  return new TypeCollationneur{ALocale};
}

EXPORTE void ucol_close_57(void* ACollationneur) {
  if (!ACollationneur) return;
  Noter("ucol_close " + static_cast<TypeCollationneur*>(ACollationneur)->Locale);
  delete static_cast<TypeCollationneur*>(ACollationneur);
}

// Code-unit order over the common prefix only: a text and its extensions are
// "equal", which shows what the framework does with equal texts of different
// lengths.
EXPORTE int ucol_strcoll_57(const void*, const char16_t* AChaine1, int ALongueur1,
                            const char16_t* AChaine2, int ALongueur2) {
  Noter("ucol_strcoll");
  const int commun = ALongueur1 < ALongueur2 ? ALongueur1 : ALongueur2;
  for (int i = 0; i < commun; ++i) {
    if (AChaine1[i] != AChaine2[i]) return AChaine1[i] < AChaine2[i] ? -1 : 1;
  }
  return 0;
}

#ifndef SANS_SETATTRIBUTE
EXPORTE void ucol_setAttribute_57(void*, int AAttribut, int AValeur, int* AStatut) {
  Noter("ucol_setAttribute " + std::to_string(AAttribut) + " " + std::to_string(AValeur));
  if (*AStatut > 0) return;
  *AStatut = Statut("SETATTRIBUTE");
}
#endif

__attribute__((destructor)) static void Dechargement() { Noter("dechargement in"); }

#endif
