#pragma once
// The Java runtime as two catalogue entries, one per edition (32-bit and 64-bit), which
// differ only in their name, the inventory names they accept and the installer they
// pick from the manual download page.

#include "catalogue/base_software.h"

#include <memory>

namespace brivane::programs {

struct TJavaRuntimeEdition {
    const char* Name;
    // Inventory names of this edition ("Java 8 Update 101" or "... (64-bit)").
    std::shared_ptr<IRegex> InventoryName;
    // The link to this edition's offline installer on the manual download page.
    std::shared_ptr<IRegex> OfflineLink;
};

std::unique_ptr<TBaseSoftware> MakeJavaRuntime(TJavaRuntimeEdition aEdition);

} // namespace brivane::programs
