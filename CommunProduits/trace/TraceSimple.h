#pragma once

#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>

#include "commun/Format.h"
#include "plateforme/AjoutFichier.h"

namespace kv {

// A named diagnostic trace bound to one text file. A line of level n is written
// while the activation level is at least n, so a line of level 0 or less is
// written even by an inactive trace. Each line is in the file, whole, when the
// call returns (UTF-8, lines ended by CR LF); writers in other threads and
// other processes wait for each other instead of losing lines. Writing never
// raises: a file that cannot be written loses the line.
//
// Every trace registers itself in a process-wide list in creation order, so
// that the class-level twins of the operations can reach it by name. The traces
// still registered when the process ends are destroyed then: a trace that is
// not a static, automatic or thread variable must have been made with new.
class TTraceSimple {
 public:
  TTraceSimple(std::u16string_view aNomTrace, std::u16string_view aNomFichier, bool aTraceDatee,
               std::int32_t aNbNiveaux, bool aTracesDeControle);
  // Deactivates the trace. A descendant that overrides GetNomFichier calls
  // Desactiver in its own destructor, for the notice to reach its file.
  virtual ~TTraceSimple();
  TTraceSimple(const TTraceSimple&) = delete;
  TTraceSimple& operator=(const TTraceSimple&) = delete;

  // The file written to, asked again for every line and by Effacer. A relative
  // name is relative to the current folder at the time of the line.
  virtual std::u16string GetNomFichier() const;
  // Called by Activer once the level has changed; writes the control notice.
  virtual void NiveauModifie(std::int32_t aAncienNiveau, std::int32_t aNouveauNiveau);

  std::int32_t Niveau() const;
  std::u16string NomFichier() const { return GetNomFichier(); }
  bool TraceDatee() const;
  void SetTraceDatee(bool aTraceDatee);

  bool EstActive(std::int32_t aNiveau) const;
  // Deletes the file; a failure is ignored.
  void Effacer();
  void Activer(std::int32_t aNiveau);
  void Desactiver();
  void Indenter();
  void Desindenter();
  void Tracer(std::u16string_view aTrace, std::int32_t aNiveau);
  // The formatting is skipped when the level is not reached. A bad format
  // raises EConvertError, as Formater does.
  void FormatterEtTracer(std::u16string_view aFormatTrace,
                         std::initializer_list<TypeArgumentFormat> aArgs, std::int32_t aNiveau);
  void TracerSi(std::u16string_view aTrace, bool aCond, std::int32_t aNiveau);

  // The same operations on the oldest live trace named aNomTrace (letter case
  // included); without one they do nothing and EstActive answers false.
  static bool EstActive(std::u16string_view aNomTrace, std::int32_t aNiveau);
  static void Effacer(std::u16string_view aNomTrace);
  static void Activer(std::u16string_view aNomTrace, std::int32_t aNiveau);
  static void Desactiver(std::u16string_view aNomTrace);
  static void Indenter(std::u16string_view aNomTrace);
  static void Desindenter(std::u16string_view aNomTrace);
  static void Tracer(std::u16string_view aNomTrace, std::u16string_view aTrace,
                     std::int32_t aNiveau);
  static void FormatterEtTracer(std::u16string_view aNomTrace, std::u16string_view aFormatTrace,
                                std::initializer_list<TypeArgumentFormat> aArgs,
                                std::int32_t aNiveau);
  static void TracerSi(std::u16string_view aNomTrace, std::u16string_view aTrace, bool aCond,
                       std::int32_t aNiveau);

 private:
  friend class TListeTraces;

  void EcrireLigne(std::u16string_view aTrace);
  std::u16string Ligne(std::u16string_view aTrace) const;

  const std::u16string FNomTrace;
  const std::u16string FNomFichierTrace;
  const std::int32_t FNbNiveaux;
  std::int32_t FNiveauActivation = 0;
  std::int32_t FNiveauIndentation = 0;
  bool FTraceDatee;
  const bool FTracesControle;

  // Guards the fields above that change and the file. Never held while a
  // virtual operation runs, so that a descendant may call back.
  mutable std::mutex FVerrou;
  plateforme::TAjoutFichier FFichier;
};

}  // namespace kv
