#pragma once

// Support for the serializer tests: a serialisable test object that counts
// its live instances and implements an interface of its own, a formatter that
// records what is written to it (for traces), and the write-then-read round
// trip of one value through the binary formatter over a memory stream.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "objets/ConversionInterface.h"
#include "serialisation/ConteneurParametre.h"
#include "serialisation/FluxMemoire.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/FormateurBinaire.h"
#include "serialisation/I_EcrivainValeurs.h"
#include "serialisation/I_SerialisateurParametre.h"
#include "serialisation/ObjetSerialisable.h"

namespace kv::test {

class IExemple : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{6E1D2C4B-9A0F-4E83-B5D7-1C2A3B4D5E6F}");
  virtual std::int32_t GetValeur() noexcept = 0;

 protected:
  ~IExemple() = default;
};

// A serialisable object with one integer; made either way by its virtual
// constructor, so it travels as an object (freed by its owner) and as an
// interface (freed by its last reference).
class TExempleCompte : public TObjetSerialisable, public IExemple {
  KV_INTERFACES(TObjetSerialisable, IExemple)
  KV_CLASSE_SERIALISABLE(TExempleCompte, TObjetSerialisable)

 public:
  explicit TExempleCompte(bool ALiberationAutomatique, std::int32_t AValeur = 0)
      : TObjetSerialisable(ALiberationAutomatique), FValeur(AValeur) {
    ++Vivants;
  }

  std::int32_t GetValeur() noexcept override { return FValeur; }
  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation) override {
    AFormateur.EcrireEntier(FValeur);
  }
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation) override {
    FValeur = AFormateur.LireEntier();
  }

  static inline int Vivants = 0;

 protected:
  ~TExempleCompte() override { --Vivants; }

 private:
  std::int32_t FValeur;
};

// A counted reference to a new example, as the IExemple pointer a value slot
// holds (the caller releases it).
inline IExemple* NouvelExemple(std::int32_t AValeur) {
  return Nouveau<TExempleCompte>(true, AValeur).Detacher();
}

// Writes nothing anywhere: keeps one line per operation ("<Nom>", "</>",
// "s:texte", "i:12", "b:1", "o:3", "g:{...}") for the tests to read. Reading
// raises.
class TFormateurTrace : public TObjetInterfacable, public IFormatter {
  KV_INTERFACES(TObjetInterfacable, IFormatter)

 public:
  TFormateurTrace() : TObjetInterfacable(true) {}

  std::vector<std::u16string> Lignes;
  // The type of each value given to the value writer.
  std::vector<const TInfoType*> TypesEcrits;

  TFlux& GetFlux() override { return FFlux; }
  // Ordinals as "v<size>:<value>", read from the value's bytes as the type
  // describes them; other kinds as "v?".
  IEcrivainValeurs& GetEcrivainValeurs() override { return FEcrivain; }
  void EcrireBooleen(bool AValeur) override { Lignes.push_back(AValeur ? u"b:1" : u"b:0"); }
  bool LireBooleen() override { Refuser(); }
  void EcrireEntier(std::int32_t AValeur) override { Lignes.push_back(u"i:" + Texte(AValeur)); }
  std::int32_t LireEntier() override { Refuser(); }
  void EcrireOctet(std::uint8_t AValeur) override { Lignes.push_back(u"o:" + Texte(AValeur)); }
  std::uint8_t LireOctet() override { Refuser(); }
  void EcrireCardinal(std::uint32_t AValeur) override { Lignes.push_back(u"c:" + Texte(AValeur)); }
  std::uint32_t LireCardinal() override { Refuser(); }
  void EcrireChaine(std::u16string_view AValeur) override {
    Lignes.push_back(u"s:" + std::u16string(AValeur));
  }
  std::u16string LireChaine() override { Refuser(); }
  void EcrireGuid(const TGUID& AValeur) override {
    Lignes.push_back(u"g:" + GuidVersTexte(AValeur));
  }
  TGUID LireGuid() override { Refuser(); }
  void EcrireTableauEntiers(std::span<const std::int32_t> AValeurs) override {
    std::u16string ligne = u"t:";
    for (const std::int32_t valeur : AValeurs) ligne += Texte(valeur) + u",";
    Lignes.push_back(ligne);
  }
  std::vector<std::int32_t> LireTableauEntiers() override { Refuser(); }
  void EcrireOctets(const void*, std::size_t ANombre) override {
    Lignes.push_back(u"x:" + Texte(static_cast<long long>(ANombre)));
  }
  void LireOctets(void*, std::size_t) override { Refuser(); }
  void DebutElement(std::u16string_view ANom) override {
    Lignes.push_back(u"<" + std::u16string(ANom) + u">");
  }
  void FinElement() override { Lignes.push_back(u"</>"); }
  void EcrireInterface(IInterface*, TypeClasseFormatSerialisation) override {
    Lignes.push_back(u"interface");
  }
  TRef<IInterface> LireInterface(TypeClasseFormatSerialisation) override { Refuser(); }
  void EcrireObjet(TObjetInterfacable*, TypeClasseFormatSerialisation) override {
    Lignes.push_back(u"objet");
  }
  TObjetInterfacable* LireObjet(TypeClasseFormatSerialisation) override { Refuser(); }
  void AnnoncerTaille(std::int64_t ATaille) override {
    Lignes.push_back(u"taille:" + Texte(ATaille));
  }

