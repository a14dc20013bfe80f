// Runs a fuzz target (LLVMFuzzerTestOneInput) without libFuzzer: a fixed
// pseudo-random sequence of inputs, so that every run, on every machine, tries
// the same ones and a failure can be replayed.
//
//   <cible> [-runs=N] [-seed=S] [-max_len=L] [graine ou dossier de graines]...
//
// The seeds (files, or every file of a folder, in name order) are tried as
// they are first; then each input is either random bytes or a seed changed by
// a few mutations. The options have libFuzzer's names and meanings, so the
// same command line suits a target built with -fsanitize=fuzzer (which,
// unlike this driver, adds what it finds to the first folder given).
//
// A target reports a fault by crashing (abort, a sanitizer's report, an
// exception that escapes): the input being tried is then printed in
// hexadecimal on standard error.

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AOctets, std::size_t ATaille);
// Optional in a target, as with libFuzzer.
extern "C" [[gnu::weak]] int LLVMFuzzerInitialize(int* AArgc, char*** AArgv);
// Present when a sanitizer is linked in.
extern "C" [[gnu::weak]] void __sanitizer_set_death_callback(void (*ARappel)());

namespace {

namespace fs = std::filesystem;

using TypeEntree = std::vector<std::uint8_t>;

struct TypeOptions {
  std::uint64_t Entrees = 20000;
  std::uint64_t Graine = 1;
  std::size_t TailleMaximale = 4096;
  std::vector<std::string> Graines;
};

// The input being tried, for the crash report. Set before each call.
volatile bool GEnCours = false;
const std::uint8_t* GEntreeCourante = nullptr;
std::size_t GTailleCourante = 0;
std::uint64_t GIndiceCourant = 0;

void EcrireTexte(const char* ATexte) {
  ssize_t ignore = ::write(STDERR_FILENO, ATexte, std::strlen(ATexte));
  (void)ignore;
}

// Only write(2): it may run in a signal handler.
void SignalerEntree() {
  if (!GEnCours) return;
  char nombre[24];
  char* fin = nombre + sizeof nombre - 1;
  *fin = '\0';
  char* debut = fin;
  std::uint64_t indice = GIndiceCourant;
  do {
    *--debut = static_cast<char>('0' + indice % 10);
    indice /= 10;
  } while (indice != 0);
  EcrireTexte("\nfuzz : échec sur l'entrée n° ");
  EcrireTexte(debut);
  EcrireTexte(", en hexadécimal :\n");
  static constexpr char Chiffres[] = "0123456789abcdef";
  const std::size_t montres = std::min<std::size_t>(GTailleCourante, 8192);
  for (std::size_t i = 0; i < montres; ++i) {
    const char octet[2] = {Chiffres[GEntreeCourante[i] >> 4], Chiffres[GEntreeCourante[i] & 15]};
    ssize_t ignore = ::write(STDERR_FILENO, octet, 2);
    (void)ignore;
  }
  EcrireTexte(montres < GTailleCourante ? "...\n" : "\n");
}

void SurSignal(int ASignal) {
  SignalerEntree();
  ::signal(ASignal, SIG_DFL);
  ::raise(ASignal);
}

// A sanitizer reports faults itself and then calls its death callback; its
// own handlers for the fault signals stay in place. An abort (a property that
// does not hold, an exception that escapes) is left to everyone.
void InstallerRapports() {
  ::signal(SIGABRT, &SurSignal);
  if (__sanitizer_set_death_callback) {
    __sanitizer_set_death_callback(&SignalerEntree);
    return;
  }
  for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL}) ::signal(signal, &SurSignal);
}

bool LireOption(std::string_view AArgument, std::string_view ANom, std::uint64_t& AValeur) {
  if (AArgument.substr(0, ANom.size()) != ANom) return false;
  const std::string valeur(AArgument.substr(ANom.size()));
  char* fin = nullptr;
  AValeur = std::strtoull(valeur.c_str(), &fin, 10);
  if (valeur.empty() || *fin != '\0') {
    std::fprintf(stderr, "fuzz : valeur invalide dans %s\n", std::string(AArgument).c_str());
    std::exit(2);
  }
  return true;
}

