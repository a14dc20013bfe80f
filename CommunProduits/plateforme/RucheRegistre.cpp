#include "plateforme/RucheRegistre.h"

#include <algorithm>
#include <cstdint>

#include "commun/Format.h"
#include "plateforme/Casse.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

constexpr std::string_view LigneFormat = "kvr 1";
constexpr char16_t Separateur = u'\\';

constexpr std::u16string_view MotChaine = u"chaine";
constexpr std::u16string_view MotExtensible = u"extensible";
constexpr std::u16string_view MotEntier32 = u"entier32";

// The characters written as a backslash and a letter, and that letter.
struct TypeEchappement {
  char16_t Brut;
  char16_t Lettre;
};
constexpr TypeEchappement Echappements[] = {
    {u'\\', u'\\'}, {u'"', u'"'}, {u'\n', u'n'}, {u'\r', u'r'}, {u'\t', u't'}};

bool MemeNom(std::u16string_view A, std::u16string_view B) {
  return A.size() == B.size() && EnMinuscules(A) == EnMinuscules(B);
}

template <typename TypeElement>
auto ChercherNom(TypeElement& AElements, std::u16string_view ANom) {
  return std::find_if(AElements.begin(), AElements.end(),
                      [ANom](const auto& AElement) { return MemeNom(AElement.Nom, ANom); });
}

TValeurRegistre Normalisee(const TValeurRegistre& AValeur) {
  TValeurRegistre valeur;
  valeur.Type = AValeur.Type;
  if (AValeur.Type == TypeValeurRegistre::tvEntier32) {
    valeur.Nombre = AValeur.Nombre;
  } else {
    valeur.Texte = AValeur.Texte;
  }
  return valeur;
}

bool EstHaut(char16_t A) { return A >= 0xD800 && A <= 0xDBFF; }
bool EstBas(char16_t A) { return A >= 0xDC00 && A <= 0xDFFF; }
bool EstHexadecimal(char16_t A) {
  return (A >= u'0' && A <= u'9') || (A >= u'a' && A <= u'f') || (A >= u'A' && A <= u'F');
}
bool EstBlanc(char16_t A) { return A == u' ' || A == u'\t'; }

// ---- Reading ----

// One line of the file, read from left to right; every failure names the file
// and the line.
class TLecteurLigne {
 public:
  TLecteurLigne(std::u16string_view ALigne, std::u16string_view AFichier, std::size_t ANumero)
      : FLigne(ALigne), FFichier(AFichier), FNumero(ANumero) {}

  [[noreturn]] void Echouer(std::u16string_view ARaison) const {
    throw ERegistreCorrompu(
        Formater(u"La ruche du registre « %0:s » est illisible, ligne %1:d : %2:s.",
                 {FFichier, static_cast<long long>(FNumero), ARaison}));
  }

  void SauterBlancs() {
    while (FPosition < FLigne.size() && EstBlanc(FLigne[FPosition])) ++FPosition;
  }
  bool AuBout() const { return FPosition == FLigne.size(); }
  bool Prendre(char16_t ACaractere) {
    SauterBlancs();
    if (AuBout() || FLigne[FPosition] != ACaractere) return false;
    ++FPosition;
    return true;
  }
  void Exiger(char16_t ACaractere) {
    if (!Prendre(ACaractere)) {
      Echouer(Formater(u"« %0:s » attendu", {std::u16string_view(&ACaractere, 1)}));
    }
  }
  void ExigerFin() {
    SauterBlancs();
    if (!AuBout()) Echouer(u"texte en trop en fin de ligne");
  }

  std::u16string Chaine();
  std::u16string Mot();
  std::uint32_t Nombre();

 private:
  char32_t PointDeCode();

  std::u16string_view FLigne;
  std::u16string_view FFichier;
  std::size_t FNumero;
  std::size_t FPosition = 0;
};

