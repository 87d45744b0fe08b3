// The answers of sefaz-simulador.
#include "tools/simulador/respostas.h"

#include "nivranfe/util/caracteres.h"
#include "nivranfe/util/fuso_horario.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/xml/gerador.h"
#include "nivranfe/xml/leitor.h"
#include "tools/simulador/cenario.h"

namespace nivra {

namespace {

constexpr const char* kNamespaceNFe = "http://www.portalfiscal.inf.br/nfe";
constexpr const char* kNamespaceSoap12 = "http://www.w3.org/2003/05/soap-envelope";
constexpr const char* kNamespaceXsi = "http://www.w3.org/2001/XMLSchema-instance";
constexpr const char* kNamespaceXsd = "http://www.w3.org/2001/XMLSchema";
constexpr const char* kVerAplic = "SIMULADOR_1.0";
constexpr const char* kObsParalisacao = "Paralisação simulada pelo sefaz-simulador";

// How one authoriser writes its envelope.
struct TFormaEnvelope {
  std::string Prefixo;
  std::string Declaracao;  // with "%" standing for the encoding name; empty for none
  std::string NomeUTF8;    // how it names UTF-8 in the declaration
  char Aspas;
  bool CabecalhoVazio;    // an empty Header element when there is nothing to put in it
  bool NamespacesSchema;  // xmlns:xsi and xmlns:xsd on the Envelope
};

TFormaEnvelope FormaDoEstilo(TEstiloEnvelope estilo) {
  switch (estilo) {
    case TEstiloEnvelope::soapenv:
      return {"soapenv", R"(<?xml version="1.0" encoding="%"?>)", "UTF-8", '"', true, false};
    case TEstiloEnvelope::env:
      return {"env", "", "UTF-8", '\'', false, false};
    case TEstiloEnvelope::S:
      return {"S", "<?xml version='1.0' encoding='%'?>", "UTF-8", '"', false, false};
    case TEstiloEnvelope::soap:
      break;
  }
  return {"soap", R"(<?xml version="1.0" encoding="%"?>)", "utf-8", '"', false, true};
}

std::string Atributo(const std::string& nome, const std::string& valor, char aspas) {
  return " " + nome + "=" + aspas + valor + aspas;
}

std::string RetConsStatServ(const TPedidoStatus& pedido, int cStat, int tMed, TDateTime agora,
                            char aspas) {
  TGerador gerador;
  gerador.Opcoes().SetRetirarAcentos(false);
  gerador.wGrupo("retConsStatServ" + Atributo("versao", pedido.Versao, aspas) +
                 Atributo("xmlns", kNamespaceNFe, aspas));
  gerador.wCampo(TkovTipoCampo::tcStr, "FR03", "tpAmb", 1, 1, 1, pedido.tpAmb);
  gerador.wCampo(TkovTipoCampo::tcStr, "FR04", "verAplic", 1, 20, 1, std::string(kVerAplic));
  gerador.wCampo(TkovTipoCampo::tcInt, "FR05", "cStat", 3, 3, 1, int64_t{cStat});
  gerador.wCampo(TkovTipoCampo::tcStr, "FR06", "xMotivo", 1, 255, 1, MotivoDoStatus(cStat));
  gerador.wCampo(TkovTipoCampo::tcInt, "FR07", "cUF", 2, 2, 1, int64_t{pedido.cUF});
  gerador.wCampo(TkovTipoCampo::tcStr, "FR08", "dhRecbto", 25, 25, 1, DataHoraComFuso(agora));
  gerador.wCampo(TkovTipoCampo::tcInt, "FR09", "tMed", 1, 4, 1, int64_t{tMed});
  if (StatusDeParalisacao(cStat)) {
    const TDateTime retorno = agora + (cStat == 108 ? 30.0 / (24 * 60) : 4.0 / 24);
    gerador.wCampo(TkovTipoCampo::tcStr, "FR10", "dhRetorno", 25, 25, 1, DataHoraComFuso(retorno));
    gerador.wCampo(TkovTipoCampo::tcStr, "FR11", "xObs", 1, 255, 1, std::string(kObsParalisacao));
  }
  gerador.wGrupo("/retConsStatServ");
  return gerador.ArquivoFormatoXML();
}

std::string Envelope(const TFormaEnvelope& forma, const std::string& cabecalho,
                     const std::string& corpo, const std::string& encoding) {
  const std::string& p = forma.Prefixo;
  std::string declaracao = forma.Declaracao;
  SubstituirTodos(declaracao, "%", encoding);
  std::string texto =
      declaracao + "<" + p + ":Envelope" + Atributo("xmlns:" + p, kNamespaceSoap12, forma.Aspas);
  if (forma.NamespacesSchema) {
    texto += Atributo("xmlns:xsi", kNamespaceXsi, forma.Aspas) +
             Atributo("xmlns:xsd", kNamespaceXsd, forma.Aspas);
  }
  texto += ">";
  if (!cabecalho.empty()) {
    texto += "<" + p + ":Header>" + cabecalho + "</" + p + ":Header>";
  } else if (forma.CabecalhoVazio) {
    texto += "<" + p + ":Header/>";
  }
  return texto + "<" + p + ":Body>" + corpo + "</" + p + ":Body></" + p + ":Envelope>";
}

const char* kPaginaIIS403 =
    R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN" )"
    R"("http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">)"
    "\r\n"
    R"(<html xmlns="http://www.w3.org/1999/xhtml">)"
    "\r\n<head>\r\n"
    R"(<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1"/>)"
    "\r\n<title>403 - Forbidden: Access is denied.</title>\r\n</head>\r\n<body>\r\n"
    "<div id=\"header\"><h1>Server Error</h1></div>\r\n<div id=\"content\">\r\n"
    " <div class=\"content-container\"><fieldset>\r\n"
    "  <h2>403 - Forbidden: Access is denied.</h2>\r\n"
    "  <h3>You do not have permission to view this directory or page using the credentials "
    "that you supplied.</h3>\r\n </fieldset></div>\r\n</div>\r\n</body>\r\n</html>\r\n";

const char* kPaginaApache403 =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">\n<html><head>\n"
    "<title>403 Proibido</title>\n</head><body>\n<h1>Proibido</h1>\n"
    "<p>Você não tem permissão para acessar este recurso.</p>\n<hr>\n"
    "<address>Apache Server at 127.0.0.1 Port 443</address>\n</body></html>\n";

}  // namespace