TypeOptions LireOptions(int argc, char** argv) {
  TypeOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    std::uint64_t taille = 0;
    if (LireOption(argument, "-runs=", options.Entrees) ||
        LireOption(argument, "-seed=", options.Graine)) {
      continue;
    }
    if (LireOption(argument, "-max_len=", taille)) {
      options.TailleMaximale = static_cast<std::size_t>(std::max<std::uint64_t>(taille, 1));
      continue;
    }
    if (argument.starts_with("-")) {
      std::fprintf(stderr, "fuzz : option inconnue %s\n", argv[i]);
      std::exit(2);
    }
    options.Graines.emplace_back(argument);
  }
  return options;
}

TypeEntree LireFichier(const fs::path& AFichier) {
  std::ifstream flux(AFichier, std::ios::binary);
  if (!flux) {
    std::fprintf(stderr, "fuzz : graine illisible %s\n", AFichier.c_str());
    std::exit(2);
  }
  return {std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>()};
}

std::vector<TypeEntree> LireGraines(const std::vector<std::string>& AChemins) {
  std::vector<TypeEntree> graines;
  for (const std::string& chemin : AChemins) {
    if (!fs::is_directory(chemin)) {
      graines.push_back(LireFichier(chemin));
      continue;
    }
    std::vector<fs::path> fichiers;
    for (const auto& element : fs::directory_iterator(chemin)) {
      if (element.is_regular_file()) fichiers.push_back(element.path());
    }
    std::sort(fichiers.begin(), fichiers.end());
    for (const fs::path& fichier : fichiers) graines.push_back(LireFichier(fichier));
  }
  return graines;
}

// The mutations. std::mt19937_64's sequence is fixed by the standard; the
// distributions are not, hence the plain modulo.
class TMutateur {
 public:
  TMutateur(std::uint64_t AGraine, std::vector<TypeEntree> AGraines, std::size_t ATailleMaximale)
      : FHasard(AGraine), FGraines(std::move(AGraines)), FTailleMaximale(ATailleMaximale) {
    // Bytes the seeds use are likelier to mean something to the target.
    for (const TypeEntree& graine : FGraines)
      FAlphabet.insert(FAlphabet.end(), graine.begin(), graine.end());
    std::sort(FAlphabet.begin(), FAlphabet.end());
    FAlphabet.erase(std::unique(FAlphabet.begin(), FAlphabet.end()), FAlphabet.end());
    for (const std::uint8_t octet : {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF})
      FAlphabet.push_back(octet);
  }

  TypeEntree Suivante() {
    if (FGraines.empty() || Tirer(4) == 0) return Aleatoire();
    TypeEntree entree = FGraines[Tirer(FGraines.size())];
    const std::size_t mutations = 1 + Tirer(Tirer(2) == 0 ? 2 : 8);
    for (std::size_t i = 0; i < mutations; ++i) Muter(entree);
    if (entree.size() > FTailleMaximale) entree.resize(FTailleMaximale);
    return entree;
  }

 private:
  // Uniform enough in [0, ANombre) for ANombre > 0.
  std::size_t Tirer(std::size_t ANombre) { return static_cast<std::size_t>(FHasard() % ANombre); }

  std::uint8_t Octet() {
    return Tirer(2) == 0 ? FAlphabet[Tirer(FAlphabet.size())]
                         : static_cast<std::uint8_t>(FHasard());
  }

  // Short inputs are the likeliest to hit edge cases: sizes are skewed small.
  TypeEntree Aleatoire() {
    const std::size_t limite = Tirer(std::min<std::size_t>(FTailleMaximale, 256) + 1) + 1;
    TypeEntree entree(Tirer(limite));
    for (std::uint8_t& octet : entree) octet = Octet();
    return entree;
  }

  void EcrireEntier(TypeEntree& AEntree) {
    static constexpr std::uint64_t Valeurs[] = {
        0,      1,          0x7F,       0x80,       0xFF,        0x100,      0x7FFF,
        0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x100000000, ~0ULL >> 1, ~0ULL};
    const std::size_t largeur = std::size_t{1} << Tirer(4);  // 1, 2, 4 or 8 bytes
    if (AEntree.size() < largeur) return;
    std::uint64_t valeur = Valeurs[Tirer(std::size(Valeurs))];
    if (Tirer(4) == 0) valeur = AEntree.size() + Tirer(3) - 1;  // sizes and offsets
    const std::size_t position = Tirer(AEntree.size() - largeur + 1);
    const bool grosBoutiste = Tirer(2) == 0;
    for (std::size_t i = 0; i < largeur; ++i) {
      const std::size_t decalage = 8 * (grosBoutiste ? largeur - 1 - i : i);
      AEntree[position + i] = static_cast<std::uint8_t>(valeur >> decalage);
    }
  }

