// Running the queries of consulta-nfe and telling an answer with another code from a failure.
#include "app/consulta_nfe/consultas.h"

#include <functional>

#include "app/linha_comando/programa.h"
#include "nivranfe/nfe/webservices.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/uf.h"

namespace nivra {

namespace {

// Runs `operacao`, which drives `servico`. The component's operations report an answer with
// a code the service does not count as success by raising the answer's reason (the service's
// Msg) once the answer was read; any other exception is a failure.
TResultadoConsulta Executar(const TNFeServicoRetorno& servico,
                            const std::function<bool()>& operacao) {
  TResultadoConsulta resultado;
  try {
    resultado.Desfecho = operacao() ? TDesfecho::Sucesso : TDesfecho::OutroCodigo;
  } catch (const std::exception& erro) {
    const bool outroCodigo = servico.cStat() != 0 && erro.what() == servico.Msg();
    resultado.Desfecho = outroCodigo ? TDesfecho::OutroCodigo : TDesfecho::Falha;
    if (!outroCodigo)
      resultado.Erro = *erro.what() != '\0' ? erro.what() : "O autorizador respondeu sem cStat.";
  }
  resultado.Retorno = servico.Retorno();
  resultado.URL = servico.URL();
  return resultado;
}

}  // namespace

void VerificarChave(TNivraNFe& nfe, const std::string& chave) {
  try {
    nfe.WebServices().Consulta().SetNFeChave(Maiusculas(chave));
  } catch (const ENivraNFeException&) {
    // The component's refusal, naming the key as it was typed.
    throw ENivraNFeException("Chave \"" + chave + "\" inválida.");
  }
}

TResultadoConsulta ConsultarSituacao(TNivraNFe& nfe, const std::string& chave) {
  auto& consulta = nfe.WebServices().Consulta();
  TResultadoConsulta resultado =
      Executar(consulta, [&] { return nfe.Consultar(Maiusculas(chave)); });
  resultado.Protocolo = consulta.Protocolo();
  return resultado;
}

TResultadoConsulta ConsultarCadastro(TNivraNFe& nfe, const TOpcoesConsulta& opcoes) {
  auto& cadastro = nfe.WebServices().ConsultaCadastro();
  cadastro.SetUF(opcoes.UF);
  cadastro.SetCNPJ(opcoes.TipoDocumento == TTipoDocumento::CNPJ ? opcoes.Documento : "");
  cadastro.SetCPF(opcoes.TipoDocumento == TTipoDocumento::CPF ? opcoes.Documento : "");
  cadastro.SetIE(opcoes.TipoDocumento == TTipoDocumento::IE ? opcoes.Documento : "");
  return Executar(cadastro, [&] { return cadastro.Executar(); });
}

TResultadoConsulta ConsultarDistribuicao(TNivraNFe& nfe, const TOpcoesConsulta& opcoes) {
  const auto valor = [&](TPontoDistribuicao ponto) {
    return opcoes.Ponto == ponto ? opcoes.Valor : std::string();
  };
  return Executar(nfe.WebServices().DistribuicaoDFe(), [&] {
    return nfe.DistribuicaoDFe(SiglaUFParaCodigo(opcoes.UF), opcoes.Documento,
                               valor(TPontoDistribuicao::UltimoNSU), valor(TPontoDistribuicao::NSU),
                               valor(TPontoDistribuicao::Chave));
  });
}

int CodigoSaidaConsulta(const TResultadoConsulta& resultado) {
  switch (resultado.Desfecho) {
    case TDesfecho::Sucesso:
      return 0;
    case TDesfecho::OutroCodigo:
      return 1;
    case TDesfecho::Falha:
      break;
  }
  return kSaidaFalha;
}

}  // namespace nivra
