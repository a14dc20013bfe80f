#pragma once

#include <exception>
#include <memory>

#include "application/ApplicationKorvel.h"
#include "objets/ClasseNonInstanciable.h"

namespace kv {

// The body of a program and its exit code.
class TPointEntree : public TClasseNonInstanciable {
 public:
  using TypeCreationApplication = std::unique_ptr<TApplicationKorvel> (*)();

  // Creates the application, executes it when there is one and destroys it in
  // every case. An exception that escapes the constructor, Execute or the
  // destructor reaches the last-chance handler, which describes it on standard
  // error; the program then ends with exit code 1. Returns the exit code.
  static int Executer(TypeCreationApplication ACreerApplication);

  static void DefinirCodeSortie(int ACode) { FCodeSortie = ACode; }
  static int CodeSortie() { return FCodeSortie; }

  // The last-chance handler's description of an exception.
  static void DecrireExceptionFatale(const std::exception_ptr& AException) noexcept;

 private:
  static inline int FCodeSortie = 0;
};

}  // namespace kv
