#pragma once

#include <string>
#include <vector>

namespace kv::plateforme {

// Full path of the running executable's file; empty when the system cannot say.
std::u16string CheminModuleExecutable();

// The process's own argument list: element 0 is CheminModuleExecutable(), then
// the words of the command line as the process received them, already split,
// empty ones included. Read once, on first use; the list lives until the
// process ends, so that code run at exit may still read it.
const std::vector<std::u16string>& ArgumentsProcessus();

// Full path of the file of the loaded module (the executable or a shared
// library) that holds AAdresse; empty when no loaded module holds it.
std::u16string CheminModuleContenant(const void* AAdresse);

}  // namespace kv::plateforme
