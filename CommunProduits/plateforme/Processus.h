#pragma once

#include <string>

namespace kv::plateforme {

// Full path of the running executable's file; empty when the system cannot say.
std::u16string CheminModuleExecutable();

}  // namespace kv::plateforme
