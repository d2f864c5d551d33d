#include "net/host_map.h"

#include "base/json_depth.h"
#include "base/visible_text.h"
#include "net/net_errors.h"
#include "platform/files.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <mutex>

namespace brivane::net {

namespace {

constexpr std::size_t kMaxMapFileSize = 1024 * 1024;
constexpr std::string_view kHostPlaceholder = "{host}";

std::string ReplaceHost(std::string aText, std::string_view aHost) {
    for (auto at = aText.find(kHostPlaceholder); at != std::string::npos;
         at = aText.find(kHostPlaceholder, at + aHost.size())) {
        aText.replace(at, kHostPlaceholder.size(), aHost);
    }
    return aText;
}

bool IsLoopback(std::string_view aHost) {
    return aHost == "localhost" || aHost == "[::1]" || aHost.starts_with("127.");
}

bool IsHttpScheme(std::string_view aScheme) {
    return aScheme == "http" || aScheme == "https";
}

struct THostMapState {
    std::mutex Lock;
    bool Loaded = false;
    std::shared_ptr<const THostMap> Map;
    std::string Error;
};

THostMapState& State() {
    static THostMapState state;
    return state;
}

} // namespace

THostMap THostMap::Parse(std::string_view aJson, const std::string& aSource) {
    // The file's bytes may be anything: the message shows them as visible escapes.
    const auto fail = [&](const std::string& aReason) {
        return EHostMapError(VisibleText("Host map '" + aSource + "': " + aReason));
    };
    if (!JsonNestingWithin(aJson)) {
        throw fail("not valid JSON (" + JsonTooDeepText() + ")");
    }
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(aJson);
    } catch (const nlohmann::json::exception& e) {
        throw fail(std::string("not valid JSON (") + e.what() + ")");
    }
    if (!document.is_object()) {
        throw fail("not a JSON object of origins and bases");
    }
    THostMap map;
    for (const auto& [key, value] : document.items()) {
        if (!value.is_string()) {
            throw fail("the value of \"" + key + "\" is not a text");
        }
        std::string base = value.get<std::string>();
        while (base.ends_with('/')) {
            base.pop_back();
        }
        try {
            if (!IsHttpScheme(TURI::Parse(ReplaceHost(base, "example.com")).Scheme)) {
                throw ENetURIException("not http");
            }
        } catch (const ENetURIException&) {
            throw fail("the value of \"" + key + "\" is not an http or https address");
        }
        if (key == "*") {
            map.fFallback = std::move(base);
            continue;
        }
        std::optional<TURI> origin;
        try {
            origin = TURI::Parse(key);
        } catch (const ENetURIException&) {
        }
        if (!origin || !IsHttpScheme(origin->Scheme) || origin->Path != "/" ||
            !origin->Query.empty()) {
            throw fail("the key \"" + key +
                       "\" is not an origin such as \"https://www.example.com\" or \"*\"");
        }
        map.fOrigins[origin->Origin()] = std::move(base);
    }
    return map;
}

THostMap THostMap::LoadFile(const std::filesystem::path& aPath) {
    const auto bytes = platform::ReadFileBytes(aPath, kMaxMapFileSize);
    if (!bytes) {
        throw EHostMapError("Host map '" + aPath.string() +
                            "': cannot be read (missing, unreadable or larger than 1 MB)");
    }
    return Parse(*bytes, aPath.string());
}

std::string THostMap::Rewrite(const TURI& aURL) const {
    if (const auto found = fOrigins.find(aURL.Origin()); found != fOrigins.end()) {
        return ReplaceHost(found->second, aURL.Host) + aURL.ResourcePath();
    }
    if (fFallback && !IsLoopback(aURL.Host)) {
        return ReplaceHost(*fFallback, aURL.Host) + aURL.ResourcePath();
    }
    return aURL.ToString();
}

std::shared_ptr<const THostMap> CurrentHostMap() {
    auto& state = State();
    const std::lock_guard lock(state.Lock);
    if (!state.Loaded) {
        state.Loaded = true;
        const char* file = std::getenv("BRIVANE_HOSTS");
        if (file != nullptr && *file != '\0') {
            try {
                state.Map = std::make_shared<const THostMap>(THostMap::LoadFile(file));
            } catch (const EHostMapError& e) {
                state.Error = e.what();
            }
        }
    }
    if (!state.Error.empty()) {
        throw EHostMapError(state.Error);
    }
    return state.Map;
}

void SetHostMap(std::shared_ptr<const THostMap> aMap) {
    auto& state = State();
    const std::lock_guard lock(state.Lock);
    state.Loaded = true;
    state.Map = std::move(aMap);
    state.Error.clear();
}

void ResetHostMap() {
    auto& state = State();
    const std::lock_guard lock(state.Lock);
    state.Loaded = false;
    state.Map.reset();
    state.Error.clear();
}

} // namespace brivane::net
