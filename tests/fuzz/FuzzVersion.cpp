// Versions read from untrusted input: the byte forms, the text form and the
// XML form, each checked against what it must give back.

#include <cstdint>
#include <pugixml.hpp>
#include <span>
#include <string>

#include "Proprietes.h"
#include "commun/Format.h"
#include "environnement/TypeVersion.h"

namespace {

using kv::TypeVersion;

bool EstCompacte(const TypeVersion& AVersion) {
  if (AVersion.Numeros.empty()) return true;
  if (AVersion.Numeros[0] > 254) return false;
  for (const std::uint32_t nombre : AVersion.Numeros) {
    if (nombre > 255) return false;
  }
  return true;
}

// Bytes give a version exactly when the form is whole; its bytes read back as
// it, and are the input itself when the input was the form that the version
// is written in.
void VerifierOctets(std::span<const std::uint8_t> AOctets) {
  const bool longue = !AOctets.empty() && AOctets[0] == 0xFF;
  const bool entiere = !longue || (AOctets.size() - 1) % 4 == 0;
  TypeVersion version;
  try {
    version = TypeVersion::DepuisOctets(AOctets);
  } catch (const kv::ENumerosVersionInvalides&) {
    KV_VERIFIER(!entiere);
    return;
  }
  KV_VERIFIER(entiere);
  KV_VERIFIER(version.Numeros.size() == (longue ? (AOctets.size() - 1) / 4 : AOctets.size()));
  const TypeVersion::TypeOctets ecrits = version.EnOctets();
  KV_VERIFIER(TypeVersion::DepuisOctets(ecrits) == version);
  const bool canonique = !longue || !EstCompacte(version);
  if (canonique) KV_VERIFIER(ecrits == TypeVersion::TypeOctets(AOctets.begin(), AOctets.end()));
}

// An independent count of the digit runs and of the longest one.
void CompterNombres(std::u16string_view ATexte, std::size_t& ANombres, std::size_t& APlusLong) {
  ANombres = 0;
  APlusLong = 0;
  std::size_t courant = 0;
  for (const char16_t c : ATexte) {
    if (c >= u'0' && c <= u'9') {
      if (courant++ == 0) ++ANombres;
      APlusLong = std::max(APlusLong, courant);
    } else {
      courant = 0;
    }
  }
}

void VerifierTexte(std::u16string_view ATexte) {
  std::size_t nombres = 0;
  std::size_t plusLong = 0;
  CompterNombres(ATexte, nombres, plusLong);
  TypeVersion version{12345};
  // Must not raise: an exception escaping here ends the run.
  const bool lu = TypeVersion::TryDepuisChaine(ATexte, version);
  KV_VERIFIER(lu == (plusLong < 10));
  if (!lu) {
    KV_VERIFIER(version.Numeros.empty());
    try {
      TypeVersion::DepuisChaine(ATexte);
      KV_VERIFIER(!"DepuisChaine aurait dû échouer");
    } catch (const kv::ENumerosVersionInvalides&) {
    }
    return;
  }
  KV_VERIFIER(version.Numeros.size() == nombres);
  KV_VERIFIER(TypeVersion::DepuisChaine(ATexte) == version);
  KV_VERIFIER(TypeVersion::DepuisChaine(version.EnChaine()) == version);
  KV_VERIFIER(TypeVersion::DepuisChaine(version.EnChaine(u"-", 0)) == version);
  KV_VERIFIER(TypeVersion::DepuisOctets(version.EnOctets()) == version);
  // Order and inclusion agree with the numbers.
  const TypeVersion coupee(version, static_cast<std::int32_t>(version.Numeros.size() / 2));
  KV_VERIFIER(TypeVersion::EstInclue(version, coupee));
  KV_VERIFIER(TypeVersion::Comparer(coupee, version) ==
              (coupee.Numeros.size() < version.Numeros.size() ? -1 : 0));
  KV_VERIFIER(TypeVersion::Comparer(version, coupee) == -TypeVersion::Comparer(coupee, version));
}

// A version read from a document is written and read back the same; what is
// not a number raises a conversion error, nothing else.
void VerifierXml(const std::uint8_t* AOctets, std::size_t ATaille) {
  pugi::xml_document document;
  if (!document.load_buffer(AOctets, ATaille)) return;
  for (pugi::xml_node noeud : {pugi::xml_node(document), document.first_child()}) {
    if (!noeud) continue;
    TypeVersion version;
    try {
      version.DeserialiserDepuisXml(noeud);
    } catch (const kv::EConvertError&) {
      continue;
    }
    pugi::xml_document copie;
    version.SerialiserDansXml(copie.append_child("R"));
    TypeVersion relue{1};
    relue.DeserialiserDepuisXml(copie.child("R"));
    KV_VERIFIER(relue == version);
    if (noeud.type() == pugi::node_element || noeud.type() == pugi::node_document) {
      version.SerialiserDansXml(noeud);
      relue.DeserialiserDepuisXml(noeud);
      KV_VERIFIER(relue == version);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AOctets, std::size_t ATaille) {
  VerifierOctets({AOctets, ATaille});
  // The text two ways: one character per byte, and UTF-16 units.
  std::u16string texte(AOctets, AOctets + ATaille);
  VerifierTexte(texte);
  std::u16string unites(ATaille / 2, u'\0');
  for (std::size_t i = 0; i < unites.size(); ++i) {
    unites[i] = static_cast<char16_t>(AOctets[2 * i] | AOctets[2 * i + 1] << 8);
  }
  VerifierTexte(unites);
  VerifierXml(AOctets, ATaille);
  return 0;
}
