#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

constexpr char16_t CaractereRemplacement = u'\uFFFD';

void AjouterPointCode(std::u16string& ASortie, char32_t APoint) {
  if (APoint < 0x10000) {
    ASortie += static_cast<char16_t>(APoint);
    return;
  }
  APoint -= 0x10000;
  ASortie += static_cast<char16_t>(0xD800 + (APoint >> 10));
  ASortie += static_cast<char16_t>(0xDC00 + (APoint & 0x3FF));
}

// Writes APoint at ASortie and answers the position after it.
char* EcrireUtf8(char* ASortie, char32_t APoint) {
  if (APoint < 0x80) {
    *ASortie++ = static_cast<char>(APoint);
  } else if (APoint < 0x800) {
    *ASortie++ = static_cast<char>(0xC0 | (APoint >> 6));
    *ASortie++ = static_cast<char>(0x80 | (APoint & 0x3F));
  } else if (APoint < 0x10000) {
    *ASortie++ = static_cast<char>(0xE0 | (APoint >> 12));
    *ASortie++ = static_cast<char>(0x80 | ((APoint >> 6) & 0x3F));
    *ASortie++ = static_cast<char>(0x80 | (APoint & 0x3F));
  } else {
    *ASortie++ = static_cast<char>(0xF0 | (APoint >> 18));
    *ASortie++ = static_cast<char>(0x80 | ((APoint >> 12) & 0x3F));
    *ASortie++ = static_cast<char>(0x80 | ((APoint >> 6) & 0x3F));
    *ASortie++ = static_cast<char>(0x80 | (APoint & 0x3F));
  }
  return ASortie;
}

// Returns false at the first fault when AStrict, else replaces it. Each UTF-16
// unit gives at most three bytes (a pair gives four), so the output is sized
// once and written in place.
bool Encoder(std::u16string_view ATexte, std::string& ASortie, bool AStrict) {
  ASortie.resize(3 * ATexte.size());
  char* const debut = ASortie.data();
  char* fin = debut;
  for (std::size_t i = 0; i < ATexte.size(); ++i) {
    const char16_t c = ATexte[i];
    if (c < 0xD800 || c > 0xDFFF) {
      fin = EcrireUtf8(fin, c);
    } else if (c <= 0xDBFF && i + 1 < ATexte.size() && ATexte[i + 1] >= 0xDC00 &&
               ATexte[i + 1] <= 0xDFFF) {
      fin = EcrireUtf8(fin, 0x10000 + ((char32_t{c} - 0xD800) << 10) + (ATexte[i + 1] - 0xDC00));
      ++i;
    } else if (AStrict) {
      return false;
    } else {
      fin = EcrireUtf8(fin, CaractereRemplacement);
    }
  }
  ASortie.resize(static_cast<std::size_t>(fin - debut));
  return true;
}

struct TypeSequence {
  int Longueur = 0;           // 0: not a lead byte
  char32_t Valeur = 0;        // bits carried by the lead byte
  unsigned char Bas = 0x80;   // allowed range of the second byte, which rules out
  unsigned char Haut = 0xBF;  // over-long forms, surrogates and values past U+10FFFF
};

TypeSequence Entete(unsigned char AOctet) {
  if (AOctet >= 0xC2 && AOctet <= 0xDF) return {2, char32_t{AOctet} & 0x1F};
  if (AOctet >= 0xE0 && AOctet <= 0xEF) {
    return {3, char32_t{AOctet} & 0x0F, static_cast<unsigned char>(AOctet == 0xE0 ? 0xA0 : 0x80),
            static_cast<unsigned char>(AOctet == 0xED ? 0x9F : 0xBF)};
  }
  if (AOctet >= 0xF0 && AOctet <= 0xF4) {
    return {4, char32_t{AOctet} & 0x07, static_cast<unsigned char>(AOctet == 0xF0 ? 0x90 : 0x80),
            static_cast<unsigned char>(AOctet == 0xF4 ? 0x8F : 0xBF)};
  }
  return {};
}

bool Decoder(std::string_view ATexte, std::u16string& ASortie, bool AStrict) {
  ASortie.reserve(ATexte.size());
  std::size_t i = 0;
  while (i < ATexte.size()) {
    const auto octet = static_cast<unsigned char>(ATexte[i]);
    if (octet < 0x80) {
      ASortie += static_cast<char16_t>(octet);
      ++i;
      continue;
    }
    TypeSequence sequence = Entete(octet);
    std::size_t lus = 1;
    if (sequence.Longueur != 0) {
      for (; lus < static_cast<std::size_t>(sequence.Longueur) && i + lus < ATexte.size(); ++lus) {
        const auto suite = static_cast<unsigned char>(ATexte[i + lus]);
        if (suite < sequence.Bas || suite > sequence.Haut) break;
        sequence.Valeur = (sequence.Valeur << 6) | (suite & 0x3F);
        sequence.Bas = 0x80;
        sequence.Haut = 0xBF;
      }
    }
    if (sequence.Longueur == 0 || lus < static_cast<std::size_t>(sequence.Longueur)) {
      if (AStrict) return false;
      ASortie += CaractereRemplacement;
    } else {
      AjouterPointCode(ASortie, sequence.Valeur);
    }
    i += lus;
  }
  return true;
}

}  // namespace

std::string VersUtf8(std::u16string_view ATexte) {
  std::string sortie;
  Encoder(ATexte, sortie, false);
  return sortie;
}

std::optional<std::string> VersUtf8Strict(std::u16string_view ATexte) {
  std::string sortie;
  if (!Encoder(ATexte, sortie, true)) return std::nullopt;
  return sortie;
}

std::u16string DepuisUtf8(std::string_view ATexte) {
  std::u16string sortie;
  Decoder(ATexte, sortie, false);
  return sortie;
}

std::optional<std::u16string> DepuisUtf8Strict(std::string_view ATexte) {
  std::u16string sortie;
  if (!Decoder(ATexte, sortie, true)) return std::nullopt;
  return sortie;
}

}  // namespace kv::plateforme
