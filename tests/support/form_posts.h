#pragma once
// Portals that answer one address with different documents, chosen by a field of the
// form posted to it.

#include <httplib.h>

#include <functional>
#include <optional>
#include <string>

namespace brivane::test {

// The answer to a post whose field has that value; nothing: 404.
using TFormAnswer = std::function<std::optional<std::string>(const std::string& aValue)>;

// Answers posts to aPath by the value of aField, taken from the form or the query.
// Register it before the site fixtures, which would otherwise answer.
void ServeFormPosts(httplib::Server& aServer, const std::string& aPath, const std::string& aField,
                    TFormAnswer aAnswer, const std::string& aContentType = "application/json");

// The site fixture "<aHostAndPath>@<value>" for every value.
TFormAnswer SiteFixtureByValue(std::string aHostAndPath);

} // namespace brivane::test
