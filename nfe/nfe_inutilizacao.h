// Voiding a range of document numbers ("inutNFe", signed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nivranfe/nfe/documentos_pedido.h"
#include "nivranfe/nfe/nfe_servico_retorno.h"

namespace nivra {

// Executar returns true when the answer's cStat is 102 (voiding granted). With cStat 102 or
// 563 and Arquivos.Salvar on, the ProcInutNFe document (request and answer) is saved as the
// Id's digits + "-procInutNFe.xml" in GetPathInu.
class TNFeInutilizacao : public TNFeServicoRetorno {
 public:
  explicit TNFeInutilizacao(TNivraNFe& AOwner);

  void Clear() override;

  // The request's fields, kept across requests.
  const std::string& CNPJ() const { return FCNPJ; }
  void SetCNPJ(const std::string& Valor) { FCNPJ = Valor; }
  int32_t Modelo() const { return FModelo; }
  void SetModelo(int32_t Valor) { FModelo = Valor; }
  int32_t Serie() const { return FSerie; }
  void SetSerie(int32_t Valor) { FSerie = Valor; }
  int32_t Ano() const { return FAno; }
  void SetAno(int32_t Valor) { FAno = Valor; }
  int32_t NumeroInicial() const { return FNumeroInicial; }
  void SetNumeroInicial(int32_t Valor) { FNumeroInicial = Valor; }
  int32_t NumeroFinal() const { return FNumeroFinal; }
  void SetNumeroFinal(int32_t Valor) { FNumeroFinal = Valor; }
  const std::string& Justificativa() const { return FJustificativa; }
  // Stores the trimmed text. Empty: GerarException("Informar uma Justificativa para
  // Inutilização de numeração da Nota Fiscal Eletronica"); shorter than 15 characters:
  // GerarException("A Justificativa para Inutilização de numeração da Nota Fiscal Eletronica
  // deve ter no minimo 15 caracteres"); nothing is stored then. Returns true when stored
  // (false only when the log handler took the error).
  bool SetJustificativa(const std::string& Valor);

  // The Id of the last request; the protocol and ProcInutNFe of the last answer.
  const std::string& ID() const { return FID; }
  const std::string& Protocolo() const { return FRetorno.nProt; }
  const std::string& XML_ProcInutNFe() const { return FXML_ProcInutNFe; }
  // The generator's alerts on the last request (it is sent all the same).
  const std::vector<std::string>& Alertas() const { return FAlertas; }

 protected:
  // Model from Modelo (ENivraNFeException "Modelo Inválido: " + value unless 55 or 65), the
  // configured UF and environment.
  void DefinirURL() override;
  void DefinirServicoEAction() override;
  // Builds, converts to UTF-8 and signs the request.
  void DefinirDadosMsg() override;
  bool TratarResposta() override;
  // The Id without its "ID" prefix.
  std::string ObterPrefixoArquivo() override { return IdSemPrefixo(FID); }
  std::string PastaArquivos() override;

 private:
  std::string FCNPJ;
  int32_t FModelo = 55;
  int32_t FSerie = 0;
  int32_t FAno = 0;
  int32_t FNumeroInicial = 0;
  int32_t FNumeroFinal = 0;
  std::string FJustificativa;
  std::string FID;
  std::string FXML_ProcInutNFe;
  std::vector<std::string> FAlertas;
};

}  // namespace nivra
