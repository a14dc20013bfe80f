#pragma once

// The version record of an executable file: the fixed block that the
// framework reads from a file's version resource.
//
// On this machine the record is put into the executable at build time
// (cmake/IncorporerVersion.cmake) as a section of its own, ".kv_version",
// holding the block as thirteen little-endian 32-bit words. Only 64-bit
// little-endian ELF files are read.

#include <cstdint>
#include <span>
#include <string_view>

namespace kv::plateforme {

inline constexpr std::uint32_t SignatureInfosFixesFichier = 0xFEEF04BD;

// The 52-byte fixed block, word by word.
struct TypeInfosFixesFichier {
  std::uint32_t Signature;  // SignatureInfosFixesFichier
  std::uint32_t VersionStructure;
  // File version: the first two numbers in the high and low halves of the
  // most significant word, the last two in those of the least significant.
  std::uint32_t VersionFichierMS;
  std::uint32_t VersionFichierLS;
  std::uint32_t VersionProduitMS;
  std::uint32_t VersionProduitLS;
  std::uint32_t MasqueIndicateurs;
  std::uint32_t Indicateurs;
  std::uint32_t SystemeExploitation;
  std::uint32_t TypeFichier;
  std::uint32_t SousTypeFichier;
  std::uint32_t DateMS;
  std::uint32_t DateLS;
};
static_assert(sizeof(TypeInfosFixesFichier) == 52);

// Name of the section that holds the record.
inline constexpr std::string_view SectionVersion = ".kv_version";

// Reads the record of the file at AChemin (a path of this machine). On
// failure answers false with the thread's last system error set
// (DerniereErreurSysteme): the system's own code when the file cannot be
// opened or read, EISDIR for a folder, ENOEXEC for anything that is not a
// whole, consistent 64-bit little-endian ELF file (another kind of file, one
// cut short, a record section smaller than the block or without its
// signature), ENODATA when the file has no record section. Never reads
// outside the file, never blocks on a pipe.
bool LireInfosVersion(std::u16string_view AChemin, TypeInfosFixesFichier& AInfos);

// The same on a file image already in memory; never reads outside AImage.
bool LireInfosVersionImage(std::span<const std::uint8_t> AImage, TypeInfosFixesFichier& AInfos);

}  // namespace kv::plateforme
