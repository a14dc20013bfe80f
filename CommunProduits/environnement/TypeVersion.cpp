#include "environnement/TypeVersion.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <pugixml.hpp>
#include <string>

#include "commun/Format.h"
#include "plateforme/Texte.h"
#include "serialisation/Flux.h"
#include "serialisation/I_Formatter.h"

namespace kv {
namespace {

constexpr std::u16string_view MessageNumerosInvalides = u"Numéros de version invalides.";
constexpr std::uint8_t MarqueFormeLongue = 0xFF;
constexpr char ElementVersion[] = "TypeVersion";
constexpr char ElementNumero[] = "Numero";
// A count read from a formatter reserves no more than this ahead of the
// numbers actually read.
constexpr std::size_t ReserveMaximale = 1024;

[[noreturn]] void NumerosInvalides() {
  throw ENumerosVersionInvalides(std::u16string(MessageNumerosInvalides));
}

bool EstChiffre(char16_t ACaractere) { return ACaractere >= u'0' && ACaractere <= u'9'; }

// A number in decimal, ASCII digits.
std::string EnDecimal(std::uint32_t ANombre) {
  char tampon[16];
  const auto resultat = std::to_chars(tampon, tampon + sizeof tampon, ANombre);
  return std::string(tampon, resultat.ptr);
}

bool EstCompacte(const TypeVersion::TypeNumeros& ANumeros) {
  if (ANumeros.front() > 254) return false;
  return std::all_of(ANumeros.begin() + 1, ANumeros.end(),
                     [](std::uint32_t ANombre) { return ANombre <= 255; });
}

// The first child element named ANom: text, comments and processing
// instructions that happen to bear the name are not elements.
pugi::xml_node PremierElement(pugi::xml_node AParent, const char* ANom) {
  for (pugi::xml_node enfant = AParent.first_child(); enfant; enfant = enfant.next_sibling()) {
    if (enfant.type() == pugi::node_element && std::string_view(enfant.name()) == ANom) {
      return enfant;
    }
  }
  return {};
}

// The text of an element: its own text and CDATA children, in order.
std::string TexteElement(pugi::xml_node AElement) {
  std::string texte;
  for (pugi::xml_node enfant = AElement.first_child(); enfant; enfant = enfant.next_sibling()) {
    if (enfant.type() == pugi::node_pcdata || enfant.type() == pugi::node_cdata) {
      texte += enfant.value();
    }
  }
  return texte;
}

bool EstBlanc(char ACaractere) {
  return ACaractere == ' ' || ACaractere == '\t' || ACaractere == '\r' || ACaractere == '\n';
}

// A signed 32-bit decimal stored as its unsigned pattern, or an unsigned one
// up to 4294967295: printing a version gives the latter, and it must read back.
bool LireNumeroXml(std::string_view ATexte, std::uint32_t& ANombre) {
  while (!ATexte.empty() && EstBlanc(ATexte.front())) ATexte.remove_prefix(1);
  while (!ATexte.empty() && EstBlanc(ATexte.back())) ATexte.remove_suffix(1);
  bool negatif = false;
  if (!ATexte.empty() && (ATexte.front() == '-' || ATexte.front() == '+')) {
    negatif = ATexte.front() == '-';
    ATexte.remove_prefix(1);
  }
  if (ATexte.empty()) return false;
  const std::uint64_t limite = negatif ? 0x80000000u : 0xFFFFFFFFu;
  std::uint64_t valeur = 0;
  for (const char c : ATexte) {
    if (c < '0' || c > '9') return false;
    valeur = valeur * 10 + static_cast<std::uint64_t>(c - '0');
    if (valeur > limite) return false;
  }
  ANombre = static_cast<std::uint32_t>(negatif ? (0x100000000u - valeur) : valeur);
  return true;
}

}  // namespace

TypeVersion::TypeVersion(const TypeVersion& AVersion, std::int32_t ANombreNumeros) {
  if (ANombreNumeros < 0) {
    throw EArgumentInvalide(
        Formater(u"Nombre de numéros de version négatif : %0:d.", {ANombreNumeros}));
  }
  const auto nombre = static_cast<std::size_t>(ANombreNumeros);
  const std::size_t copies = std::min(nombre, AVersion.Numeros.size());
  Numeros.assign(AVersion.Numeros.begin(),
                 AVersion.Numeros.begin() + static_cast<std::ptrdiff_t>(copies));
  Numeros.resize(nombre, 0);
}

TypeVersion::TypeOctets TypeVersion::EnOctets() const {
  TypeOctets octets;
  if (Numeros.empty()) return octets;
  if (EstCompacte(Numeros)) {
    octets.assign(Numeros.begin(), Numeros.end());
    return octets;
  }
  octets.reserve(4 * Numeros.size() + 1);
  octets.push_back(MarqueFormeLongue);
  for (const std::uint32_t nombre : Numeros) {
    for (int decalage = 24; decalage >= 0; decalage -= 8) {
      octets.push_back(static_cast<std::uint8_t>(nombre >> decalage));
    }
  }
  return octets;
}

TypeVersion TypeVersion::DepuisOctets(std::span<const std::uint8_t> AOctets) {
  TypeVersion version;
  if (AOctets.empty()) return version;
  if (AOctets.front() != MarqueFormeLongue) {
    version.Numeros.assign(AOctets.begin(), AOctets.end());
    return version;
  }
  const std::span<const std::uint8_t> corps = AOctets.subspan(1);
  if (corps.size() % 4 != 0) NumerosInvalides();
  version.Numeros.reserve(corps.size() / 4);
  for (std::size_t i = 0; i < corps.size(); i += 4) {
    version.Numeros.push_back(static_cast<std::uint32_t>(corps[i]) << 24 |
                              static_cast<std::uint32_t>(corps[i + 1]) << 16 |
                              static_cast<std::uint32_t>(corps[i + 2]) << 8 |
                              static_cast<std::uint32_t>(corps[i + 3]));
  }
  return version;
}

std::u16string TypeVersion::EnChaine(std::u16string_view ASeparateur,
                                     std::int32_t ACommencerA) const {
  if (ACommencerA < 0) {
    throw EArgumentInvalide(
        Formater(u"Indice de départ négatif pour le texte d'une version : %0:d.", {ACommencerA}));
  }
  std::u16string texte;
  for (std::size_t i = static_cast<std::size_t>(ACommencerA); i < Numeros.size(); ++i) {
    if (i != static_cast<std::size_t>(ACommencerA)) texte += ASeparateur;
    for (const char c : EnDecimal(Numeros[i])) texte += static_cast<char16_t>(c);
  }
  return texte;
}

bool TypeVersion::TryDepuisChaine(std::u16string_view AChaine, TypeVersion& AVersion) {
  AVersion.Numeros.clear();
  TypeNumeros numeros;
  std::size_t i = 0;
  while (i < AChaine.size()) {
    if (!EstChiffre(AChaine[i])) {
      ++i;
      continue;
    }
    // Nine digits always fit in 32 bits; a tenth makes the text invalid.
    std::uint32_t nombre = 0;
    int chiffres = 0;
    for (; i < AChaine.size() && EstChiffre(AChaine[i]); ++i) {
      if (++chiffres == 10) return false;
      nombre = nombre * 10 + static_cast<std::uint32_t>(AChaine[i] - u'0');
    }
    numeros.push_back(nombre);
  }
  AVersion.Numeros = std::move(numeros);
  return true;
}

TypeVersion TypeVersion::DepuisChaine(std::u16string_view AChaine) {
  TypeVersion version;
  if (!TryDepuisChaine(AChaine, version)) NumerosInvalides();
  return version;
}

int TypeVersion::ComparerNumeros(std::span<const std::uint32_t> AGauche,
                                 std::span<const std::uint32_t> ADroite) {
  for (std::size_t i = 0;; ++i) {
    const bool finGauche = i == AGauche.size();
    const bool finDroite = i == ADroite.size();
    if (finGauche || finDroite) return finGauche == finDroite ? 0 : (finGauche ? -1 : 1);
    int resultat = 0;
    if (ComparerEtPoursuivre(AGauche[i], ADroite[i], resultat)) return resultat;
  }
}

int TypeVersion::Comparer(const TypeVersion& AGauche, const TypeVersion& ADroite) {
  return ComparerNumeros(AGauche.Numeros, ADroite.Numeros);
}

bool TypeVersion::EstInclue(const TypeVersion& AVersion1, const TypeVersion& AVersion2) {
  // AVersion1 cut or padded to AVersion2's count, compared without being built.
  const TypeNumeros& numeros1 = AVersion1.Numeros;
  const TypeNumeros& numeros2 = AVersion2.Numeros;
  for (std::size_t i = 0; i < numeros2.size(); ++i) {
    const std::uint32_t nombre1 = i < numeros1.size() ? numeros1[i] : 0;
    if (nombre1 != numeros2[i]) return false;
  }
  return true;
}

void TypeVersion::Serialiser(IFormatter& AFormateur) const {
  if (Numeros.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    NumerosInvalides();
  }
  AFormateur.EcrireEntier(static_cast<std::int32_t>(Numeros.size()));
  for (const std::uint32_t nombre : Numeros) AFormateur.EcrireCardinal(nombre);
}

void TypeVersion::Deserialiser(IFormatter& AFormateur) {
  const std::int32_t nombre = AFormateur.LireEntier();
  // Every number takes at least one byte of the stream, whatever the encoding:
  // a count beyond what is left cannot be honest.
  if (nombre < 0 || nombre > AFormateur.GetFlux().Restant()) NumerosInvalides();
  TypeNumeros numeros;
  numeros.reserve(std::min(static_cast<std::size_t>(nombre), ReserveMaximale));
  for (std::int32_t i = 0; i < nombre; ++i) numeros.push_back(AFormateur.LireCardinal());
  Numeros = std::move(numeros);
}

pugi::xml_node TypeVersion::SerialiserDansXml(pugi::xml_node ANoeud) const {
  if (!ANoeud) throw EArgumentInvalide(u"Nœud XML absent pour écrire une version.");
  if (const pugi::xml_node ancien = PremierElement(ANoeud, ElementVersion)) {
    ANoeud.remove_child(ancien);
  }
  pugi::xml_node element = ANoeud.append_child(ElementVersion);
  if (!element) {
    throw EArgumentInvalide(u"Le nœud XML ne peut pas recevoir l'élément d'une version.");
  }
  for (const std::uint32_t nombre : Numeros) {
    element.append_child(ElementNumero)
        .append_child(pugi::node_pcdata)
        .set_value(EnDecimal(nombre).c_str());
  }
  return element;
}

void TypeVersion::DeserialiserDepuisXml(pugi::xml_node ANoeud) {
  if (!ANoeud) throw EArgumentInvalide(u"Nœud XML absent pour lire une version.");
  TypeNumeros numeros;
  const pugi::xml_node element = PremierElement(ANoeud, ElementVersion);
  for (pugi::xml_node numero = element.first_child(); numero; numero = numero.next_sibling()) {
    if (numero.type() != pugi::node_element || std::string_view(numero.name()) != ElementNumero) {
      continue;
    }
    const std::string texte = TexteElement(numero);
    std::uint32_t nombre = 0;
    if (!LireNumeroXml(texte, nombre)) {
      throw EConvertError(
          Formater(u"'%0:.40s' n'est pas un numéro de version valide : un entier de -2147483648 à "
                   u"4294967295 est attendu.",
                   {plateforme::DepuisUtf8(texte)}));
    }
    numeros.push_back(nombre);
  }
  Numeros = std::move(numeros);
}

int TComparerVersion::ComparerVersion(const void* A, const void* B) {
  return TypeVersion::Comparer(*static_cast<const TypeVersion*>(A),
                               *static_cast<const TypeVersion*>(B));
}

TRef<IComparateurNonType> TComparerVersion::GetComparateur() {
  return Nouveau<TComparateurNonTypeFoncComparaison>(&TComparerVersion::ComparerVersion);
}

}  // namespace kv
