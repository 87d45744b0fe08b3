// Fuzz target of entity decoding: the table of named entities in both code pages, and the
// hexadecimal references of the reader.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "tests/fuzz/exigir.h"
#include "util/caracteres.h"
#include "util/excecoes.h"
#include "util/xml_texto.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider entrada(data, size);
  const bool decodificar = entrada.ConsumeBool();
  const std::string texto = entrada.ConsumeRemainingBytesAsString();

  const std::string utf8 = ConverterEntidadesXML(texto, decodificar, true);
  // The UTF-8 result is valid UTF-8, and the 8-bit one holds one byte per character of it.
  Exigir(TextoParaUTF8(utf8) == utf8);
  const std::string oitoBits = ConverterEntidadesXML(texto, decodificar, false);
  Exigir(oitoBits.size() == DecodificarCaracteres(utf8).size());

  try {
    const std::string lido = DecodificarEntidadesLeitura(texto);
    // Every hexadecimal reference was replaced.
    Exigir(lido.find("&#x") == std::string::npos);
  } catch (const ENivraDFeException&) {
    // A reference with a digit that is not hexadecimal is reported this way.
  }
  return 0;
}
