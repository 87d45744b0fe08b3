// Fuzz target of the XML generator's field writing: arbitrary values of every field type
// through the text filter, with the options that change it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/variante.h"
#include "nivranfe/xml/gerador.h"
#include "tests/fuzz/exigir.h"

using namespace nivra;

namespace {

TVariante Valor(FuzzedDataProvider& entrada) {
  switch (entrada.ConsumeIntegralInRange<int>(0, 4)) {
    case 0:
      return entrada.ConsumeIntegral<int64_t>();
    case 1:
      return entrada.ConsumeFloatingPoint<double>();
    case 2:
      return TVarDataHora{entrada.ConsumeFloatingPoint<double>()};
    case 3:
      return entrada.ConsumeBool();
    default:
      return entrada.ConsumeRemainingBytesAsString();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider entrada(data, size);
  TGerador gerador;
  TGeradorOpcoes& opcoes = gerador.Opcoes();
  opcoes.SetRetirarEspacos(entrada.ConsumeBool());
  opcoes.SetRetirarAcentos(entrada.ConsumeBool());
  opcoes.SetIdentarXML(entrada.ConsumeBool());
  opcoes.SetSuprimirDecimais(entrada.ConsumeBool());
  opcoes.SetDecimalChar(entrada.ConsumeBool() ? ',' : '.');
  const bool parseTexto = entrada.ConsumeBool();
  const auto tipo = static_cast<TkovTipoCampo>(
      entrada.ConsumeIntegralInRange<int>(0, static_cast<int>(TkovTipoCampo::tcNumStr)));
  const auto min = entrada.ConsumeIntegralInRange<int16_t>(-1, 80);
  const auto max = entrada.ConsumeIntegralInRange<int16_t>(-1, 80);
  const auto ocorrencias = entrada.ConsumeIntegralInRange<int16_t>(0, 1);
  const TVariante valor = Valor(entrada);

  gerador.wGrupo("g");
  const std::string antes = gerador.ArquivoFormatoXML();
  try {
    gerador.wCampo(tipo, "F01", "x", min, max, ocorrencias, valor, "campo", parseTexto);
  } catch (const ENivraDFeException&) {
    // Values of the date, time and truth types that are not one are reported this way.
    Exigir(gerador.ArquivoFormatoXML() == antes);
    return 0;
  }
  const std::string& xml = gerador.ArquivoFormatoXML();
  const std::string fim = opcoes.IdentarXML() ? "</x>\r\n" : "</x>";
  const size_t inicio = xml.find("<x>");
  if (!parseTexto || inicio == std::string::npos || !xml.ends_with(fim)) return 0;
  // Filtered content never carries markup characters, and folded content is plain ASCII.
  const std::string conteudo = xml.substr(inicio + 3, xml.size() - inicio - 3 - fim.size());
  Exigir(conteudo.find_first_of("<>\"'") == std::string::npos);
  if (opcoes.RetirarAcentos()) {
    for (const char c : conteudo) Exigir(static_cast<unsigned char>(c) < 0x80);
  }
  return 0;
}
