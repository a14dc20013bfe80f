#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "plateforme/FichierBinaire.h"
#include "serialisation/Flux.h"

namespace kv {

enum class TypeModeFluxFichier : std::uint8_t {
  mffLecture,          // an existing file, read only
  mffLectureEcriture,  // an existing file, read and written
  mffCreation,         // created, or emptied when it exists
};

// A stream over a file, which stays open as long as the stream. Its size is
// the file's at opening, grown by what the stream writes: writers outside the
// stream are not followed.
class TFluxFichier : public TFlux {
 public:
  // AChemin in the framework's form. Raises EInOutError, with the system's
  // reason, when the file cannot be opened (or is not a regular file).
  TFluxFichier(std::u16string_view AChemin, TypeModeFluxFichier AMode);

  std::int64_t GetTaille() const override;
  std::int64_t GetPosition() const override;
  void SetPosition(std::int64_t APosition) override;
  // Raises EReadError, having moved nothing, when the file holds fewer bytes
  // than asked (it shrank behind the stream's back, say) or cannot be read.
  void Lire(void* ADestination, std::size_t ANombre) override;
  // Raises EWriteError, with the system's reason, when the file refuses the
  // bytes (a stream opened for reading among them); the position stays and
  // part of the bytes may be in the file.
  void Ecrire(const void* ASource, std::size_t ANombre) override;

  const std::u16string& GetChemin() const noexcept { return FChemin; }

 private:
  std::u16string FChemin;
  plateforme::TFichierBinaire FFichier;
  bool FEcriture;
  std::int64_t FTaille = 0;
  std::int64_t FPosition = 0;
};

}  // namespace kv
