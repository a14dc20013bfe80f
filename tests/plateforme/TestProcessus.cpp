#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "plateforme/Processus.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

namespace fs = std::filesystem;

int FonctionDeCetExecutable() { return 0; }

TEST(Processus, ModuleContenantUneAdresse) {
  const std::u16string executable = DepuisUtf8(fs::canonical("/proc/self/exe").string());
  EXPECT_EQ(CheminModuleExecutable(), executable);
  EXPECT_EQ(CheminModuleContenant(reinterpret_cast<const void*>(&FonctionDeCetExecutable)),
            executable);
  // A function of the C library is in a shared library, named by its full path.
  const std::u16string bibliotheque =
      CheminModuleContenant(reinterpret_cast<const void*>(&::getpid));
  EXPECT_EQ(bibliotheque.front(), u'/');
  EXPECT_NE(bibliotheque, executable);
  EXPECT_TRUE(fs::exists(VersUtf8(bibliotheque)));
  EXPECT_NE(bibliotheque.find(u"libc"), std::u16string::npos);
  EXPECT_EQ(CheminModuleContenant(nullptr), u"");
}

TEST(Processus, LArgumentZeroEstLeCheminDeLExecutable) {
  const auto& arguments = ArgumentsProcessus();
  ASSERT_FALSE(arguments.empty());
  EXPECT_EQ(arguments[0], CheminModuleExecutable());
  EXPECT_EQ(&ArgumentsProcessus(), &arguments);  // read once
}

}  // namespace
}  // namespace kv::plateforme
