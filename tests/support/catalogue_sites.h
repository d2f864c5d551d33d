#pragma once
// The publishers' sites of the catalogue's entries on one loopback server, as the
// host map {"*": "<origin>/{host}"} reaches them: their pages from the fixtures, and an
// installer of aInstallerSize bytes, last modified at aInstallerDate, behind every
// .exe and .msi address.

#include <httplib.h>

#include <cstddef>
#include <string>

namespace brivane::test {

void ServeCatalogueSites(httplib::Server& aServer, std::size_t aInstallerSize,
                         const std::string& aInstallerDate);

} // namespace brivane::test
