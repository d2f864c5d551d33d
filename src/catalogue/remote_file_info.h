#pragma once
// Reads the version record of a remote Windows executable without downloading it: the
// headers, the resource directory and the version resource come in through a handful
// of range requests.

#include "pe/byte_range_source.h"
#include "pe/executable_icons.h"
#include "pe/executable_reader.h"
#include "pe/file_version_info.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace brivane {

// A resource block larger than this is not read in one piece.
inline constexpr std::uint32_t kMaxResourceBlockSize = 16 << 20;

class TRemoteFileInfo {
public:
    // Reads the file at aFileURL through range requests on a client of its own, with
    // the client's default settings (no custom headers, redirects followed).
    explicit TRemoteFileInfo(std::string aFileURL);
    // Reads the file through aSource (the URL names it in what the object reports).
    TRemoteFileInfo(std::string aFileURL, std::unique_ptr<platform::IByteRangeSource> aSource);

    // Probes the file and leaves the result in FileVersionInfo (and Icons). The light
    // mode (both flags false) reads the version resource alone with eight small
    // requests; aLoadResources reads the whole resource block in one request, and
    // aExtractIcons then also collects its icon images. Failed or short reads end the
    // probe quietly; only TConversionError (a malformed string table key) escapes.
    void GetInfo(bool aLoadResources, bool aExtractIcons);

    const std::string& FileURL() const { return fFileURL; }
    // The latest probe found the executable's headers, and its version resource.
    bool IsExecutable() const { return fIsExecutable; }
    bool HasVersionInfo() const { return fHasVersionInfo; }
    // Why reading the file over HTTP failed (see THTTPRangeSource::Failure); empty for
    // a source of another kind.
    std::string ReadFailure() const;
    const TFileVersionInfo& FileVersionInfo() const { return fFileVersionInfo; }
    const std::vector<TIconInfo>& Icons() const { return fIcons; }
    const std::vector<TSectionHeader>& Sections() const { return fSections; }
    std::uint32_t ResourceDirectoryOffset() const { return fResourceDirectoryOffset; }

    // What the probes of this object cost: reads and the bytes they returned.
    std::int64_t Requests() const { return fCounter.Requests(); }
    std::int64_t Bytes() const { return fCounter.Bytes(); }

private:
    void LoadResources(TExecutableReader& aImage, bool aExtractIcons);

    std::string fFileURL;
    std::unique_ptr<platform::IByteRangeSource> fSource;
    platform::TCountingRangeSource fCounter;
    std::vector<TSectionHeader> fSections;
    std::uint32_t fResourceDirectoryOffset = 0;
    TFileVersionInfo fFileVersionInfo;
    std::vector<TIconInfo> fIcons;
    bool fIsExecutable = false;
    bool fHasVersionInfo = false;
};

} // namespace brivane
