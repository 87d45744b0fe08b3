// Fuzz target of entity decoding: the table of named entities in both code pages, and the
// hexadecimal references of the reader.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/xml_texto.h"
#include "tests/fuzz/exigir.h"

using namespace nivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider entrada(data, size);
  const bool decodificar = entrada.ConsumeBool();
  const std::string texto = entrada.ConsumeRemainingBytesAsString();

  const std::string utf8 = ConverterEntidadesXML(texto, decodificar, true);
  // The result is valid UTF-8, and the 8-bit code page (UTF-8 here) reads the text the same way.
  Exigir(TextoParaUTF8(utf8) == utf8);
  Exigir(ConverterEntidadesXML(texto, decodificar, false) == utf8);

  try {
    const std::string lido = DecodificarEntidadesLeitura(texto);
    // Every hexadecimal reference was replaced.
    Exigir(lido.find("&#x") == std::string::npos);
  } catch (const ENivraDFeException&) {
    // A reference with a digit that is not hexadecimal is reported this way.
  }
  return 0;
}
