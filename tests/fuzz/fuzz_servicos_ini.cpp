// Fuzz target of the INI reader of the services table and the settings: arbitrary text, then
// the lookups on the sections and keys it produced and on arbitrary names.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "nivranfe/dfe/servicos_ini.h"
#include "tests/fuzz/exigir.h"

using namespace nivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider entrada(data, size);
  const std::string secaoQualquer = entrada.ConsumeRandomLengthString(24);
  const std::string chaveQualquer = entrada.ConsumeRandomLengthString(24);
  const TServicosIni ini(entrada.ConsumeRemainingBytesAsString());

  for (const std::string& secao : ini.Secoes()) {
    const auto& entradas = ini.Entradas(secao);
    // A section counts only with an entry in it.
    Exigir(ini.SecaoExiste(secao) == !entradas.empty());
    // The first entry of a key wins, so the first entry of the section reads back as it is.
    if (!entradas.empty()) Exigir(ini.Ler(secao, entradas.front().Chave) == entradas.front().Valor);
  }
  Exigir(ini.SecaoExiste(secaoQualquer) == !ini.Entradas(secaoQualquer).empty());
  const std::string valor = ini.Ler(secaoQualquer, chaveQualquer);
  Exigir(valor.empty() || ini.SecaoExiste(secaoQualquer));
  return 0;
}