std::u16string TLecteurLigne::Chaine() {
  if (!Prendre(u'"')) Echouer(u"guillemet ouvrant attendu");
  std::u16string resultat;
  while (true) {
    if (AuBout()) Echouer(u"guillemet fermant manquant");
    const char16_t c = FLigne[FPosition++];
    if (c == u'"') return resultat;
    if (c != u'\\') {
      resultat += c;
      continue;
    }
    if (AuBout()) Echouer(u"guillemet fermant manquant");
    const char16_t lettre = FLigne[FPosition++];
    if (lettre == u'u') {
      const char32_t point = PointDeCode();
      if (point > 0xFFFF) {
        resultat += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
        resultat += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
      } else {
        resultat += static_cast<char16_t>(point);
      }
      continue;
    }
    const auto echappement = std::ranges::find(Echappements, lettre, &TypeEchappement::Lettre);
    if (echappement == std::end(Echappements)) Echouer(u"séquence d'échappement inconnue");
    resultat += echappement->Brut;
  }
}

// After "\u": "{" up to six hexadecimal digits "}". A surrogate is taken as the
// one unit it names, which is how the printer keeps a lone one.
char32_t TLecteurLigne::PointDeCode() {
  if (AuBout() || FLigne[FPosition] != u'{') Echouer(u"« { » attendu après \\u");
  ++FPosition;
  char32_t point = 0;
  std::size_t chiffres = 0;
  while (!AuBout() && EstHexadecimal(FLigne[FPosition]) && chiffres < 6) {
    const char16_t c = FLigne[FPosition++];
    point = point * 16 + (c <= u'9' ? c - u'0' : (c | 0x20) - u'a' + 10);
    ++chiffres;
  }
  if (chiffres == 0 || AuBout() || FLigne[FPosition] != u'}' || point > 0x10FFFF) {
    Echouer(u"\\u{…} attend de un à six chiffres hexadécimaux, jusqu'à 10FFFF");
  }
  ++FPosition;
  return point;
}

std::u16string TLecteurLigne::Mot() {
  SauterBlancs();
  const std::size_t debut = FPosition;
  while (!AuBout() && ((FLigne[FPosition] >= u'a' && FLigne[FPosition] <= u'z') ||
                       (FLigne[FPosition] >= u'0' && FLigne[FPosition] <= u'9'))) {
    ++FPosition;
  }
  return std::u16string(FLigne.substr(debut, FPosition - debut));
}

std::uint32_t TLecteurLigne::Nombre() {
  SauterBlancs();
  std::uint64_t nombre = 0;
  std::size_t chiffres = 0;
  while (!AuBout() && FLigne[FPosition] >= u'0' && FLigne[FPosition] <= u'9') {
    nombre = nombre * 10 + (FLigne[FPosition++] - u'0');
    if (nombre > UINT32_MAX) break;
    ++chiffres;
  }
  if (chiffres == 0 || nombre > UINT32_MAX) Echouer(u"nombre entier de 0 à 4294967295 attendu");
  return static_cast<std::uint32_t>(nombre);
}

TCleRuche& LireEnTeteCle(TLecteurLigne& ALecteur, TCleRuche& ARacine) {
  const std::u16string chemin = ALecteur.Chaine();
  ALecteur.Exiger(u']');
  ALecteur.ExigerFin();
  const auto noms = DecouperCheminCle(chemin);
  if (!noms) ALecteur.Echouer(u"chemin de clé avec un nom vide entre deux « \\ »");
  bool cree = false;
  return TrouverOuCreerCle(ARacine, *noms, cree);
}

void LireValeur(TLecteurLigne& ALecteur, TCleRuche& ACle) {
  const std::u16string nom = ALecteur.Chaine();
  ALecteur.Exiger(u'=');
  const std::u16string type = ALecteur.Mot();
  TValeurRegistre valeur;
  if (type == MotChaine || type == MotExtensible) {
    valeur.Type =
        type == MotChaine ? TypeValeurRegistre::tvChaine : TypeValeurRegistre::tvChaineExtensible;
    valeur.Texte = ALecteur.Chaine();
  } else if (type == MotEntier32) {
    valeur.Type = TypeValeurRegistre::tvEntier32;
    valeur.Nombre = ALecteur.Nombre();
  } else {
    ALecteur.Echouer(Formater(
        u"type de valeur « %0:s » inconnu (chaine, extensible ou entier32 attendu)", {type}));
  }
  ALecteur.ExigerFin();
  if (ACle.Valeur(nom) != nullptr) {
    ALecteur.Echouer(Formater(u"la valeur « %0:s » est déjà donnée pour cette clé", {nom}));
  }
  ACle.Valeurs.push_back({nom, valeur});
}

