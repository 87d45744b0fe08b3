// Well-formedness through libxml2, the parser of the XML tools.
#include "nivranfe/util/xml_bem_formado.h"

#include <libxml/parser.h>

#include <climits>
#include <memory>
#include <string>

#include "nivranfe/util/xml_texto.h"

namespace nivra {

bool XMLBemFormado(std::string_view texto) {
  const std::string utf8 = TextoParaUTF8(texto);
  if (utf8.size() > static_cast<std::size_t>(INT_MAX)) return false;
  // No encoding is imposed: libxml2 reads a large text it must convert as too big, and every
  // encoding a declaration may name reads the converted bytes well enough to judge their form.
  const std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> documento(
      xmlReadMemory(utf8.data(), static_cast<int>(utf8.size()), "texto.xml", nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
      &xmlFreeDoc);
  return documento != nullptr;
}

}  // namespace nivra
