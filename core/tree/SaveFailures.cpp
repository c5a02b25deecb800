#include "core/tree/SaveFailures.h"

namespace saveFailures {

namespace {

struct Installed {
    const void* owner = nullptr;
    Hook hook;
};

Installed& installed() {
    static Installed current;
    return current;
}

} // namespace

void setHook(const void* owner, Hook hook) {
    installed() = Installed{owner, std::move(hook)};
}

void clearHook(const void* owner) {
    if (installed().owner == owner)
        installed() = Installed{};
}

void report(File file, const QString& path) {
    // A copy: the hook may install another one while it runs.
    const Hook hook = installed().hook;
    if (hook)
        hook(file, path);
}

} // namespace saveFailures
