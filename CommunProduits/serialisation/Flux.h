#pragma once

// Streams of bytes that formatters write to and read from.

#include <cstddef>
#include <cstdint>

#include "commun/Exception.h"

namespace kv {

// A stream, or a formatter reading one, cannot give what is asked: the bytes
// end too soon, or they are not what the reader expects. Messages begin with
// "Erreur de lecture du flux : ".
KV_DECLARER_EXCEPTION(EReadError, EInOutError);
// A stream, or a formatter writing one, cannot take what it is given. Messages
// begin with "Erreur d'écriture du flux : ".
KV_DECLARER_EXCEPTION(EWriteError, EInOutError);

// A sequence of bytes with a position. Reading past the end raises instead of
// answering fewer bytes: a reader never sees a value cut short.
class TFlux {
 public:
  virtual ~TFlux() = default;

  // Size in bytes of everything the stream holds.
  virtual std::int64_t GetTaille() const = 0;
  virtual std::int64_t GetPosition() const = 0;
  // Raises EArgumentInvalide for a position outside [0, size].
  virtual void SetPosition(std::int64_t APosition) = 0;

  // Copies ANombre bytes from the position on; raises EReadError, having read
  // nothing, when fewer remain.
  virtual void Lire(void* ADestination, std::size_t ANombre) = 0;
  // Writes ANombre bytes at the position, growing the stream as needed; raises
  // EWriteError when the medium refuses them.
  virtual void Ecrire(const void* ASource, std::size_t ANombre) = 0;

  // Bytes left between the position and the end; never negative.
  std::int64_t Restant() const {
    const std::int64_t restant = GetTaille() - GetPosition();
    return restant > 0 ? restant : 0;
  }

 protected:
  // The checks every stream makes, with their messages: SetPosition's
  // (EArgumentInvalide) and Lire's (EReadError).
  void VerifierPosition(std::int64_t APosition) const;
  void VerifierLecture(std::size_t ANombre) const;
};

}  // namespace kv
