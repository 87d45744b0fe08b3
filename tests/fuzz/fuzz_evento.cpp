// Fuzz target of the NF-e event reader and the JSON form of events: any text either throws the
// component's exception or gives a model whose XML, and whose JSON, read back without error to
// the same.
#include <cstdint>
#include <string>

#include "nivranfe/documento/documento_evento.h"
#include "nivranfe/documento/json_nfe.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fuzz/exigir.h"

using namespace nivra;

namespace {

void XMLDoEvento(const std::string& xml) {
  TEventoLido lido;
  try {
    lido = LerXMLEvento(xml);
  } catch (const ENivraDFeException&) {
    return;  // text that is not XML, holds no evento or has an unreadable field
  }
  Exigir(lido.XMLOriginal == xml);
  const std::string escrito = GerarXMLEvento(lido.evento).XML;
  Exigir(GerarXMLEvento(LerXMLEvento(escrito).evento).XML == escrito);
  const std::string json = EventoParaJSON(lido.evento);
  Exigir(EventoParaJSON(EventoDeJSON(json)) == json);
}

void JSONDoProcEvento(const std::string& texto) {
  std::string json;
  try {
    json = ProcEventoParaJSON(ProcEventoDeJSON(texto));
  } catch (const ENivraDFeException&) {
    return;  // text that is not JSON or a member out of the layout
  }
  Exigir(ProcEventoParaJSON(ProcEventoDeJSON(json)) == json);
}

}  // namespace

// An exception out of the second reading of what the model wrote is a finding.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string texto(reinterpret_cast<const char*>(data), size);
  XMLDoEvento(texto);
  JSONDoProcEvento(texto);
  return 0;
}
