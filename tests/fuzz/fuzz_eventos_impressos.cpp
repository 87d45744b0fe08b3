// Fuzz target of the readers of printed events and voidings: arbitrary documents either read
// to the fields the prints show or are refused with the component's error.
#include <cstdint>
#include <string_view>

#include "nivranfe/impressao/leitura_eventos.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fuzz/exigir.h"

using namespace nivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view xml(reinterpret_cast<const char*>(data), size);
  try {
    // An event that reads names its invoice.
    Exigir(!LerEventoImpresso(xml).chNFe.empty());
  } catch (const ENivraDFeException&) {
  }
  try {
    Exigir(!LerInutilizacaoImpressa(xml).nNFIni.empty());
  } catch (const ENivraDFeException&) {
  }
  return 0;
}
