// Fuzz target of the NF-e document reader: any text read into the model either throws the
// component's exception or gives a model whose XML reads back, without error, to the same XML.
#include <cstdint>
#include <string>

#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fuzz/exigir.h"

using namespace nivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string xml(reinterpret_cast<const char*>(data), size);
  TNFeLida lida;
  try {
    lida = LerXMLNFe(xml);
  } catch (const ENivraDFeException&) {
    return 0;  // text that is not XML, holds no NFe or has an unreadable field
  }
  Exigir(lida.XMLOriginal == xml);
  // What the model writes is always read back (an exception here is a finding).
  const std::string escrito = GerarXMLNFe(lida.NFe).XML;
  Exigir(GerarXMLNFe(LerXMLNFe(escrito).NFe).XML == escrito);
  return 0;
}
