// The Windows x64 layout of a described method, as the framework defines it:
// the first four argument positions in RCX, RDX, R8 and R9 (XMM1 to XMM3 for
// floating point), the others on the stack above a 32-byte home area, so that
// all of them lie in one contiguous block. The modes follow the framework's
// rules for values passed by reference, including its 32-bit rules for sets.

#include "commun/Exception.h"
#include "serialisation/DispositionAppel.h"

namespace kv {
namespace {

constexpr TypeModesParametre mpsEntreeParReference = mpsEntrant | mpsParReference;

bool PasseEnRegistre64(std::int32_t ATaille) {
  return ATaille == 1 || ATaille == 2 || ATaille == 4 || ATaille == 8;
}

// The modes in force for a parameter declared with AParametre.ModesAPriori.
TypeModesParametre ModesEnVigueur(const TypeEntreeDisposition& AParametre) {
  const std::int32_t taille = AParametre.Taille;
  // A value of one position that is not 1, 2, 4 or 8 bytes cannot travel in a
  // register or a stack slot: the convention passes its address. (The rules
  // below leave values above 8 bytes in place; that holds only for an open
  // array's two positions.)
  const bool tropGrand = taille > 8 && AParametre.NombreParametres == 1;
  TypeModesParametre modes = AParametre.ModesAPriori;
  if (modes == mpsEntrant) {
    if ((taille < 8 && !PasseEnRegistre64(taille)) || tropGrand) modes = mpsEntreeParReference;
  } else if (modes == (mpsEntrant | mpsRegles32En64)) {
    if ((taille < 8 && (taille < 1 || taille > 4)) || tropGrand) modes = mpsEntreeParReference;
  } else if (modes == mpsEntreeParReference) {
    if (PasseEnRegistre64(taille)) modes = mpsEntrant;
  } else if (modes == (mpsEntreeParReference | mpsRegles32En64)) {
    if (taille >= 1 && taille <= 4) modes = mpsEntrant;
  }
  return static_cast<TypeModesParametre>(modes & ~mpsRegles32En64);
}

bool RetourParRegistre(const TypeEntreeDisposition& AResultat) {
  return PasseEnRegistre64(AResultat.Taille) && !AResultat.Gere;
}

class TDispositionWindowsX64 final : public TDispositionAppel {
 public:
  std::u16string_view Nom() const noexcept override { return u"Windows x64"; }

  TypeDispositionMethode Disposer(const TypeEntreeDispositionMethode& AMethode) const override {
    VerifierEntreeDisposition(AMethode);
    TypeDispositionMethode disposition;
    const auto& entrees = AMethode.Parametres;
    auto& sorties = disposition.Parametres;
    sorties.resize(entrees.size());
    for (std::size_t i = 0; i < entrees.size(); ++i) sorties[i].Modes = ModesEnVigueur(entrees[i]);

    disposition.OffsetInterface = 24;
    std::int32_t position = 8;  // after the interface pointer
    auto placer = [&](std::size_t AIndice) {
      sorties[AIndice].Offset = position + 24;
      position += ContientMode(sorties[AIndice].Modes, TypeModeParametre::mpParReference)
                      ? 8
                      : TailleSurPile(entrees[AIndice].Taille);
    };
    std::size_t premier = 0;
    if (AMethode.AvecValeurRetour) {
      premier = 1;
      if (RetourParRegistre(entrees[0])) {
        disposition.ResultatDansRegistre = true;
        sorties[0].Offset = 0;
        if (sorties[0].Modes == (mpsSortant | mpsParReference)) sorties[0].Modes = mpsSortant;
      } else {
        placer(0);  // a hidden argument: the address the result is written to
      }
    }
    for (std::size_t i = premier; i < entrees.size(); ++i) placer(i);
    disposition.TailleArguments = position;
    disposition.TaillePile = position < 32 ? 32 : (position + 15) / 16 * 16;

    // Only argument positions 1 to 3 travel in registers.
    unsigned bit = 2;
    for (std::size_t i = disposition.ResultatDansRegistre ? 1 : 0; i < entrees.size() && bit <= 8;
         ++i) {
      const bool parReference = ContientMode(sorties[i].Modes, TypeModeParametre::mpParReference);
      if (!parReference && entrees[i].Flottant) {
        disposition.MasqueSse = static_cast<std::uint8_t>(disposition.MasqueSse | bit);
      }
      bit <<= entrees[i].NombreParametres;
    }
    return disposition;
  }
};

}  // namespace

const TDispositionAppel& DispositionWindowsX64() noexcept {
  static constexpr TDispositionWindowsX64 disposition;
  return disposition;
}

}  // namespace kv
