// Whether a text is one well-formed XML document, so that what is saved from an answer opens in
// any XML tool.
#pragma once

#include <string_view>

namespace nivra {

// True when the text, converted to UTF-8 (bytes that are not valid UTF-8 taken as
// Windows-1252), is one well-formed XML 1.0 document as libxml2 reads it: a single root element,
// every tag closed, every entity reference declared or predefined, a declared encoding libxml2
// knows, no DTD loaded from outside. A namespace prefix declared outside the text (an element cut
// out of its answer) is not held against it. Never throws except on allocation.
[[nodiscard]] bool XMLBemFormado(std::string_view texto);

}  // namespace nivra
