#include <memory>

#include "ApplicationTalvane.h"
#include "application/PointEntree.h"

namespace {

std::unique_ptr<kv::TApplicationKorvel> CreerApplication() {
  return std::make_unique<talvane::TApplicationTalvane>();
}

}  // namespace

int main() { return kv::TPointEntree::Executer(&CreerApplication); }