  // The lines joined by spaces.
  std::u16string Tout() const {
    std::u16string tout;
    for (const std::u16string& ligne : Lignes) tout += (tout.empty() ? u"" : u" ") + ligne;
    return tout;
  }

 private:
  template <class AValeur>
  static std::u16string Texte(AValeur AValeurTexte) {
    const std::string texte = std::to_string(AValeurTexte);
    return std::u16string(texte.begin(), texte.end());
  }
  [[noreturn]] static void Refuser() { throw EReadError(u"formateur d'écriture seule"); }

  class TEcrivain final : public IEcrivainValeurs {
   public:
    explicit TEcrivain(TFormateurTrace& AFormateur) : FFormateur(AFormateur) {}
    void EcrireValeur(const void* AAdresse, bool AIndirect, const TInfoType& AType) override {
      if (AIndirect) AAdresse = *static_cast<const void* const*>(AAdresse);
      FFormateur.TypesEcrits.push_back(&AType);
      const auto* ordinal = AType.Comme<TInfoTypeOrdinal>();
      if (!ordinal) {
        FFormateur.Lignes.push_back(u"v?");
        return;
      }
      std::uint32_t valeur = 0;
      std::memcpy(&valeur, AAdresse, static_cast<std::size_t>(ordinal->Taille));
      FFormateur.Lignes.push_back(u"v" + Texte(ordinal->Taille) + u":" + Texte(valeur));
    }

   private:
    TFormateurTrace& FFormateur;
  };

  TFluxMemoire FFlux;
  TEcrivain FEcrivain{*this};
};

// Written after a value, to see that its reader stops where its writer did.
inline constexpr std::int32_t Sentinelle = 0x5E47113;

// Writes the value at AValeur through ASerialisateur as the drivers do
// (container, copy, write, dispose) and a sentinel, then reads it back into a new container,
// hands the value read to AVerifier and disposes of that container, freeing
// the objects read. Returns the bytes written.
inline std::vector<std::uint8_t> AllerRetour(
    ISerialisateurParametre& ASerialisateur, const void* AValeur,
    const std::function<void(const void*)>& AVerifier,
    TypeClasseFormatSerialisation AFormat = &TFSTout::Classe()) {
  TFluxMemoire flux;
  {
    auto ecrivain = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture);
    TConteneurParametre* conteneur = ASerialisateur.CreerConteneur(u"Valeur");
    ASerialisateur.CopierValeur(AValeur, conteneur->GetAdresseValeur(), false);
    ASerialisateur.SerialiserValeur(conteneur, *ecrivain, AFormat, false);
    ASerialisateur.LibererConteneur(conteneur, false);
    ecrivain->EcrireEntier(Sentinelle);
  }
  flux.SetPosition(0);
  auto lecteur = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture);
  TConteneurParametre* conteneur = ASerialisateur.CreerConteneur(u"Valeur");
  try {
    ASerialisateur.DeserialiserValeur(conteneur, *lecteur, AFormat, false);
    EXPECT_EQ(lecteur->LireEntier(), Sentinelle) << "the value read ends where it was written";
    AVerifier(conteneur->GetAdresseValeur());
  } catch (...) {
    ASerialisateur.LibererConteneur(conteneur, true);
    throw;
  }
  ASerialisateur.LibererConteneur(conteneur, true);
  return flux.GetOctets();
}

// Writes the description of ASerialisateur in AFormat and reads it back as a
// new serializer.
inline TRef<ISerialisateurParametre> CopieParDescription(ISerialisateurParametre* ASerialisateur,
                                                         TypeClasseFormatSerialisation AFormat) {
  TFluxMemoire flux;
  Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture)
      ->EcrireInterface(ASerialisateur, AFormat);
  flux.SetPosition(0);
  TRef<IInterface> lu =
      Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture)->LireInterface(AFormat);
  return Convertir<ISerialisateurParametre>(lu.Get());
}

}  // namespace kv::test
