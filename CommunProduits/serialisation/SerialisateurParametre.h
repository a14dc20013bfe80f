#pragma once

// The base of the parameter serializers (I_SerialisateurParametre.h): a
// serialisable object whose description can be written, read back and traced,
// immutable once built and shared by counted references.
//
// Limits on what is read. A description or a value read from a stream never
// makes the reader touch memory out of bounds nor allocate more than the
// stream justifies: sizes read must be between 0 and TailleMaximaleValeur,
// alignments between 0 and TailleMaximaleValeur, element counts must keep an
// array's bytes within FacteurTailleLecture times the stream's size; anything
// else raises EReadError.

#include <cstdint>
#include <string_view>

#include "objets/Reference.h"
#include "serialisation/ConteneurParametre.h"
#include "serialisation/I_FormatSerialisation.h"
#include "serialisation/I_SerialisateurParametre.h"
#include "serialisation/ObjetSerialisable.h"
#include "serialisation/TraceElement.h"

namespace kv {

class TSerialisateurParametre : public TObjetSerialisable,
                                public ISerialisateurParametre,
                                public IFSPourTrace {
  KV_INTERFACES(TObjetSerialisable, ISerialisateurParametre, IFSPourTrace)
  KV_CLASSE_SERIALISABLE(TSerialisateurParametre, TObjetSerialisable)

 public:
  // The largest value, in bytes, that a description read may declare.
  static constexpr std::int32_t TailleMaximaleValeur = 1 << 24;
  // An array read may take up to this many times the stream's size in memory:
  // a value is larger in memory than on the stream (a 32-byte string object
  // for a 5-byte empty string, an 8-byte pointer for a 1-byte null).
  static constexpr std::int64_t FacteurTailleLecture = 8;

  // Always made with automatic freeing, whatever is asked: serializers are
  // shared by references.
  explicit TSerialisateurParametre(bool ALiberationAutomatique = true) noexcept;

  // Releases the value (LibererValeur) and destroys the container.
  void LibererConteneur(TConteneurParametre* AConteneur, bool ALibererObjets) override;
  // 8.
  std::int32_t GetAlignement() override;
  bool GetEstGere() override;
  bool GetEstFlottant() override;
  // 1.
  std::int32_t GetNombreParametres() override;
  void Reserve() override;
  // Same size and same alignment.
  bool EstCompatibleAvec(ISerialisateurParametre* AAutre) override;
  // Zero bytes.
  void InitialiserValeur(void* AAdresse) noexcept override;
  // Nothing.
  void DetruireValeur(void* AAdresse) noexcept override;

  // The element "Classe" holding the class name; descendants append theirs.
  void SerialiserPourTrace(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) override;

 protected:
  ~TSerialisateurParametre() override = default;

  // Checks a size read from a description; raises EReadError naming AQuoi.
  static std::int32_t VerifierTailleLue(std::int64_t ATaille, std::u16string_view AQuoi);
};

// Rounds up the size of a raw value: n above 7, otherwise the smallest power of
// two not below n (1 for 0 and 1).
std::int32_t ArrondirTaille(std::int32_t ATaille) noexcept;

// AValeur rounded up to a multiple of AAlignement; an alignment of 0 or less
// counts as 1.
std::int64_t AlignerSur(std::int64_t AValeur, std::int64_t AAlignement) noexcept;

}  // namespace kv
