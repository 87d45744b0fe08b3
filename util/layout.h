// Web-service operations (layouts), their service names in the services table and the XML
// schemas of their requests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nivra {

// The web-service operations.
enum class TLayOut {
  LayNfeRecepcao,
  LayNfeRetRecepcao,
  LayNfeCancelamento,
  LayNfeInutilizacao,
  LayNfeConsulta,
  LayNfeStatusServico,
  LayNfeCadastro,
  LayNFeCCe,
  LayNFeEvento,
  LayNFeEventoAN,
  LayNFeConsNFeDest,
  LayNFeDownloadNFe,
  LayNfeAutorizacao,
  LayNfeRetAutorizacao,
  LayAdministrarCSCNFCe,
  LayDistDFeInt,
  LayNFCeEPEC
};

// The XML schemas of the NF-e documents and requests.
enum class TSchemaNFe {
  schErro,
  schNfe,
  schcancNFe,
  schInutNFe,
  schEnvCCe,
  schEnvEventoCancNFe,
  schEnvConfRecebto,
  schEnvEPEC,
  schresNFe,
  schresEvento,
  schprocNFe,
  schprocEventoNFe,
  schconsReciNFe,
  schconsSitNFe,
  schconsStatServ,
  schconsCad,
  schenvEvento,
  schconsNFeDest,
  schdownloadNFe,
  schretEnviNFe,
  schadmCscNFCe,
  schdistDFeInt,
  scheventoEPEC
};

// The service name of the layout (the key of the services table); empty outside the table.
[[nodiscard]] std::string LayOutParaServico(TLayOut valor);
// The layout of the service name, compared ignoring letter case (the last one when several
// share it); LayNfeRecepcao with ok False for an unknown name.
[[nodiscard]] TLayOut ServicoParaLayOut(bool& ok, std::string_view servico);
// The request schema of the layout; schErro outside the table.
[[nodiscard]] TSchemaNFe LayOutParaSchema(TLayOut valor);
// The schema's name without the leading "sch" ("consStatServ").
[[nodiscard]] std::string SchemaParaTexto(TSchemaNFe valor);
// The ordinal of the schema named by the text before its first "_" ("sch" added when missing),
// compared ignoring letter case; -1 when there is none ("consStatServ_v4.00" gives the ordinal
// of schconsStatServ).
[[nodiscard]] int32_t TextoParaSchema(std::string_view texto);

}  // namespace nivra
