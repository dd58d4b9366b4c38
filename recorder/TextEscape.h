#pragma once

#include <string>
#include <string_view>

// Byte texts on one printable line: backslash, quote and every byte outside
// printable ASCII become escapes, so any stored text survives the state file and
// the journal unchanged.
namespace textescape {

std::string Escape(std::string_view bytes);
// Undoes Escape; a malformed escape is kept as it stands.
std::string Unescape(std::string_view text);

}  // namespace textescape
