// Setting up the local authorisers and the files the benchmarks use.
#include "bench/ambiente_bench.h"

#include "app/status_sefaz/consulta_status.h"
#include "nivranfe/security/arquivo_pfx.h"
#include "nivranfe/security/certificado_x509.h"
#include "nivranfe/util/arquivos.h"
#include "tests/fakes/pki_teste.h"
#include "tests/fakes/tabela_simulada.h"

namespace nivra {

TAmbienteBench::TAmbienteBench(int atrasoLentoMs)
    : FRapido(std::make_unique<TSimuladorTeste>()),
      FLento(std::make_unique<TSimuladorTeste>(
          std::vector<std::string>{"--atraso", std::to_string(atrasoLentoMs)})),
      FServicosRapido(FPasta.Caminho() + "servicos-rapido.ini"),
      FServicosLento(FPasta.Caminho() + "servicos-lento.ini") {
  TPastaTemporaria::Escrever(FServicosRapido, TabelaStatusSimulada(FRapido->URL()));
  TPastaTemporaria::Escrever(FServicosLento, TabelaStatusSimulada(FLento->URL()));

  TNivraNFe nfe;
  ConfigurarComponente(nfe, Opcoes(), Senha());
  const TResultadoStatus resultado = ConsultarStatus(nfe);
  const auto pedidos = FRapido->Pedidos();
  if (resultado.cStat != 107 || pedidos.size() != 1)
    throw std::runtime_error("o simulador não respondeu à consulta de status: " + resultado.Erro);
  FEnvelope = std::string(pedidos[0].Corpo);
  for (const auto& [nome, valor] : pedidos[0].Cabecalhos) {
    if (nome == "Content-Type") FContentType = valor;
    if (nome == "SOAPAction") FSoapAction = valor;
  }
  TPastaTemporaria::Escrever(ArquivoEnvelope(), FEnvelope);
}

std::string TAmbienteBench::ArquivoPFX() { return PastaPKITeste() + "empresa.pfx"; }
std::string TAmbienteBench::Senha() { return SenhaPKITeste; }
std::string TAmbienteBench::Repositorio() { return PastaPKITeste() + "repositorio"; }

std::string TAmbienteBench::NumeroSerie() {
  const TConteudoPFX pfx = LerPFX(LerArquivoBinario(ArquivoPFX()), Senha());
  return NumeroSerieCertificado(X509_get0_serialNumber(pfx.Certificado.get()));
}

TOpcoesStatus TAmbienteBench::Opcoes(bool lento) const {
  TOpcoesStatus opcoes;
  opcoes.UF = "PR";
  opcoes.ArquivoPFX = ArquivoPFX();
  opcoes.ArquivoServicos = lento ? FServicosLento : FServicosRapido;
  opcoes.PastaSchemas = NIVRA_SCHEMAS;
  return opcoes;
}

std::string TAmbienteBench::URLStatus() const { return FRapido->URL() + "/NFe_PR_P"; }

}  // namespace nivra
