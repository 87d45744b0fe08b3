// Fuzz target of the JSON form of the NF-e: any text either throws the component's exception
// or gives a model whose JSON reads back, without error, to the same JSON.
#include <cstdint>
#include <string>

#include "nivranfe/documento/json_nfe.h"
#include "nivranfe/util/excecoes.h"
#include "tests/fuzz/exigir.h"

using namespace nivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string json(reinterpret_cast<const char*>(data), size);
  std::string escrito;
  try {
    escrito = NFeParaJSON(NFeDeJSON(json));
  } catch (const ENivraDFeException&) {
    return 0;  // text that is not JSON or a member out of the layout
  }
  // What the model writes is always read back (an exception here is a finding).
  Exigir(NFeParaJSON(NFeDeJSON(escrito)) == escrito);
  return 0;
}