// ---- Printing ----

void AjouterEchappement(std::u16string& ASortie, char16_t ACaractere) {
  static constexpr char16_t Chiffres[] = u"0123456789ABCDEF";
  ASortie += u"\\u{";
  bool significatif = false;
  for (int decalage = 12; decalage >= 0; decalage -= 4) {
    const unsigned chiffre = (ACaractere >> decalage) & 0xF;
    significatif = significatif || chiffre != 0 || decalage == 0;
    if (significatif) ASortie += Chiffres[chiffre];
  }
  ASortie += u'}';
}

void AjouterChaine(std::u16string& ASortie, std::u16string_view ATexte) {
  ASortie += u'"';
  for (std::size_t i = 0; i < ATexte.size(); ++i) {
    const char16_t c = ATexte[i];
    const auto echappement = std::ranges::find(Echappements, c, &TypeEchappement::Brut);
    if (echappement != std::end(Echappements)) {
      ASortie += u'\\';
      ASortie += echappement->Lettre;
      continue;
    }
    if (EstHaut(c) && i + 1 < ATexte.size() && EstBas(ATexte[i + 1])) {
      ASortie += c;
      ASortie += ATexte[++i];
    } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || EstHaut(c) || EstBas(c)) {
      AjouterEchappement(ASortie, c);
    } else {
      ASortie += c;
    }
  }
  ASortie += u'"';
}

void AjouterValeur(std::u16string& ASortie, const TValeurNommee& AValeur) {
  AjouterChaine(ASortie, AValeur.Nom);
  switch (AValeur.Valeur.Type) {
    case TypeValeurRegistre::tvChaine:
    case TypeValeurRegistre::tvChaineExtensible:
      ASortie.append(u" = ")
          .append(AValeur.Valeur.Type == TypeValeurRegistre::tvChaine ? MotChaine : MotExtensible)
          .append(u" ");
      AjouterChaine(ASortie, AValeur.Valeur.Texte);
      break;
    case TypeValeurRegistre::tvEntier32:
      ASortie.append(u" = ").append(MotEntier32).append(u" ");
      ASortie += DepuisUtf8(std::to_string(AValeur.Valeur.Nombre));
      break;
  }
  ASortie += u'\n';
}

// A key gets its line when it has values, or when nothing else would keep it:
// a key without values is named by its sub-keys' lines, which come before any
// later sibling's, so the order of the keys is kept too.
void AjouterCle(std::u16string& ASortie, const TCleRuche& ACle, const std::u16string& AChemin,
                bool AEstRacine) {
  if (!ACle.Valeurs.empty() || (!AEstRacine && ACle.SousCles.empty())) {
    ASortie += u'[';
    AjouterChaine(ASortie, AChemin);
    ASortie += u"]\n";
    for (const TValeurNommee& valeur : ACle.Valeurs) AjouterValeur(ASortie, valeur);
  }
  for (const TCleRuche& sousCle : ACle.SousCles) {
    AjouterCle(ASortie, sousCle, AEstRacine ? sousCle.Nom : AChemin + Separateur + sousCle.Nom,
               false);
  }
}

}  // namespace

const TCleRuche* TCleRuche::SousCle(std::u16string_view ANom) const {
  const auto trouvee = ChercherNom(SousCles, ANom);
  return trouvee == SousCles.end() ? nullptr : &*trouvee;
}

TCleRuche* TCleRuche::SousCle(std::u16string_view ANom) {
  const auto trouvee = ChercherNom(SousCles, ANom);
  return trouvee == SousCles.end() ? nullptr : &*trouvee;
}

const TValeurRegistre* TCleRuche::Valeur(std::u16string_view ANom) const {
  const auto trouvee = ChercherNom(Valeurs, ANom);
  return trouvee == Valeurs.end() ? nullptr : &trouvee->Valeur;
}

