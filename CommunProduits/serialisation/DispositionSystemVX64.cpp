// The System V x86-64 layout of a described method, as g++ and clang make a
// virtual call: arguments in RDI, RSI, RDX, RCX, R8, R9 and XMM0 to XMM7, the
// rest on the stack; `this` first, after the hidden address of a result that
// does not come back in registers. A value that is not trivially copyable
// travels by address (of a copy the caller makes); a trivially copyable
// value of up to 16 bytes is split in 8-byte pieces, each an INTEGER or an SSE
// piece after the scalars it holds, and goes whole to the stack when one piece
// cannot be placed in a register; larger values go whole to the stack.
//
// The frame keeps the common shape: a hidden result address at the position
// after the interface pointer, each value in as many positions as its pieces.
// Values are aligned on 8 bytes at most (the described types are), so a stack
// value never needs a gap before it.

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "commun/Exception.h"
#include "serialisation/DispositionAppel.h"

namespace kv {
namespace {

using namespace registres_x64;

constexpr std::array<std::int32_t, 6> RegistresEntiers = {RDI, RSI, RDX, RCX, R8, R9};
constexpr std::int32_t NombreRegistresSse = 8;
constexpr std::array<std::int32_t, 2> RetoursEntiers = {RAX, RDX};

enum class TypeClasse : std::uint8_t { tcEntier, tcSse, tcMemoire };

// The classes of the 8-byte pieces of a trivially copyable value; one
// tcMemoire when it goes to memory.
std::vector<TypeClasse> Classer(const TypeEntreeDisposition& AValeur) {
  const std::int32_t taille = AValeur.Taille;
  if (taille > 16) return {TypeClasse::tcMemoire};
  std::vector<TypeFeuilleScalaire> feuilles = AValeur.Feuilles;
  if (feuilles.empty()) {
    for (std::int32_t offset = 0; offset < taille; offset += 8) {
      feuilles.push_back({offset, std::min(8, taille - offset), AValeur.Flottant});
    }
  }
  // A piece without scalars (never, with natural alignment) counts as INTEGER.
  std::vector<bool> entier(static_cast<std::size_t>(TailleSurPile(taille) / 8), false);
  std::vector<bool> sse(entier.size(), false);
  for (const TypeFeuilleScalaire& feuille : feuilles) {
    const std::size_t morceau = static_cast<std::size_t>(feuille.Offset / 8);
    // A scalar across two pieces (a packed record) sends the value to memory.
    if (static_cast<std::size_t>((feuille.Offset + feuille.Taille - 1) / 8) != morceau) {
      return {TypeClasse::tcMemoire};
    }
    (feuille.Flottant ? sse : entier)[morceau] = true;
  }
  std::vector<TypeClasse> classes;
  for (std::size_t i = 0; i < entier.size(); ++i) {
    classes.push_back(sse[i] && !entier[i] ? TypeClasse::tcSse : TypeClasse::tcEntier);
  }
  return classes;
}

bool EnMemoire(const std::vector<TypeClasse>& AClasses) {
  return AClasses.size() == 1 && AClasses[0] == TypeClasse::tcMemoire;
}

class TRepartition {
 public:
  explicit TRepartition(TypeDispositionMethode& ADisposition) : FDisposition(ADisposition) {}

  // One position holding an integer or an address.
  void PlacerEntier() {
    if (FEntiers < RegistresEntiers.size()) {
      Ajouter({TypeGenreEmplacement::geRegistreEntier, RegistresEntiers[FEntiers++]});
    } else {
      PlacerSurPile(1);
    }
  }

  // A trivially copyable value passed by value, one position per piece.
  void PlacerValeur(const std::vector<TypeClasse>& AClasses, std::int32_t ANombrePositions) {
    std::size_t entiers = 0;
    std::size_t sse = 0;
    for (TypeClasse classe : AClasses) (classe == TypeClasse::tcSse ? sse : entiers) += 1;
    if (EnMemoire(AClasses) || FEntiers + entiers > RegistresEntiers.size() ||
        FSse + sse > NombreRegistresSse) {
      PlacerSurPile(ANombrePositions);
      return;
    }
    for (TypeClasse classe : AClasses) {
      if (classe == TypeClasse::tcSse) {
        Ajouter({TypeGenreEmplacement::geRegistreSse, static_cast<std::int32_t>(FSse++)});
      } else {
        Ajouter({TypeGenreEmplacement::geRegistreEntier, RegistresEntiers[FEntiers++]});
      }
    }
  }

