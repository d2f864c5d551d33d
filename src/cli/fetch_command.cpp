// brivane-cli fetch: one request made the way a catalogue entry makes it (its
// user agent and default headers, gzip decoded, text read as UTF-8).

#include "base/visible_text.h"
#include "cli/commands.h"
#include "cli/hosts_option.h"
#include "cli/output.h"
#include "cli/web_address.h"
#include "net/code_page.h"
#include "net/http_helpers.h"
#include "net/net_errors.h"
#include "net/uri.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <functional>
#include <iostream>
#include <optional>

namespace brivane::cli {

namespace {

struct TFetchOptions {
    std::string URL;
    bool Head = false;
    std::vector<std::string> Post;
    std::string Range;
    bool NoRedirects = false;
    std::string Hosts;
    bool Json = false;
};

// A bound of "A-B": digits, or nothing (-1).
std::optional<std::int64_t> ParseBound(std::string_view aText) {
    if (aText.empty()) {
        return -1;
    }
    std::int64_t value = 0;
    const auto [ptr, error] = std::from_chars(aText.data(), aText.data() + aText.size(), value);
    if (error != std::errc() || ptr != aText.data() + aText.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::pair<std::int64_t, std::int64_t> ParseRange(const std::string& aText) {
    const auto dash = aText.find('-');
    const auto start = dash == std::string::npos ? std::nullopt : ParseBound(aText.substr(0, dash));
    const auto end = dash == std::string::npos ? std::nullopt : ParseBound(aText.substr(dash + 1));
    if (!start || !end || (*start < 0 && *end < 0) || (*end >= 0 && *start > *end)) {
        throw TCliError("--range must be A-B, A- or -B with byte positions, not '" + aText + "'");
    }
    return {*start, *end};
}

// Each --post is one field, whatever line breaks its value holds.
std::string PostFields(const std::vector<std::string>& aFields) {
    std::string lines;
    for (const auto& field : aFields) {
        const auto equals = field.find('=');
        if (equals == std::string::npos) {
            throw TCliError("--post takes name=value, not '" + field + "'");
        }
        lines += net::FormFieldLine(std::string_view(field).substr(0, equals),
                                    std::string_view(field).substr(equals + 1));
    }
    return lines;
}

// The request the options ask for, checked before anything is sent.
std::function<std::shared_ptr<net::IHTTPResponse>(net::THTTPClient&, net::TContentStream&)>
PrepareRequest(const TFetchOptions& aOptions) {
    RequireWebAddress(aOptions.URL);
    const std::string url = aOptions.URL;
    if (aOptions.Head) {
        return [url](net::THTTPClient& aClient, net::TContentStream&) { return aClient.Head(url); };
    }
    if (!aOptions.Post.empty()) {
        return [url, fields = PostFields(aOptions.Post)](net::THTTPClient& aClient,
                                                         net::TContentStream& aBody) {
            return aClient.Post(url, fields, &aBody);
        };
    }
    if (!aOptions.Range.empty()) {
        return [url, range = ParseRange(aOptions.Range)](net::THTTPClient& aClient,
                                                         net::TContentStream& aBody) {
            return aClient.GetRange(url, range.first, range.second, &aBody);
        };
    }
    return [url](net::THTTPClient& aClient, net::TContentStream& aBody) {
        return aClient.Get(url, &aBody);
    };
}

void RunFetch(const TFetchOptions& aOptions) {
    const auto send = PrepareRequest(aOptions);
    ApplyHostsOption(aOptions.Hosts);
    const auto client = net::CreateHTTPClient();
    client->SetHandleRedirects(!aOptions.NoRedirects);
    net::TMemoryContent body(net::kMaxTextBodySize);
    std::shared_ptr<net::IHTTPResponse> response;
    std::string text;
    try {
        response = send(*client, body);
        text = net::DecodeBodyText(*response, body.Take(), net::kCodePageUtf8);
    } catch (const net::ENetHTTPException& e) {
        const std::string detail = e.Detail().empty() ? "" : " (" + e.Detail() + ")";
        throw TCliError(e.what() + detail, kExitFailure);
    } catch (const std::runtime_error& e) { // gzip and code page errors
        throw TCliError(e.what(), kExitFailure);
    }

    if (aOptions.Json) {
        nlohmann::ordered_json headers = nlohmann::ordered_json::object();
        for (const auto& header : response->GetHeaders()) {
            headers[header.Name] = header.Value;
        }
        PrintJson(std::cout, {{"status", response->GetStatusCode()},
                              {"url", response->GetURL()},
                              {"headers", headers},
                              {"text", text}});
        return;
    }
    // What a server sends must not drive the terminal it is shown on; piped into a
    // file or another program, the bytes stay exact.
    const bool terminal = StandardOutputIsTerminal();
    const auto shown = [terminal](const std::string& aText) {
        return terminal ? VisibleText(aText) : aText;
    };
    if (aOptions.Head) {
        std::cout << response->GetStatusCode() << ' ' << shown(response->GetStatusText()) << '\n';
        for (const auto& header : response->GetHeaders()) {
            std::cout << shown(header.Name) << ": " << shown(header.Value) << '\n';
        }
        return;
    }
    if (terminal) {
        text = VisibleLines(text);
    }
    std::cout << text;
    if (!text.empty() && !text.ends_with('\n')) {
        std::cout << '\n';
    }
}

} // namespace

void RegisterFetchCommand(CLI::App& aApp) {
    auto options = std::make_shared<TFetchOptions>();
    auto* command = aApp.add_subcommand(
        "fetch", "Request one page the way a catalogue entry does and print its text");
    command->add_option("URL", options->URL, "http or https address")->required();
    auto* head = command->add_flag("--head", options->Head, "send HEAD and print the headers");
    auto* post = command
                     ->add_option("--post", options->Post,
                                  "send a form field name=value by POST (repeatable)")
                     ->expected(1)
                     ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    auto* range = command->add_option("--range", options->Range, "request bytes A-B (A- or -B)");
    head->excludes(post)->excludes(range);
    post->excludes(range);
    command->add_flag("--no-redirects", options->NoRedirects, "do not follow redirects");
    AddHostsOption(*command, options->Hosts);
    command->add_flag("--json", options->Json, "print status, final URL, headers and text as JSON");
    command->callback([options] { RunFetch(*options); });
}

} // namespace brivane::cli
