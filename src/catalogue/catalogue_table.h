#pragma once
// The catalogue: one entry per program the updater knows, in the order in which
// the entries register, are checked and are listed.

#include <memory>
#include <span>

namespace brivane {

class TBaseSoftware;

// Makes one program's entry with its display name.
using TSoftwareFactory = std::unique_ptr<TBaseSoftware> (*)();

// Every entry's factory, in catalogue order.
std::span<const TSoftwareFactory> CatalogueFactories();

} // namespace brivane