TPedidoStatus LerPedidoStatus(const std::string& corpo) {
  TPedidoStatus pedido;
  try {
    TLeitor leitor;
    leitor.SetArquivo(corpo);
    if (leitor.rExtrai(1, "consStatServ").empty()) {
      return pedido;
    }
    pedido.Versao = std::get<std::string>(leitor.rAtributo("versao", "consStatServ"));
    pedido.tpAmb = std::get<std::string>(leitor.rCampo(TkovTipoCampo::tcStr, "tpAmb"));
    const TVariante cUF = leitor.rCampo(TkovTipoCampo::tcInt, "cUF");
    pedido.cUF =
        std::holds_alternative<int64_t>(cUF) ? static_cast<int32_t>(std::get<int64_t>(cUF)) : 0;
    pedido.Encontrado = true;
  } catch (const std::exception&) {
    pedido.Encontrado = false;
  }
  return pedido;
}

TResposta RespostaStatus(const TPedidoStatus& pedido, int cStat, int tMed, TDateTime agora,
                         TEstiloEnvelope estilo, bool latin1) {
  const TFormaEnvelope forma = FormaDoEstilo(estilo);
  const char aspas = forma.Aspas;
  const bool leiaute4 = pedido.Versao.starts_with("4");
  const std::string wsdl = std::string(kNamespaceNFe) +
                           (leiaute4 ? "/wsdl/NFeStatusServico4" : "/wsdl/NfeStatusServico2");
  const std::string resultado = leiaute4 ? "nfeResultMsg" : "nfeStatusServicoNF2Result";
  std::string cabecalho;
  if (!leiaute4) {
    cabecalho = "<nfeCabecMsg" + Atributo("xmlns", wsdl, aspas) + "><cUF>" +
                std::to_string(pedido.cUF) + "</cUF><versaoDados>" + pedido.Versao +
                "</versaoDados></nfeCabecMsg>";
  }
  const std::string corpo = "<" + resultado + Atributo("xmlns", wsdl, aspas) + ">" +
                            RetConsStatServ(pedido, cStat, tMed, agora, aspas) + "</" + resultado +
                            ">";
  const std::string texto =
      Envelope(forma, cabecalho, corpo, latin1 ? "ISO-8859-1" : forma.NomeUTF8);
  if (latin1) {
    return {200, "application/soap+xml; charset=ISO-8859-1", ParaLatin1(texto)};
  }
  return {200, "application/soap+xml; charset=utf-8", texto};
}

std::string DataHoraComFuso(TDateTime valor) {
  return FormatarDataHora("yyyy-mm-ddThh:nn:ss", valor) + FusoHorarioSistema(valor);
}

TResposta RespostaServico(const std::string& wsdl, const std::string& documento,
                          TEstiloEnvelope estilo) {
  const TFormaEnvelope forma = FormaDoEstilo(estilo);
  const std::string corpo =
      "<nfeResultMsg" + Atributo("xmlns", wsdl, forma.Aspas) + ">" + documento + "</nfeResultMsg>";
  return {200, "application/soap+xml; charset=utf-8", Envelope(forma, "", corpo, forma.NomeUTF8)};
}

TResposta FalhaSoap(const std::string& codigo, const std::string& motivo) {
  const std::string corpo = "<soap:Fault><soap:Code><soap:Value>" + codigo +
                            "</soap:Value></soap:Code><soap:Reason><soap:Text xml:lang=\"pt-BR\">" +
                            motivo + "</soap:Text></soap:Reason></soap:Fault>";
  return {500, "application/soap+xml; charset=utf-8",
          Envelope(FormaDoEstilo(TEstiloEnvelope::soap), "", corpo, "utf-8")};
}

TResposta RespostaDeFalha(TFalhaSimulada falha) {
  switch (falha) {
    case TFalhaSimulada::iis403:
      return {403, "text/html", kPaginaIIS403};
    case TFalhaSimulada::apache403:
      return {403, "text/html; charset=iso-8859-1", ParaLatin1(kPaginaApache403)};
    case TFalhaSimulada::vazio400:
      return {400, "", ""};
    case TFalhaSimulada::soap500:
    case TFalhaSimulada::nenhuma:
      break;
  }
  return FalhaSoap("soap:Receiver", " ");
}

std::string ParaLatin1(const std::string& utf8) {
  std::string bytes;
  for (const char32_t c : DecodificarCaracteres(utf8)) {
    bytes += c <= 0xFF ? static_cast<char>(c) : '?';
  }
  return bytes;
}

}  // namespace nivra
