// The program's declared section caps, kept behind a lock.
#include "storage/section_caps.h"

#include <mutex>

#include "storage/section_header.h"

namespace {

struct TDeclared {
    std::mutex lock;
    TSectionCaps caps;
};

TDeclared& Declared() {
    static TDeclared declared;
    return declared;
}

}  // namespace

void CapSection(std::string_view name, std::size_t lastLines) {
    TDeclared& declared = Declared();
    const std::lock_guard guard(declared.lock);
    for (TSectionCap& cap : declared.caps) {
        if (IsSectionHeader("[" + cap.Name + "]", name)) {
            cap.LastLines = lastLines;
            return;
        }
    }
    declared.caps.push_back({std::string(name), lastLines});
}

TSectionCaps DeclaredSectionCaps() {
    TDeclared& declared = Declared();
    const std::lock_guard guard(declared.lock);
    return declared.caps;
}
