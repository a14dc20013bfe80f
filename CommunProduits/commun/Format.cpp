#include "commun/Format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

namespace kv {
namespace {

// Index, width and precision above this are refused rather than honoured with
// an absurd allocation.
constexpr std::size_t NombreMaximal = 100000;
constexpr std::size_t DecimalesParDefaut = 2;
constexpr std::size_t ChiffresParDefaut = 15;

struct TypeConversion {
  std::size_t Debut = 0;  // position of the '%'
  std::optional<std::size_t> Index;
  bool AGauche = false;
  std::size_t Largeur = 0;
  std::optional<std::size_t> Precision;
  char16_t Lettre = 0;  // as written
  char16_t Type = 0;    // in lower case
};

std::u16string Ascii(std::string_view ATexte) { return {ATexte.begin(), ATexte.end()}; }

std::u16string EnDecimal(std::uint64_t AValeur) {
  char tampon[24];
  const auto fin = std::to_chars(tampon, tampon + sizeof tampon, AValeur).ptr;
  return Ascii({tampon, static_cast<std::size_t>(fin - tampon)});
}

std::u16string EnHexadecimal(std::uint64_t AValeur) {
  char tampon[24];
  const auto fin = std::to_chars(tampon, tampon + sizeof tampon, AValeur, 16).ptr;
  std::u16string texte = Ascii({tampon, static_cast<std::size_t>(fin - tampon)});
  for (char16_t& c : texte) {
    if (c >= u'a' && c <= u'f') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return texte;
}

// A real written by the standard converter, whose exact rounding is kept.
std::string Convertir(double AValeur, std::chars_format AForme, std::size_t APrecision) {
  // The widest fixed form of a double has 309 digits before the point.
  std::string texte(APrecision + 330, '\0');
  const auto fin = std::to_chars(texte.data(), texte.data() + texte.size(), AValeur, AForme,
                                 static_cast<int>(APrecision))
                       .ptr;
  texte.resize(static_cast<std::size_t>(fin - texte.data()));
  return texte;
}

// "-0.00" reads as a fault to the user: a value that rounds to zero has no sign.
void OterMoinsDeZero(std::string& ATexte) {
  if (ATexte.starts_with('-') && ATexte.find_first_of("123456789") == std::string::npos) {
    ATexte.erase(0, 1);
  }
}

void GrouperMilliers(std::string& ATexte) {
  const std::size_t debut = ATexte.starts_with('-') ? 1 : 0;
  std::size_t fin = std::min(ATexte.find('.'), ATexte.size());
  while (fin > debut + 3) {
    fin -= 3;
    ATexte.insert(fin, 1, ',');
  }
}

std::string Fixe(double AValeur, std::size_t ADecimales, bool AMilliers) {
  std::string texte = Convertir(AValeur, std::chars_format::fixed, ADecimales);
  OterMoinsDeZero(texte);
  if (AMilliers) GrouperMilliers(texte);
  return texte;
}

// The mantissa ("-d.ddd") and the exponent of AValeur with AChiffres
// significant digits.
std::pair<std::string, int> Scientifique(double AValeur, std::size_t AChiffres) {
  std::string texte = Convertir(AValeur, std::chars_format::scientific, AChiffres - 1);
  const std::size_t e = texte.find('e');
  int exposant = 0;
  const char* debut = texte.data() + e + 2;  // past "e+" or "e-"
  std::from_chars(debut, texte.data() + texte.size(), exposant);
  if (texte[e + 1] == '-') exposant = -exposant;
  texte.resize(e);
  return {texte, exposant};
}

void OterZerosDecimaux(std::string& ATexte) {
  if (ATexte.find('.') == std::string::npos) return;
  while (ATexte.ends_with('0')) ATexte.pop_back();
  if (ATexte.ends_with('.')) ATexte.pop_back();
}

std::string EnExposant(int AExposant, std::size_t AChiffresMinimum, bool APlusVisible) {
  std::string chiffres = std::to_string(AExposant < 0 ? -AExposant : AExposant);
  if (chiffres.size() < AChiffresMinimum)
    chiffres.insert(0, AChiffresMinimum - chiffres.size(), '0');
  if (AExposant < 0) return "E-" + chiffres;
  return (APlusVisible ? "E+" : "E") + chiffres;
}

std::string FormeScientifique(double AValeur, std::size_t AChiffres) {
  auto [mantisse, exposant] = Scientifique(AValeur, AChiffres);
  return mantisse + EnExposant(exposant, 3, true);
}

std::string FormeGenerale(double AValeur, std::size_t AChiffres) {
  if (AValeur == 0) return "0";
  auto [mantisse, exposant] = Scientifique(AValeur, AChiffres);
  const auto chiffres = static_cast<int>(AChiffres);
  if (exposant >= -5 && exposant < chiffres) {
    std::string texte = Convertir(AValeur, std::chars_format::fixed,
                                  static_cast<std::size_t>(chiffres - 1 - exposant));
    OterZerosDecimaux(texte);
    return texte;
  }
  OterZerosDecimaux(mantisse);
  return mantisse + EnExposant(exposant, 1, false);
}

std::u16string Reel(double AValeur, const TypeConversion& AConversion) {
  if (std::isnan(AValeur)) return u"NAN";
  if (std::isinf(AValeur)) return AValeur < 0 ? u"-INF" : u"INF";
  if (AValeur == 0) AValeur = 0;  // no sign on a negative zero
  const std::size_t chiffres =
      std::max<std::size_t>(1, AConversion.Precision.value_or(ChiffresParDefaut));
  const std::size_t decimales = AConversion.Precision.value_or(DecimalesParDefaut);
  switch (AConversion.Type) {
    case u'f':
      return Ascii(Fixe(AValeur, decimales, false));
    case u'n':
      return Ascii(Fixe(AValeur, decimales, true));
    case u'e':
      return Ascii(FormeScientifique(AValeur, chiffres));
    default:
      return Ascii(FormeGenerale(AValeur, chiffres));
  }
}

std::u16string Entier(const TypeArgumentFormat& AArgument, const TypeConversion& AConversion) {
  std::uint64_t valeur = AArgument.NonSigne();
  bool negatif = false;
  if (AArgument.Genre() == TypeGenreArgumentFormat::gafEntier) {
    const std::int64_t signe = AArgument.Entier();
    negatif = AConversion.Type == u'd' && signe < 0;
    // Two's complement for u and x; the magnitude, computed without overflow, for d.
    valeur = negatif ? 0 - static_cast<std::uint64_t>(signe) : static_cast<std::uint64_t>(signe);
  }
  std::u16string texte = AConversion.Type == u'x' ? EnHexadecimal(valeur) : EnDecimal(valeur);
  const std::size_t minimum = AConversion.Precision.value_or(0);
  if (texte.size() < minimum) texte.insert(0, minimum - texte.size(), u'0');
  if (negatif) texte.insert(0, 1, u'-');
  return texte;
}

std::u16string Texte(std::u16string_view ATexte, const TypeConversion& AConversion) {
  if (AConversion.Precision && *AConversion.Precision < ATexte.size()) {
    std::size_t longueur = *AConversion.Precision;
    // Never split a surrogate pair.
    if (longueur > 0 && ATexte[longueur - 1] >= 0xD800 && ATexte[longueur - 1] <= 0xDBFF) {
      --longueur;
    }
    ATexte = ATexte.substr(0, longueur);
  }
  return std::u16string(ATexte);
}

std::u16string_view NomGenre(TypeGenreArgumentFormat AGenre) {
  switch (AGenre) {
    case TypeGenreArgumentFormat::gafReel:
      return u"un réel";
    case TypeGenreArgumentFormat::gafTexte:
      return u"un texte";
    default:
      return u"un entier";
  }
}

TypeGenreArgumentFormat GenreAttendu(char16_t AType) {
  switch (AType) {
    case u's':
      return TypeGenreArgumentFormat::gafTexte;
    case u'd':
    case u'u':
    case u'x':
      return TypeGenreArgumentFormat::gafEntier;
    default:
      return TypeGenreArgumentFormat::gafReel;
  }
}

bool Convient(TypeGenreArgumentFormat AGenre, char16_t AType) {
  const TypeGenreArgumentFormat attendu = GenreAttendu(AType);
  if (attendu == TypeGenreArgumentFormat::gafEntier) {
    return AGenre == TypeGenreArgumentFormat::gafEntier ||
           AGenre == TypeGenreArgumentFormat::gafNonSigne;
  }
  return AGenre == attendu;
}

std::u16string Justifier(std::u16string ACorps, const TypeConversion& AConversion) {
  if (ACorps.size() >= AConversion.Largeur) return ACorps;
  const std::size_t manque = AConversion.Largeur - ACorps.size();
  if (AConversion.AGauche) {
    ACorps.append(manque, u' ');
  } else {
    ACorps.insert(0, manque, u' ');
  }
  return ACorps;
}

class TFormateur {
 public:
  TFormateur(std::u16string_view AFormat, std::initializer_list<TypeArgumentFormat> AArguments)
      : FFormat(AFormat), FArguments(AArguments) {}

  std::u16string Executer() {
    std::u16string resultat;
    std::size_t suivant = 0;
    while (FPosition < FFormat.size()) {
      const std::size_t pourcent = FFormat.find(u'%', FPosition);
      resultat.append(FFormat.substr(FPosition, pourcent - FPosition));
      if (pourcent == std::u16string_view::npos) break;
      FPosition = pourcent + 1;
      if (Courant() == u'%') {
        resultat += u'%';
        ++FPosition;
        continue;
      }
      const TypeConversion conversion = Lire(pourcent);
      const std::size_t index = conversion.Index.value_or(suivant);
      suivant = index + 1;
      resultat.append(Justifier(Appliquer(conversion, Argument(index, conversion)), conversion));
    }
    return resultat;
  }

 private:
  [[noreturn]] void Erreur(std::u16string_view ADetail) const {
    throw EConvertError(u"Format « " + std::u16string(FFormat) + u" » incorrect : " +
                        std::u16string(ADetail));
  }

  std::u16string Position(std::size_t APosition) const {
    return u"en position " + EnDecimal(APosition + 1);
  }

  char16_t Courant() const { return FPosition < FFormat.size() ? FFormat[FPosition] : u'\0'; }

  std::optional<std::size_t> LireNombre() {
    const std::size_t debut = FPosition;
    std::size_t valeur = 0;
    while (Courant() >= u'0' && Courant() <= u'9') {
      valeur = valeur * 10 + static_cast<std::size_t>(Courant() - u'0');
      if (valeur > NombreMaximal) Erreur(u"nombre trop grand " + Position(debut) + u".");
      ++FPosition;
    }
    if (FPosition == debut) return std::nullopt;
    return valeur;
  }

  TypeConversion Lire(std::size_t ADebut) {
    TypeConversion conversion;
    conversion.Debut = ADebut;
    std::optional<std::size_t> nombre = LireNombre();
    if (nombre && Courant() == u':') {
      conversion.Index = nombre;
      nombre.reset();
      ++FPosition;
    }
    if (!nombre) {
      if (Courant() == u'-') {
        conversion.AGauche = true;
        ++FPosition;
      }
      nombre = LireNombre();
    }
    conversion.Largeur = nombre.value_or(0);
    if (Courant() == u'.') {
      ++FPosition;
      conversion.Precision = LireNombre();
      if (!conversion.Precision) Erreur(u"précision sans chiffres " + Position(ADebut) + u".");
    }
    if (FPosition >= FFormat.size()) {
      Erreur(u"la conversion " + Position(ADebut) + u" n'est pas terminée.");
    }
    conversion.Lettre = FFormat[FPosition++];
    conversion.Type = conversion.Lettre >= u'A' && conversion.Lettre <= u'Z'
                          ? static_cast<char16_t>(conversion.Lettre - u'A' + u'a')
                          : conversion.Lettre;
    if (std::u16string_view(u"duxsfneg").find(conversion.Type) == std::u16string_view::npos) {
      Erreur(u"type « " + std::u16string(1, conversion.Lettre) + u" » inconnu " + Position(ADebut) +
             u".");
    }
    return conversion;
  }

  std::u16string Fournis() const {
    const std::size_t nombre = FArguments.size();
    if (nombre == 0) return u"aucun argument fourni";
    if (nombre == 1) return u"1 argument fourni";
    return EnDecimal(nombre) + u" arguments fournis";
  }

  const TypeArgumentFormat& Argument(std::size_t AIndex, const TypeConversion& AConversion) const {
    if (AIndex >= FArguments.size()) {
      Erreur(u"l'argument d'indice " + EnDecimal(AIndex) + u" demandé " +
             Position(AConversion.Debut) + u" est absent (" + Fournis() + u").");
    }
    const TypeArgumentFormat& argument = FArguments.begin()[AIndex];
    if (!Convient(argument.Genre(), AConversion.Type)) {
      Erreur(u"l'argument d'indice " + EnDecimal(AIndex) + u" est " +
             std::u16string(NomGenre(argument.Genre())) + u", le type « " +
             std::u16string(1, AConversion.Lettre) + u" » " + Position(AConversion.Debut) +
             u" attend " + std::u16string(NomGenre(GenreAttendu(AConversion.Type))) + u".");
    }
    return argument;
  }

  static std::u16string Appliquer(const TypeConversion& AConversion,
                                  const TypeArgumentFormat& AArgument) {
    switch (GenreAttendu(AConversion.Type)) {
      case TypeGenreArgumentFormat::gafTexte:
        return Texte(AArgument.Texte(), AConversion);
      case TypeGenreArgumentFormat::gafReel:
        return Reel(AArgument.Reel(), AConversion);
      default:
        return Entier(AArgument, AConversion);
    }
  }

  std::u16string_view FFormat;
  std::initializer_list<TypeArgumentFormat> FArguments;
  std::size_t FPosition = 0;
};

}  // namespace

std::u16string Formater(std::u16string_view AFormat,
                        std::initializer_list<TypeArgumentFormat> AArguments) {
  return TFormateur(AFormat, AArguments).Executer();
}

}  // namespace kv
