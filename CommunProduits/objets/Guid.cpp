#include "objets/Guid.h"

#include "plateforme/Identifiants.h"

namespace kv {
namespace {

constexpr char16_t ChiffresHexa[] = u"0123456789ABCDEF";

void AjouterHexa(std::u16string& ATexte, std::uint32_t AValeur, int AChiffres) {
  for (int decalage = (AChiffres - 1) * 4; decalage >= 0; decalage -= 4) {
    ATexte += ChiffresHexa[(AValeur >> decalage) & 0xF];
  }
}

bool LireHexa(std::u16string_view ATexte, std::size_t ADebut, int AChiffres,
              std::uint32_t& AValeur) {
  AValeur = 0;
  for (int i = 0; i < AChiffres; ++i) {
    const char16_t c = ATexte[ADebut + static_cast<std::size_t>(i)];
    std::uint32_t chiffre;
    if (c >= u'0' && c <= u'9') {
      chiffre = c - u'0';
    } else if (c >= u'A' && c <= u'F') {
      chiffre = c - u'A' + 10;
    } else if (c >= u'a' && c <= u'f') {
      chiffre = c - u'a' + 10;
    } else {
      return false;
    }
    AValeur = AValeur * 16 + chiffre;
  }
  return true;
}

}  // namespace

std::u16string GuidVersTexte(const TGUID& AGuid) {
  std::u16string texte;
  texte.reserve(38);
  texte += u'{';
  AjouterHexa(texte, AGuid.D1, 8);
  texte += u'-';
  AjouterHexa(texte, AGuid.D2, 4);
  texte += u'-';
  AjouterHexa(texte, AGuid.D3, 4);
  texte += u'-';
  for (std::size_t i = 0; i < 8; ++i) {
    if (i == 2) texte += u'-';
    AjouterHexa(texte, AGuid.D4[i], 2);
  }
  texte += u'}';
  return texte;
}

bool TexteVersGuid(std::u16string_view ATexte, TGUID& AGuid) {
  if (ATexte.size() != 38 || ATexte[0] != u'{' || ATexte[9] != u'-' || ATexte[14] != u'-' ||
      ATexte[19] != u'-' || ATexte[24] != u'-' || ATexte[37] != u'}') {
    return false;
  }
  TGUID guid;
  std::uint32_t valeur;
  if (!LireHexa(ATexte, 1, 8, guid.D1)) return false;
  if (!LireHexa(ATexte, 10, 4, valeur)) return false;
  guid.D2 = static_cast<std::uint16_t>(valeur);
  if (!LireHexa(ATexte, 15, 4, valeur)) return false;
  guid.D3 = static_cast<std::uint16_t>(valeur);
  for (std::size_t i = 0; i < 8; ++i) {
    if (!LireHexa(ATexte, detail::PositionsD4[i], 2, valeur)) return false;
    guid.D4[i] = static_cast<std::uint8_t>(valeur);
  }
  AGuid = guid;
  return true;
}

TGUID NouveauGuid() {
  // The identifier's bytes come in text order; the first three groups are
  // numbers, most significant byte first.
  const plateforme::TypeOctetsIdentifiant o = plateforme::NouvelIdentifiantAleatoire();
  TGUID guid;
  guid.D1 = static_cast<std::uint32_t>(o[0]) << 24 | static_cast<std::uint32_t>(o[1]) << 16 |
            static_cast<std::uint32_t>(o[2]) << 8 | o[3];
  guid.D2 = static_cast<std::uint16_t>(o[4] << 8 | o[5]);
  guid.D3 = static_cast<std::uint16_t>(o[6] << 8 | o[7]);
  for (std::size_t i = 0; i < 8; ++i) guid.D4[i] = o[8 + i];
  return guid;
}

}  // namespace kv