 private:
  void PlacerSurPile(std::int32_t ANombrePositions) {
    for (std::int32_t i = 0; i < ANombrePositions; ++i) {
      Ajouter({TypeGenreEmplacement::gePile, FDisposition.OctetsPile});
      FDisposition.OctetsPile += 8;
    }
  }
  void Ajouter(TypeEmplacement AEmplacement) { FDisposition.Emplacements.push_back(AEmplacement); }

  TypeDispositionMethode& FDisposition;
  std::size_t FEntiers = 0;
  std::size_t FSse = 0;
};

class TDispositionSystemVX64 final : public TDispositionAppel {
 public:
  std::u16string_view Nom() const noexcept override { return u"System V x86-64"; }

  TypeDispositionMethode Disposer(const TypeEntreeDispositionMethode& AMethode) const override {
    VerifierEntreeDisposition(AMethode);
    TypeDispositionMethode disposition;
    const auto& entrees = AMethode.Parametres;
    disposition.Parametres.resize(entrees.size());
    disposition.OffsetInterface = 24;
    TRepartition repartition(disposition);

    std::size_t premier = 0;
    bool resultatCache = false;
    if (AMethode.AvecValeurRetour) {
      premier = 1;
      resultatCache = !PlacerResultat(entrees[0], disposition);
    }
    // The hidden result address takes RDI before `this`, but lies after it in the frame.
    if (resultatCache) repartition.PlacerEntier();
    repartition.PlacerEntier();
    if (resultatCache) std::swap(disposition.Emplacements[0], disposition.Emplacements[1]);

    std::int32_t position = resultatCache ? 16 : 8;
    for (std::size_t i = premier; i < entrees.size(); ++i) {
      const TypeEntreeDisposition& entree = entrees[i];
      TypeDispositionParametre& sortie = disposition.Parametres[i];
      sortie.Offset = position + 24;
      const bool parReference =
          ContientMode(entree.ModesAPriori, TypeModeParametre::mpParReference);
      if (parReference || !entree.TrivialementCopiable) {
        sortie.Modes = static_cast<TypeModesParametre>((entree.ModesAPriori | mpsParReference) &
                                                       ~mpsRegles32En64);
        repartition.PlacerEntier();
        position += 8;
      } else {
        sortie.Modes = static_cast<TypeModesParametre>(entree.ModesAPriori & ~mpsRegles32En64);
        const std::int32_t positions = TailleSurPile(entree.Taille) / 8;
        if (positions > 0) repartition.PlacerValeur(Classer(entree), positions);
        position += 8 * positions;
      }
    }
    disposition.TailleArguments = position;
    return disposition;
  }

 private:
  // Lays the result out; false when it comes back through a hidden address.
  static bool PlacerResultat(const TypeEntreeDisposition& AResultat,
                             TypeDispositionMethode& ADisposition) {
    TypeDispositionParametre& sortie = ADisposition.Parametres[0];
    const std::vector<TypeClasse> classes = AResultat.TrivialementCopiable
                                                ? Classer(AResultat)
                                                : std::vector<TypeClasse>{TypeClasse::tcMemoire};
    if (EnMemoire(classes)) {
      sortie.Offset = 32;
      sortie.Modes = static_cast<TypeModesParametre>((AResultat.ModesAPriori | mpsParReference) &
                                                     ~mpsRegles32En64);
      return false;
    }
    ADisposition.ResultatDansRegistre = true;
    sortie.Offset = 0;
    sortie.Modes = static_cast<TypeModesParametre>(AResultat.ModesAPriori & ~mpsRegles32En64);
    if (sortie.Modes == (mpsSortant | mpsParReference)) sortie.Modes = mpsSortant;
    std::size_t entiers = 0;
    std::int32_t sse = 0;
    for (TypeClasse classe : classes) {
      ADisposition.EmplacementsResultat.push_back(
          classe == TypeClasse::tcSse
              ? TypeEmplacement{TypeGenreEmplacement::geRegistreSse, sse++}
              : TypeEmplacement{TypeGenreEmplacement::geRegistreEntier, RetoursEntiers[entiers++]});
    }
    return true;
  }
};

}  // namespace

const TDispositionAppel& DispositionSystemVX64() noexcept {
  static constexpr TDispositionSystemVX64 disposition;
  return disposition;
}

}  // namespace kv
