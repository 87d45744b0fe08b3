// status-sefaz: asks an authoriser whether its NF-e service is in operation, for servers,
// scripts and monitoring systems.
#include <iostream>
#include <string>
#include <vector>

#include "app/status_sefaz/certificados.h"
#include "app/status_sefaz/consulta_status.h"
#include "app/status_sefaz/consulta_todas.h"
#include "app/status_sefaz/opcoes.h"
#include "app/status_sefaz/saida.h"
#include "app/status_sefaz/saida_todas.h"
#include "app/status_sefaz/senha_terminal.h"
#include "util/processo_seguro.h"

#ifndef NIVRA_VERSAO
#define NIVRA_VERSAO "0"
#endif

namespace {

constexpr int kFalha = 3;

std::string Senha(const TOpcoesStatus& opcoes) {
  return LerSenha(opcoes.ArquivoPFX.empty() ? "PIN do token (Enter se não houver): "
                                            : "Senha do certificado: ");
}

int ConsultarTodasAsUFs(const TOpcoesStatus& opcoes) {
  const std::vector<TResultadoAutorizador> resultados = ConsultarTodas(opcoes, Senha(opcoes));
  std::cout << (opcoes.Json ? JsonTodas(resultados) : TabelaTodas(resultados));
  return CodigoSaidaTodas(resultados);
}

int Consultar(const TOpcoesStatus& opcoes) {
  if (opcoes.Todas) return ConsultarTodasAsUFs(opcoes);
  TNivraNFe nfe;
  const std::string senha = Senha(opcoes);
  ConfigurarComponente(nfe, opcoes, senha);
  const TResultadoStatus resultado = ConsultarStatus(nfe);
  if (!resultado.Erro.empty()) std::cerr << resultado.Erro << "\n";
  std::cout << (opcoes.Json ? JsonResultado(resultado) : TextoResultado(resultado));
  return CodigoSaida(resultado);
}

int Executar(const TOpcoesStatus& opcoes) {
  switch (opcoes.Acao) {
    case TAcaoStatus::Ajuda:
      std::cout << TextoAjuda();
      return 0;
    case TAcaoStatus::Versao:
      std::cout << "status-sefaz " << NIVRA_VERSAO << "\n";
      return 0;
    case TAcaoStatus::ListarCertificados: {
      TNivraNFe nfe;
      nfe.Configuracoes().Geral().SetSSLLib(TSSLLib::libWinCrypt);
      ListarCertificados(nfe, std::cout);
      return 0;
    }
    case TAcaoStatus::ImportarCertificado:
      ImportarCertificado(opcoes.ArquivoImportar, LerSenha("Senha do arquivo: "), std::cout);
      return 0;
    case TAcaoStatus::Consultar:
      break;
  }
  return Consultar(opcoes);
}

}  // namespace

int main(int argc, char** argv) {
  // Certificate passwords and PINs pass through this process's memory.
  if (!ProtegerMemoriaDoProcesso())
    std::cerr << "status-sefaz: não foi possível desligar o core dump\n";
  try {
    return Executar(LerOpcoes(std::vector<std::string>(argv + 1, argv + argc)));
  } catch (const EOpcaoInvalida& erro) {
    std::cerr << "status-sefaz: " << erro.what() << "\n";
    return kFalha;
  } catch (const std::exception& erro) {
    std::cerr << erro.what() << "\n";
    return kFalha;
  }
}
