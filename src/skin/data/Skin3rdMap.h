// The default map of other libraries' control classes to the built-in kind of control they
// are skinned like ("class=kind"), which a new skin data component starts with.
#pragma once

#include <string>
#include <vector>

namespace skin {

// 117 lines, in order.
const std::vector<std::string>& DefaultSkin3rdLines();

}  // namespace skin
