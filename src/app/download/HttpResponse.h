// What a server's answer announces about the body to come.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace download {

// The body length that response headers announce ("Content-Length", any letter case), or
// nothing when they announce none or an unreadable one, or when the body is encoded for the
// transfer ("Content-Encoding" other than "identity"): the file then holds the decoded
// bytes, whose length was not announced.
std::optional<uint64_t> AnnouncedLength(std::wstring_view headers);

}  // namespace download