bool TCleRuche::Ecrire(std::u16string_view ANom, const TValeurRegistre& AValeur) {
  const TValeurRegistre valeur = Normalisee(AValeur);
  const auto trouvee = ChercherNom(Valeurs, ANom);
  if (trouvee == Valeurs.end()) {
    Valeurs.push_back({std::u16string(ANom), valeur});
    return true;
  }
  if (trouvee->Valeur == valeur) return false;
  trouvee->Valeur = valeur;
  return true;
}

bool TCleRuche::Supprimer(std::u16string_view ANom) {
  const auto trouvee = ChercherNom(Valeurs, ANom);
  if (trouvee == Valeurs.end()) return false;
  Valeurs.erase(trouvee);
  return true;
}

std::optional<std::vector<std::u16string>> DecouperCheminCle(std::u16string_view AChemin) {
  const std::size_t debut = AChemin.find_first_not_of(Separateur);
  if (debut == std::u16string_view::npos) return std::vector<std::u16string>{};
  const std::size_t fin = AChemin.find_last_not_of(Separateur) + 1;
  std::vector<std::u16string> noms;
  std::size_t position = debut;
  while (true) {
    const std::size_t separateur = std::min(AChemin.find(Separateur, position), fin);
    if (separateur == position) return std::nullopt;
    noms.emplace_back(AChemin.substr(position, separateur - position));
    if (separateur == fin) return noms;
    position = separateur + 1;
  }
}

const TCleRuche* TrouverCle(const TCleRuche& ARacine, const std::vector<std::u16string>& AChemin) {
  const TCleRuche* cle = &ARacine;
  for (const std::u16string& nom : AChemin) {
    cle = cle->SousCle(nom);
    if (cle == nullptr) return nullptr;
  }
  return cle;
}

TCleRuche* TrouverCle(TCleRuche& ARacine, const std::vector<std::u16string>& AChemin) {
  return const_cast<TCleRuche*>(TrouverCle(std::as_const(ARacine), AChemin));
}

TCleRuche& TrouverOuCreerCle(TCleRuche& ARacine, const std::vector<std::u16string>& AChemin,
                             bool& ACree) {
  TCleRuche* cle = &ARacine;
  for (const std::u16string& nom : AChemin) {
    TCleRuche* sousCle = cle->SousCle(nom);
    if (sousCle == nullptr) {
      cle->SousCles.push_back(TCleRuche{nom, {}, {}});
      sousCle = &cle->SousCles.back();
      ACree = true;
    }
    cle = sousCle;
  }
  return *cle;
}

TCleRuche AnalyserRuche(std::string_view ATexte, std::u16string_view AFichier) {
  TCleRuche racine;
  TCleRuche* courante = nullptr;
  std::size_t numero = 0;
  std::size_t debut = 0;
  while (debut < ATexte.size()) {
    const std::size_t fin = std::min(ATexte.find('\n', debut), ATexte.size());
    std::string_view brute = ATexte.substr(debut, fin - debut);
    debut = fin + 1;
    ++numero;
    if (!brute.empty() && brute.back() == '\r') brute.remove_suffix(1);

    const std::optional<std::u16string> ligne = DepuisUtf8Strict(brute);
    TLecteurLigne lecteur(ligne ? std::u16string_view(*ligne) : std::u16string_view(), AFichier,
                          numero);
    if (!ligne) lecteur.Echouer(u"texte qui n'est pas de l'UTF-8");
    if (numero == 1) {
      if (brute != LigneFormat) lecteur.Echouer(u"la première ligne doit être « kvr 1 »");
      continue;
    }
    lecteur.SauterBlancs();
    if (lecteur.AuBout() || lecteur.Prendre(u'#')) continue;
    if (lecteur.Prendre(u'[')) {
      courante = &LireEnTeteCle(lecteur, racine);
    } else if (courante == nullptr) {
      lecteur.Echouer(u"valeur avant la première clé");
    } else {
      LireValeur(lecteur, *courante);
    }
  }
  return racine;
}

std::string TexteRuche(const TCleRuche& ARacine) {
  std::u16string texte = DepuisUtf8(LigneFormat);
  texte += u'\n';
  AjouterCle(texte, ARacine, u"", true);
  // Only whole pairs are left unescaped, so the conversion loses nothing.
  return VersUtf8(texte);
}

}  // namespace kv::plateforme
