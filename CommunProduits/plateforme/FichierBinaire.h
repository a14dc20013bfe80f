#pragma once

// Reading and writing a file's bytes at given offsets.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kv::plateforme {

enum class TypeOuvertureFichier : std::uint8_t {
  ofLecture,          // an existing file, read only
  ofLectureEcriture,  // an existing file, read and written
  ofCreation,         // created, or emptied when it exists; read and written
};

// One open regular file. Every operation answers its failure (false, -1) and
// leaves the system's reason as the thread's last error (ErreurSysteme.h).
class TFichierBinaire {
 public:
  TFichierBinaire() = default;
  ~TFichierBinaire();
  TFichierBinaire(const TFichierBinaire&) = delete;
  TFichierBinaire& operator=(const TFichierBinaire&) = delete;

  // Opens the file at AChemin (this machine's form), closing the one open
  // before. Anything but a regular file (a folder, say) is refused, as is a
  // path that cannot be handed to the system unchanged.
  bool Ouvrir(std::u16string_view AChemin, TypeOuvertureFichier AOuverture);
  void Fermer() noexcept;
  bool EstOuvert() const noexcept { return FDescripteur >= 0; }

  // The file's size in bytes now; -1 on failure.
  std::int64_t Taille() const;
  // Reads up to ANombre bytes from APosition on: the count read, fewer only at
  // the end of the file; -1 on failure.
  std::int64_t LireA(std::int64_t APosition, void* ADestination, std::size_t ANombre) const;
  // Writes the ANombre bytes at APosition, growing the file as needed; false
  // on failure, when part of them may have been written.
  bool EcrireA(std::int64_t APosition, const void* ASource, std::size_t ANombre);

 private:
  int FDescripteur = -1;
};

}  // namespace kv::plateforme
