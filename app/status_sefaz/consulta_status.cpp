// Running a status query and collecting its answer.
#include "app/status_sefaz/consulta_status.h"

#include "app/linha_comando/programa.h"
#include "nivranfe/nfe/webservices.h"

namespace nivra {

TResultadoStatus ConsultarStatus(TNivraNFe& nfe) {
  TResultadoStatus resultado;
  auto& servico = nfe.WebServices().StatusServico();
  try {
    servico.Executar();
  } catch (const std::exception& erro) {
    resultado.Erro = erro.what();
  }
  resultado.versao = servico.versao();
  resultado.tpAmb = servico.tpAmb();
  resultado.verAplic = servico.verAplic();
  resultado.cStat = servico.cStat();
  resultado.xMotivo = servico.xMotivo();
  resultado.cUF = servico.cUF();
  resultado.dhRecbto = servico.dhRecbto();
  resultado.FusoRecbto = servico.FusoRecbto();
  resultado.tMed = servico.TMed();
  resultado.dhRetorno = servico.dhRetorno();
  resultado.xObs = servico.xObs();
  resultado.url = servico.URL();
  return resultado;
}

int CodigoSaida(const TResultadoStatus& resultado) {
  if (!resultado.Erro.empty()) return kSaidaFalha;
  switch (resultado.cStat) {
    case 107:
      return 0;
    case 108:
      return 1;
    case 109:
      return 2;
    default:
      return kSaidaFalha;
  }
}

}  // namespace nivra