  void Muter(TypeEntree& AEntree) {
    const std::size_t taille = AEntree.size();
    switch (Tirer(9)) {
      case 0:  // one bit
        if (taille > 0) AEntree[Tirer(taille)] ^= static_cast<std::uint8_t>(1u << Tirer(8));
        break;
      case 1:  // one byte
        if (taille > 0) AEntree[Tirer(taille)] = Octet();
        break;
      case 2:  // a few bytes inserted
        for (std::size_t n = 1 + Tirer(4); n > 0; --n) {
          AEntree.insert(AEntree.begin() + static_cast<std::ptrdiff_t>(Tirer(AEntree.size() + 1)),
                         Octet());
        }
        break;
      case 3:  // a range erased
        if (taille > 0) {
          const std::size_t debut = Tirer(taille);
          const std::size_t nombre = 1 + Tirer(std::min<std::size_t>(taille - debut, 16));
          AEntree.erase(AEntree.begin() + static_cast<std::ptrdiff_t>(debut),
                        AEntree.begin() + static_cast<std::ptrdiff_t>(debut + nombre));
        }
        break;
      case 4:  // a range copied elsewhere
        if (taille > 0) {
          const std::size_t debut = Tirer(taille);
          const std::size_t nombre = 1 + Tirer(std::min<std::size_t>(taille - debut, 16));
          const TypeEntree morceau(AEntree.begin() + static_cast<std::ptrdiff_t>(debut),
                                   AEntree.begin() + static_cast<std::ptrdiff_t>(debut + nombre));
          AEntree.insert(AEntree.begin() + static_cast<std::ptrdiff_t>(Tirer(taille + 1)),
                         morceau.begin(), morceau.end());
        }
        break;
      case 5:
        EcrireEntier(AEntree);
        break;
      case 6: {  // the start of this one, the end of another seed
        const TypeEntree& autre = FGraines[Tirer(FGraines.size())];
        AEntree.resize(Tirer(taille + 1));
        AEntree.insert(AEntree.end(),
                       autre.begin() + static_cast<std::ptrdiff_t>(Tirer(autre.size() + 1)),
                       autre.end());
        break;
      }
      case 7:  // cut short
        AEntree.resize(Tirer(taille + 1));
        break;
      default:  // a byte repeated
        if (taille > 0) {
          const std::size_t position = Tirer(taille);
          AEntree.insert(AEntree.begin() + static_cast<std::ptrdiff_t>(position), 1 + Tirer(32),
                         AEntree[position]);
        }
        break;
    }
  }

  std::mt19937_64 FHasard;
  std::vector<TypeEntree> FGraines;
  std::size_t FTailleMaximale;
  std::vector<std::uint8_t> FAlphabet;
};

// A copy of exactly the input's size, so that a sanitizer sees any read past
// its end.
void Essayer(const TypeEntree& AEntree, std::uint64_t AIndice) {
  const auto copie = std::make_unique<std::uint8_t[]>(AEntree.size());
  if (!AEntree.empty()) std::memcpy(copie.get(), AEntree.data(), AEntree.size());
  GEntreeCourante = copie.get();
  GTailleCourante = AEntree.size();
  GIndiceCourant = AIndice;
  GEnCours = true;
  LLVMFuzzerTestOneInput(copie.get(), AEntree.size());
  GEnCours = false;
}

}  // namespace

int main(int argc, char** argv) {
  const TypeOptions options = LireOptions(argc, argv);
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
  InstallerRapports();
  std::vector<TypeEntree> graines = LireGraines(options.Graines);
  const std::size_t nombreGraines = graines.size();
  const auto debut = std::chrono::steady_clock::now();

  std::uint64_t indice = 0;
  for (const TypeEntree& graine : graines) Essayer(graine, indice++);
  TMutateur mutateur(options.Graine, std::move(graines), options.TailleMaximale);
  for (std::uint64_t i = 0; i < options.Entrees; ++i) Essayer(mutateur.Suivante(), indice++);

  const auto duree = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - debut);
  std::printf("fuzz : %llu entrées (dont %zu graines), graine %llu, %lld ms\n",
              static_cast<unsigned long long>(indice), nombreGraines,
              static_cast<unsigned long long>(options.Graine),
              static_cast<long long>(duree.count()));
  return 0;
}
