#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plateforme/ErreurSysteme.h"
#include "plateforme/RessourceVersion.h"

namespace kv::plateforme {
namespace {

using TypeImage = std::vector<std::uint8_t>;

// Offsets of the smallest image that holds a record: header, names table,
// record, then the section table (null, names, record).
constexpr std::size_t PositionNoms = 64;
constexpr char Noms[] = "\0.shstrtab\0.kv_version";  // with its final NUL: 23 bytes
constexpr std::size_t TailleNoms = sizeof Noms;
constexpr std::size_t PositionBloc = 96;
constexpr std::size_t PositionTable = 152;
constexpr std::size_t TailleImage = PositionTable + 3 * 64;

void Ecrire(TypeImage& AImage, std::size_t APosition, std::uint64_t AValeur, int AOctets) {
  for (int i = 0; i < AOctets; ++i) {
    AImage.at(APosition + static_cast<std::size_t>(i)) =
        static_cast<std::uint8_t>(AValeur >> (8 * i));
  }
}

std::size_t Section(std::size_t AIndice) { return PositionTable + 64 * AIndice; }

TypeImage ImageValide() {
  TypeImage image(TailleImage, 0);
  std::memcpy(image.data(),
              "\x7F"
              "ELF\x02\x01\x01",
              7);
  Ecrire(image, 16, 2, 2);   // executable
  Ecrire(image, 18, 62, 2);  // x86-64
  Ecrire(image, 20, 1, 4);
  Ecrire(image, 40, PositionTable, 8);
  Ecrire(image, 52, 64, 2);
  Ecrire(image, 58, 64, 2);
  Ecrire(image, 60, 3, 2);
  Ecrire(image, 62, 1, 2);
  std::memcpy(image.data() + PositionNoms, Noms, TailleNoms);
  const std::uint32_t mots[13] = {0xFEEF04BD, 0x00010000, 0x00020003, 0x00040005, 0x00060007,
                                  0x00080009, 0x3F,       0,          0,          1,
                                  0,          0x11223344, 0x55667788};
  for (std::size_t i = 0; i < 13; ++i) Ecrire(image, PositionBloc + 4 * i, mots[i], 4);
  Ecrire(image, Section(1), 1, 4);  // ".shstrtab"
  Ecrire(image, Section(1) + 4, 3, 4);
  Ecrire(image, Section(1) + 24, PositionNoms, 8);
  Ecrire(image, Section(1) + 32, TailleNoms, 8);
  Ecrire(image, Section(2), 11, 4);  // ".kv_version"
  Ecrire(image, Section(2) + 4, 1, 4);
  Ecrire(image, Section(2) + 24, PositionBloc, 8);
  Ecrire(image, Section(2) + 32, 52, 8);
  return image;
}

// Reads a copy of exactly the image's size, so that the sanitizer sees any
// read past its end; answers 0 or the error code.
int Lire(const TypeImage& AImage, TypeInfosFixesFichier& AInfos) {
  const auto copie = std::make_unique<std::uint8_t[]>(AImage.size());
  if (!AImage.empty()) std::memcpy(copie.get(), AImage.data(), AImage.size());
  errno = 0;
  return LireInfosVersionImage({copie.get(), AImage.size()}, AInfos) ? 0 : DerniereErreurSysteme();
}

TEST(RessourceVersion, ImageValide) {
  TypeInfosFixesFichier infos{};
  ASSERT_EQ(Lire(ImageValide(), infos), 0);
  EXPECT_EQ(infos.Signature, SignatureInfosFixesFichier);
  EXPECT_EQ(infos.VersionStructure, 0x00010000u);
  EXPECT_EQ(infos.VersionFichierMS, 0x00020003u);
  EXPECT_EQ(infos.VersionFichierLS, 0x00040005u);
  EXPECT_EQ(infos.VersionProduitMS, 0x00060007u);
  EXPECT_EQ(infos.VersionProduitLS, 0x00080009u);
  EXPECT_EQ(infos.MasqueIndicateurs, 0x3Fu);
  EXPECT_EQ(infos.TypeFichier, 1u);
  EXPECT_EQ(infos.DateMS, 0x11223344u);
  EXPECT_EQ(infos.DateLS, 0x55667788u);
}

TEST(RessourceVersion, ImagesFautives) {
  struct TypeCas {
    const char* Nom;
    std::function<void(TypeImage&)> Modifier;
    int Erreur;  // 0: read
  };
  const std::uint64_t immense = ~std::uint64_t{0};
  const TypeCas cas[] = {
      {"pas ELF", [](TypeImage& I) { I[1] = 'X'; }, ENOEXEC},
      {"32 bits", [](TypeImage& I) { I[4] = 1; }, ENOEXEC},
      {"gros-boutiste", [](TypeImage& I) { I[5] = 2; }, ENOEXEC},
      {"sans table de sections", [](TypeImage& I) { Ecrire(I, 40, 0, 8); }, ENODATA},
      {"table après la fin", [](TypeImage& I) { Ecrire(I, 40, TailleImage, 8); }, ENOEXEC},
      {"table à une position immense", [=](TypeImage& I) { Ecrire(I, 40, immense - 10, 8); },
       ENOEXEC},
      {"entrées trop petites", [](TypeImage& I) { Ecrire(I, 58, 40, 2); }, ENOEXEC},
      {"entrées plus grandes que la table", [](TypeImage& I) { Ecrire(I, 58, 65, 2); }, ENOEXEC},
      {"trop d'entrées", [](TypeImage& I) { Ecrire(I, 60, 4, 2); }, ENOEXEC},
      {"65535 entrées", [](TypeImage& I) { Ecrire(I, 60, 0xFFFF, 2); }, ENOEXEC},
      {"indice des noms hors table", [](TypeImage& I) { Ecrire(I, 62, 3, 2); }, ENOEXEC},
      {"noms après la fin", [](TypeImage& I) { Ecrire(I, Section(1) + 24, TailleImage - 4, 8); },
       ENOEXEC},
      {"noms de taille immense", [=](TypeImage& I) { Ecrire(I, Section(1) + 32, immense, 8); },
       ENOEXEC},
      {"noms sans contenu", [](TypeImage& I) { Ecrire(I, Section(1) + 4, 8, 4); }, ENOEXEC},
      {"nom hors de la table des noms", [](TypeImage& I) { Ecrire(I, Section(2), TailleNoms, 4); },
       ENOEXEC},
      // The names table cut inside ".kv_version": the name is not whole.
      {"nom coupé", [](TypeImage& I) { Ecrire(I, Section(1) + 32, TailleNoms - 1, 8); }, ENODATA},
      {"autre nom", [](TypeImage& I) { I[PositionNoms + 21] = 'X'; }, ENODATA},
      {"nom plus long", [](TypeImage& I) { I[PositionNoms + 22] = 'X'; }, ENODATA},
      {"bloc trop court", [](TypeImage& I) { Ecrire(I, Section(2) + 32, 51, 8); }, ENOEXEC},
      {"bloc plus long", [](TypeImage& I) { Ecrire(I, Section(2) + 32, 56, 8); }, 0},
      {"bloc sans contenu", [](TypeImage& I) { Ecrire(I, Section(2) + 4, 8, 4); }, ENOEXEC},
      {"bloc après la fin", [](TypeImage& I) { Ecrire(I, Section(2) + 24, TailleImage - 51, 8); },
       ENOEXEC},
      {"bloc à une position immense", [=](TypeImage& I) { Ecrire(I, Section(2) + 24, immense, 8); },
       ENOEXEC},
      {"mauvaise signature", [](TypeImage& I) { I[PositionBloc] ^= 1; }, ENOEXEC},
      // Past 0xFF00 sections the count and the names index sit in section 0.
      {"nombre étendu",
       [](TypeImage& I) {
         Ecrire(I, 60, 0, 2);
         Ecrire(I, Section(0) + 32, 3, 8);
       },
       0},
      {"nombre étendu immense",
       [=](TypeImage& I) {
         Ecrire(I, 60, 0, 2);
         Ecrire(I, Section(0) + 32, immense, 8);
       },
       ENOEXEC},
      {"nombre étendu nul", [](TypeImage& I) { Ecrire(I, 60, 0, 2); }, ENODATA},
      {"indice des noms étendu",
       [](TypeImage& I) {
         Ecrire(I, 62, 0xFFFF, 2);
         Ecrire(I, Section(0) + 40, 1, 4);
       },
       0},
      {"indice des noms étendu hors table",
       [](TypeImage& I) {
         Ecrire(I, 62, 0xFFFF, 2);
         Ecrire(I, Section(0) + 40, 0xFFFFFFFF, 4);
       },
       ENOEXEC},
  };
  for (const TypeCas& c : cas) {
    TypeImage image = ImageValide();
    c.Modifier(image);
    TypeInfosFixesFichier infos{};
    EXPECT_EQ(Lire(image, infos), c.Erreur) << c.Nom;
    if (c.Erreur == 0) {
      EXPECT_EQ(infos.VersionFichierMS, 0x00020003u) << c.Nom;
    }
  }
}

// Every image cut short misses part of its section table, at its end.
TEST(RessourceVersion, ImagesCoupees) {
  const TypeImage image = ImageValide();
  for (std::size_t taille = 0; taille < image.size(); ++taille) {
    TypeInfosFixesFichier infos{};
    EXPECT_EQ(
        Lire(TypeImage(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(taille)), infos),
        ENOEXEC)
        << taille;
  }
}

}  // namespace
}  // namespace kv::plateforme
