// Fuzz target of the XML reader: group extraction, fields of every type, attributes and the
// last-occurrence search on arbitrary documents and tag names.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "nivranfe/util/excecoes.h"
#include "nivranfe/xml/leitor.h"
#include "tests/fuzz/exigir.h"

using namespace nivra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider entrada(data, size);
  const auto nivel = entrada.ConsumeIntegralInRange<int32_t>(-1, 11);
  const auto item = entrada.ConsumeIntegralInRange<int32_t>(-1, 4);
  const auto tipo = static_cast<TkovTipoCampo>(
      entrada.ConsumeIntegralInRange<int>(0, static_cast<int>(TkovTipoCampo::tcNumStr)));
  const std::string tagInicio = entrada.ConsumeRandomLengthString(24);
  const std::string tagFim = entrada.ConsumeRandomLengthString(24);
  const std::string tag = entrada.ConsumeRandomLengthString(24);
  const std::string parada = entrada.ConsumeRandomLengthString(24);
  const std::string atributo = entrada.ConsumeRandomLengthString(24);

  TLeitor leitor;
  leitor.SetArquivo(entrada.ConsumeRemainingBytesAsString());
  leitor.SetGrupo(leitor.Arquivo());
  try {
    const std::string grupo = leitor.rExtrai(nivel, tagInicio, tagFim, item);
    // A group is always a piece of the document.
    Exigir(leitor.Arquivo().find(grupo) != std::string::npos);
    if (grupo.empty()) leitor.SetGrupo(leitor.Arquivo());
    // Going one level deeper searches inside the group just found.
    if (nivel < 9) (void)leitor.rExtrai(nivel + 1, tag, parada, item);
  } catch (const ENivraDFeException&) {
    Exigir(nivel < 1 || nivel > 9);
  }
  try {
    (void)leitor.rCampo(tipo, tag, parada);
  } catch (const ENivraDFeException&) {
    // Unreadable content and impossible dates are reported this way.
  }
  try {
    (void)leitor.rAtributo(atributo, tag);
    (void)leitor.rCampoCNPJCPF(parada);
  } catch (const ENivraDFeException&) {
    // A bad hexadecimal entity is reported this way.
  }
  const int32_t posicao = TLeitor::PosLast(tag, leitor.Arquivo());
  Exigir(posicao >= 0 && static_cast<size_t>(posicao) <= leitor.Arquivo().size());
  return 0;
}
