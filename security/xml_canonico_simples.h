// Documents plain enough that their serialised and canonical forms come from the text itself:
// elements with double-quoted attributes, text and the predefined entity references, one default
// namespace declared on the root, nothing else (what the component's XML generator writes).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nivra {

// A plain document read: the text as libxml2 writes it back, and the element whose attribute
// "Id" the reference of its signature names.
struct TXMLSimples {
  // The document as libxml2 serialises it (without declaration): character references undone
  // and "&", "<", ">" escaped in text; the rest unchanged.
  std::string Serializado;
  // The value of the only "Id" attribute of the document, whose element is not the root.
  std::string Id;
  // The Canonical XML 1.0 form of that element: the root's default namespace declared on it and
  // every start tag's attributes in order of name.
  std::string Canonico;
};

// Reads `xml` (UTF-8, without line breaks) whose root element is `docElement`. Returns nothing
// whenever the text leaves the plain form (declaration, comment, processing instruction, CDATA,
// DOCTYPE, prefixes, other blanks in tags, empty elements, single quotes, references other than
// the predefined entities and printable ASCII characters, bytes that are not UTF-8 characters
// allowed in XML, an element whose name starts with "signature" in any case, no or several "Id"
// attributes, the first "Id=" of the text not being that attribute, unbalanced tags), so that
// the caller goes the general way. Never throws except std::bad_alloc.
[[nodiscard]] std::optional<TXMLSimples> LerXMLSimples(std::string_view xml,
                                                       std::string_view docElement);

}  // namespace nivra
