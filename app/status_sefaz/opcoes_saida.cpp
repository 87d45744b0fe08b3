// The output options of status-sefaz.
#include "app/status_sefaz/opcoes_saida.h"

namespace nivra {

bool LerOpcaoSaida(TLeitorArgumentos& leitor, const std::string& opcao, TOpcoesSaida& saida,
                   bool& formatoDado) {
  if (opcao == "--formato") {
    saida.Formato = Escolha<TFormatoStatus>(opcao, leitor.Valor(opcao),
                                            {{"texto", TFormatoStatus::Texto},
                                             {"json", TFormatoStatus::Json},
                                             {"prometheus", TFormatoStatus::Prometheus},
                                             {"nagios", TFormatoStatus::Nagios}});
    formatoDado = true;
  } else if (opcao == "--saida") {
    saida.Arquivo = leitor.Valor(opcao);
  } else if (opcao == "--historico") {
    saida.ArquivoHistorico = leitor.Valor(opcao);
  } else {
    return false;
  }
  return true;
}

void AplicarJson(TOpcoesSaida& saida, bool formatoDado, bool json) {
  if (!json) return;
  if (formatoDado && saida.Formato != TFormatoStatus::Json)
    throw EOpcaoInvalida("a opção --json não combina com --formato");
  saida.Formato = TFormatoStatus::Json;
}

}  // namespace nivra
