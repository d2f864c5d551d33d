#include "support/form_posts.h"

#include "support/site_fixtures.h"
#include "support/temp_dir.h"

namespace brivane::test {

void ServeFormPosts(httplib::Server& aServer, const std::string& aPath, const std::string& aField,
                    TFormAnswer aAnswer, const std::string& aContentType) {
    aServer.Post(aPath, [aField, aAnswer = std::move(aAnswer), aContentType](
                            const httplib::Request& aRequest, httplib::Response& aResponse) {
        if (const auto body = aAnswer(aRequest.get_param_value(aField.c_str()))) {
            aResponse.set_content(*body, aContentType);
        } else {
            aResponse.status = 404;
        }
    });
}

TFormAnswer SiteFixtureByValue(std::string aHostAndPath) {
    return [aHostAndPath =
                std::move(aHostAndPath)](const std::string& aValue) -> std::optional<std::string> {
        const auto file = SiteFixturePath(aHostAndPath + "?" + aValue);
        if (aValue.empty() || file.empty()) {
            return std::nullopt;
        }
        return ReadAll(file);
    };
}

} // namespace brivane::test
