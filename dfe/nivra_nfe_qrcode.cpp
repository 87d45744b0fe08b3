// TNivraNFe: the NFC-e consumer links, the query page and the QR-code link with its SHA-1 hash.
#include <algorithm>
#include <cctype>
#include <string>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/security/resumo.h"
#include "nivranfe/util/datahora.h"
#include "nivranfe/util/fuso_horario.h"
#include "nivranfe/util/numeros.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/uf.h"

namespace nivra {

namespace {

// Two fixed characters of the substitute code used when no CSC is configured.
const char* const kConstanteCSCSubstituto = "NV";

std::string Minusculas(std::string texto) {
  std::transform(texto.begin(), texto.end(), texto.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return texto;
}

// The date-time as YYYY-MM-DDThh:nn:ss followed by the UF's time-zone suffix.
std::string DataHoraComFuso(TDateTime valor, const std::string& UF) {
  return FormatarDataHora("yyyy-mm-ddThh:nn:ss", valor) + FusoHorarioUF(UF, valor);
}

// Stands in for a missing CSC: ten characters of the access key (from its 7th, the issuer's
// CNPJ), two fixed characters and the last four digits of the token identifier.
std::string CSCSubstituto(const std::string& chave, const std::string& idToken) {
  const std::string parteChave =
      CompletarDireita(chave.size() > 6 ? chave.substr(6, 10) : std::string(), 10, '0');
  const std::string parteToken = idToken.substr(idToken.size() > 4 ? idToken.size() - 4 : 0);
  return parteChave + kConstanteCSCSubstituto + CompletarEsquerda(parteToken, 4, '0');
}

}  // namespace

std::string TNivraNFe::GetURLConsultaNFCe(int CUF, TkovTipoAmbiente TipoAmbiente, double Versao) {
  return LerURLDeParams("NFCe", CUFParaSigla(CUF), TipoAmbiente, "URL-ConsultaNFCe", Versao);
}

std::string TNivraNFe::GetURLQRCode(int CUF, TkovTipoAmbiente TipoAmbiente,
                                    const std::string& AChaveNFe, const std::string& Destinatario,
                                    TDateTime DataHoraEmissao, double ValorTotalNF,
                                    double ValorTotalICMS, const std::string& DigestValue,
                                    double Versao) {
  const std::string UF = CUFParaSigla(CUF);
  const std::string urlBase = LerURLDeParams("NFCe", UF, TipoAmbiente, "URL-QRCode", Versao);
  const TGeralConfNFe& geral = Configuracoes().Geral();

  // These UFs expect the hexadecimal texts in lower case.
  const bool hexMinusculo = CUF == 35 || CUF == 41 || CUF == 50;
  const auto hex = [hexMinusculo](const std::string& bytes) {
    const std::string h = BytesParaHex(bytes);
    return hexMinusculo ? Minusculas(h) : h;
  };

  const std::string chave = SomenteLetrasEDigitos(AChaveNFe);
  const std::string idToken = ZerosAEsquerda(geral.IdCSC(), 6);
  std::string consulta =
      "chNFe=" + chave + "&nVersao=100&tpAmb=" + TipoAmbienteParaTexto(TipoAmbiente);
  const std::string destinatario = Aparar(Destinatario);
  if (!destinatario.empty()) consulta += "&cDest=" + destinatario;
  consulta += "&dhEmi=" + hex(DataHoraComFuso(DataHoraEmissao, UF));
  consulta += "&vNF=" + DecimalParaTexto('.', "0.00", ValorTotalNF);
  consulta += "&vICMS=" + DecimalParaTexto('.', "0.00", ValorTotalICMS);
  consulta += "&digVal=" + hex(DigestValue);
  consulta += "&cIdToken=" + idToken;

  const std::string csc = geral.CSC().empty() ? CSCSubstituto(chave, idToken) : geral.CSC();
  const std::string hash = BytesParaHex(ResumoSHA1(consulta + csc));
  const char* separador = urlBase.find('?') == std::string::npos ? "?" : "&";
  return urlBase + separador + consulta + "&cHashQRCode=" + hash;
}

}  // namespace nivra
