// Placeholder until the per-user store lands: a registry that opens nothing.
#include "base/Registry.h"

namespace brisander {
namespace {
class EmptyRegistry : public RegistryBackend {
 public:
  std::unique_ptr<Key> Open(const std::string&, bool) override { return nullptr; }
};
}  // namespace

RegistryBackend& CurrentUserRegistry() {
  static EmptyRegistry registry;
  return registry;
}

}  // namespace brisander
