// Query results turned into history records.
#include "app/status_sefaz/historico_resultados.h"

#include "app/linha_comando/saida_comum.h"

namespace nivra {

TRegistroStatus RegistroDoResultado(const TResultadoAutorizador& resultado,
                                    TkovTipoAmbiente ambiente, TkovModeloDF modelo,
                                    const TInstante& momento) {
  TRegistroStatus registro;
  registro.Momento = momento;
  registro.Autorizador = resultado.Autorizador.Nome;
  registro.UF = resultado.Autorizador.UFs.empty() ? "" : resultado.Autorizador.UFs.front();
  registro.Ambiente = CodigoAmbiente(ambiente);
  registro.Modelo = modelo == TkovModeloDF::moNFCe ? "NFCe" : "NFe";
  registro.Falha = resultado.Resultado.Erro;
  if (registro.Falha.empty()) {
    registro.cStat = resultado.Resultado.cStat;
    registro.xMotivo = resultado.Resultado.xMotivo;
    registro.tMed = resultado.Resultado.tMed;
  }
  registro.ConsultaMs = resultado.Milissegundos;
  return registro;
}

std::size_t GravarResultados(THistoricoStatus& historico,
                             const std::vector<TResultadoAutorizador>& resultados,
                             TkovTipoAmbiente ambiente, TkovModeloDF modelo,
                             const TInstante& momento) {
  std::size_t gravados = 0;
  for (const TResultadoAutorizador& r : resultados)
    if (historico.Gravar(RegistroDoResultado(r, ambiente, modelo, momento))) ++gravados;
  return gravados;
}

}  // namespace nivra
