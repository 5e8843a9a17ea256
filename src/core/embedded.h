#pragma once
#include <string_view>

namespace qv {

// The UTF-8 bytes of a text file of data/ embedded at build time ("names.txt"); empty when unknown.
std::string_view EmbeddedText(std::string_view fileName);

}  // namespace qv
