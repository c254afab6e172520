// What a server's answer announces about the body to come, and what the body that came is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace download {

// The body length that response headers announce ("Content-Length", any letter case), or
// nothing when they announce none or an unreadable one, or when the body is encoded for the
// transfer ("Content-Encoding" other than "identity"): the file then holds the decoded
// bytes, whose length was not announced.
std::optional<uint64_t> AnnouncedLength(std::wstring_view headers);

// The media type that response headers announce ("Content-Type" without its parameters, in
// lower case); empty when they announce none.
std::wstring ContentType(std::wstring_view headers);

// Whether a body whose first bytes are `start` and whose announced type is `type` is a web
// page rather than an image or a font: an error page that a server sends with status 200 (a
// "soft 404"). The bytes decide first: a known image or font format, or SVG, is never a page;
// a body that opens as HTML is one, whatever its type says. Otherwise an HTML type decides.
bool IsWebPage(std::string_view start, std::wstring_view type);

// Whether `address` is an http or https address (any letter case): the only ones downloaded,
// and the only ones a redirect is followed to.
bool IsWebAddress(std::wstring_view address);

}  // namespace download
