// Composing the contingency data of a DANFE on a security form.
#include "nivranfe/impressao/dados_contingencia.h"

#include <variant>

#include "nivranfe/util/documentos.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/uf.h"

namespace nivra {

namespace {

[[noreturn]] void NaoCabe(const std::string& campo, const std::string& valor) {
  throw ENivraDFeException("Dados da NF-e em contingência: " + campo + " inválido (\"" + valor +
                           "\").");
}

std::string ComZeros(const std::string& texto, std::size_t tamanho) {
  return std::string(tamanho > texto.size() ? tamanho - texto.size() : 0, '0') + texto;
}

std::string UFDestinatario(const nfe::TinfNFe& n) {
  if (n.dest && n.dest->enderDest) {
    const int32_t codigo = SiglaUFParaCodigo(n.dest->enderDest->UF);
    if (codigo != 0) return std::to_string(codigo);
  }
  if (n.ide.cUF.size() != 2 || !TextoSoDeDigitos(n.ide.cUF)) NaoCabe("cUF", n.ide.cUF);
  return n.ide.cUF;
}

std::string DocumentoDestinatario(const nfe::TinfNFe& n) {
  std::string documento;
  if (n.dest) {
    if (const auto* cnpj = std::get_if<nfe::TCNPJ>(&n.dest->CNPJ_CPF_idEstrangeiro))
      documento = cnpj->CNPJ;
    else if (const auto* cpf = std::get_if<nfe::TCPF>(&n.dest->CNPJ_CPF_idEstrangeiro))
      documento = cpf->CPF;
  }
  documento = SomenteLetrasEDigitos(documento);
  if (documento.size() > 14) NaoCabe("CNPJ/CPF do destinatário", documento);
  return ComZeros(documento, 14);
}

std::string Centavos(const TDecimal& valor) {
  const std::string texto = SomenteDigitos(valor.Texto(2));
  if (valor.Texto(2).starts_with("-") || texto.size() > 14) NaoCabe("vNF", valor.Texto(2));
  return ComZeros(texto, 14);
}

}  // namespace

bool ContingenciaEmFormularioSeguranca(std::string_view tpEmis) {
  return tpEmis == "2" || tpEmis == "5";
}

std::string DadosNFeContingencia(const nfe::TinfNFe& infNFe) {
  const nfe::TICMSTot& t = infNFe.total.ICMSTot;
  const std::string& dhEmi = infNFe.ide.dhEmi;
  const std::string dia = dhEmi.size() >= 10 ? dhEmi.substr(8, 2) : "";
  if (dia.size() != 2 || !TextoSoDeDigitos(dia)) NaoCabe("dhEmi", dhEmi);
  const std::string& tpEmis = infNFe.ide.tpEmis;
  if (tpEmis.size() != 1 || !TextoSoDeDigitos(tpEmis)) NaoCabe("tpEmis", tpEmis);
  std::string dados = UFDestinatario(infNFe) + tpEmis + DocumentoDestinatario(infNFe) +
                      Centavos(t.vNF) + (t.vICMS.Zero() ? "2" : "1") + (t.vST.Zero() ? "2" : "1") +
                      dia;
  return dados + std::to_string(DigitoModulo11(dados, 9));
}

}  // namespace nivra
