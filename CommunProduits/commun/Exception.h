#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace kv {

// Common base of every failure of the framework. The message is French text for
// the user; reports print the class name in front of it. C++ has no portable
// run-time class name, so every exception class states its own (see
// KV_DECLARER_EXCEPTION).
class Exception : public std::exception {
 public:
  explicit Exception(std::u16string AMessage) : FMessage(std::move(AMessage)) {}

  const std::u16string& Message() const noexcept { return FMessage; }
  virtual std::u16string_view NomClasse() const noexcept { return u"Exception"; }
  // The class name in ASCII, for code that only knows std::exception.
  const char* what() const noexcept override { return "Exception"; }

 private:
  std::u16string FMessage;
};

#define KV_TEXTE_UTF16_(texte) u##texte
#define KV_TEXTE_UTF16(texte) KV_TEXTE_UTF16_(texte)

// Declares the exception class ANom, derived from ABase, reporting "ANom" as its
// class name.
#define KV_DECLARER_EXCEPTION(ANom, ABase)                                                    \
  class ANom : public ABase {                                                                 \
   public:                                                                                    \
    using TypeBase = ABase;                                                                   \
    using TypeBase::TypeBase;                                                                 \
    std::u16string_view NomClasse() const noexcept override { return KV_TEXTE_UTF16(#ANom); } \
    const char* what() const noexcept override { return #ANom; }                              \
  }

// Failure of a read or write on a file or a standard stream.
KV_DECLARER_EXCEPTION(EInOutError, Exception);

// Misuse of a list or a map: a duplicate key, an index out of range.
KV_DECLARER_EXCEPTION(EListError, Exception);

// An operation was given an argument it cannot work with.
KV_DECLARER_EXCEPTION(EArgumentInvalide, Exception);

}  // namespace kv
