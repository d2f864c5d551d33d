#include "catalogue/remote_file_info.h"

#include "catalogue/http_range_source.h"
#include "pe/resource_tree.h"

#include <limits>

namespace brivane {

TRemoteFileInfo::TRemoteFileInfo(std::string aFileURL)
    : TRemoteFileInfo(aFileURL, std::make_unique<THTTPRangeSource>(aFileURL)) {}

TRemoteFileInfo::TRemoteFileInfo(std::string aFileURL,
                                 std::unique_ptr<platform::IByteRangeSource> aSource)
    : fFileURL(std::move(aFileURL)), fSource(std::move(aSource)), fCounter(*fSource) {}

void TRemoteFileInfo::GetInfo(bool aLoadResources, bool aExtractIcons) {
    fFileVersionInfo.Clear();
    fIcons.clear();
    fHasVersionInfo = false;
    TExecutableReader image(fCounter);
    const bool found = image.ReadHeaders();
    fSections = image.Sections();
    fIsExecutable = found || !fSections.empty();
    fResourceDirectoryOffset = image.ResourceDirectoryOffset();
    if (!found) {
        return;
    }
    if (aLoadResources) {
        LoadResources(image, aExtractIcons);
        return;
    }
    const std::string block = image.ReadVersionResourceQuickly();
    if (!block.empty()) {
        fHasVersionInfo = true;
        fFileVersionInfo.ParseVersionInfo(block);
    }
}

std::string TRemoteFileInfo::ReadFailure() const {
    const auto* http = dynamic_cast<const THTTPRangeSource*>(fSource.get());
    return http != nullptr ? http->Failure() : std::string();
}

void TRemoteFileInfo::LoadResources(TExecutableReader& aImage, bool aExtractIcons) {
    const std::int64_t start = fResourceDirectoryOffset;
    const std::uint32_t size = aImage.ResourceSize();
    if (size == 0 || size > kMaxResourceBlockSize) {
        return;
    }
    std::string bytes = fCounter.ReadRange(start, start + size - 1);
    bytes.resize(std::min<std::size_t>(bytes.size(), size)); // never more than was asked for
    platform::TMemoryRangeSource block(std::move(bytes));
    TResourceTree tree(aImage, block, 0, start);

    if (const auto versions = tree.FindType(kResourceTypeVersion)) {
        const auto leaves = tree.CollectLeaves(*versions, 1);
        if (!leaves.empty()) {
            const std::string version = tree.ReadData(leaves.front(), kMaxVersionResourceSize);
            if (!version.empty()) {
                fHasVersionInfo = true;
                fFileVersionInfo.ParseVersionInfo(version);
            }
        }
    }
    if (!aExtractIcons) {
        return;
    }
    if (const auto icons = tree.FindType(kResourceTypeIcon)) {
        std::size_t total = 0;
        for (const std::uint32_t leaf :
             tree.CollectLeaves(*icons, std::numeric_limits<std::size_t>::max())) {
            const std::string image = tree.ReadData(leaf, kMaxIconImageSize);
            total += image.size();
            if (total > kMaxResourceBlockSize) {
                break;
            }
            if (!image.empty()) {
                fIcons.push_back(MakeIconInfo(image));
            }
        }
    }
}

} // namespace brivane
