// The NF-e services of sefaz-simulador.
#include "tools/simulador/servicos.h"

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <utility>

#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/compactacao.h"
#include "nivranfe/util/documentos.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/uf.h"
#include "nivranfe/util/xml_texto.h"
#include "tools/simulador/nfe_simulada.h"

namespace nivra {

namespace {

constexpr const char* kNS = "http://www.portalfiscal.inf.br/nfe";
constexpr const char* kWsdl = "http://www.portalfiscal.inf.br/nfe/wsdl/";
constexpr const char* kVerAplic = "SIMULADOR_1.0";
// The documents of the distribution: NSU 1 a summary, 2 an event summary, 3 the document.
constexpr int kMaiorNSU = 3;

std::string Campo(const std::string& xml, const std::string& tag) {
  return Aparar(ConteudoDaTag(xml, tag, false));
}

std::string Tag(const std::string& nome, const std::string& valor) {
  return "<" + nome + ">" + valor + "</" + nome + ">";
}

std::string Raiz(const std::string& nome, const std::string& versao) {
  return "<" + nome + " versao=\"" + versao + "\" xmlns=\"" + kNS + "\">";
}

std::string Comum(const std::string& tpAmb, int cStat, const std::string& xMotivo) {
  return Tag("tpAmb", tpAmb) + Tag("verAplic", kVerAplic) + Tag("cStat", std::to_string(cStat)) +
         Tag("xMotivo", xMotivo);
}

std::string NSU(int64_t n) { return ZerosAEsquerda(std::to_string(n), 15); }

// The value of an NSU field: 15 digits at most. Nothing when it is something else, as the
// schema of the request refuses it.
std::optional<int64_t> LerNSU(const std::string& texto) {
  if (texto.empty() || texto.size() > 15 ||
      texto.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return std::stoll(texto);
}

// The request's CNPJ or CPF element, as "CNPJ"/"CPF" and its digits; empty when it has none
// with digits (an empty <CPF/> fails the request schemas).
std::pair<std::string, std::string> Documento(const std::string& pedido,
                                              std::initializer_list<const char*> campos) {
  for (const char* campo : campos) {
    const std::string valor = Campo(pedido, campo);
    if (!valor.empty()) return {campo, valor};
  }
  return {};
}

// A key of the simulated documents issued to the CNPJ: PR, June 2026, model 55, series 1.
std::string ChaveSimulada(const std::string& cnpj, int numero) {
  const std::string base = "412606" + ZerosAEsquerda(cnpj, 14) + "55001" +
                           ZerosAEsquerda(std::to_string(numero), 9) + "1" +
                           ZerosAEsquerda(std::to_string(numero), 8);
  return base + std::to_string(DigitoChaveAcesso(base));
}

// An authoriser's refusal of a number with wrong check digits (or letters where they are not
// allowed): its code and reason.
struct TRecusa {
  int cStat;
  std::string xMotivo;
};

// The refusal of the CNPJ or CPF the XML carries, with the service's codes for each; nullopt
// when it carries none or a valid one. An alphanumeric CNPJ is a CNPJ like any other.
std::optional<TRecusa> RecusaDocumento(const std::string& xml, TRecusa cnpjInvalido,
                                       TRecusa cpfInvalido) {
  const std::string cnpj = Campo(xml, "CNPJ");
  if (!cnpj.empty() && !CNPJValido(cnpj)) return cnpjInvalido;
  const std::string cpf = Campo(xml, "CPF");
  if (!cpf.empty() && !CPFValido(cpf)) return cpfInvalido;
  return std::nullopt;
}

const TRecusa kChaveInvalida{236, "Rejeição: Chave de Acesso com dígito verificador inválido"};
const TRecusa kCNPJInformadoInvalido{489, "Rejeição: CNPJ informado inválido (DV ou zeros)"};
const TRecusa kCPFInformadoInvalido{490, "Rejeição: CPF informado inválido (DV ou zeros)"};

std::string DocZip(int64_t nsu, const std::string& schema, const std::string& xml) {
  return "<docZip NSU=\"" + NSU(nsu) + "\" schema=\"" + schema + "\">" + CompactarBase64(xml) +
         "</docZip>";
}

}  // namespace

TServicosSimulados::TServicosSimulados(const TOpcoesSimulador& opcoes)
    : FOpcoes(opcoes), FRecibo(opcoes.Recibo), FInutilizacao(opcoes.Inutilizacao) {}

std::optional<TResposta> TServicosSimulados::Responder(const std::string& corpo, TDateTime agora) {
  std::string pedido = corpo;
  const std::string zipado = Campo(corpo, "nfeDadosMsgZip");
  if (!zipado.empty()) {
    try {
      pedido = DescompactarBase64(zipado);
    } catch (const std::exception&) {
      return FalhaSoap("soap:Sender", "Lote compactado inválido");
    }
  }
  const std::lock_guard<std::mutex> trava(FTrava);
  const auto tem = [&](const char* raiz) {
    return pedido.find(std::string("<") + raiz + " ") != std::string::npos ||
           pedido.find(std::string("<") + raiz + ">") != std::string::npos;
  };
  const auto responder = [&](const char* servico, const std::string& documento) {
    return RespostaServico(std::string(kWsdl) + servico, documento, FOpcoes.Envelope);
  };
  if (tem("enviNFe")) return responder("NFeAutorizacao4", Lote(pedido, agora));
  if (tem("consReciNFe")) return responder("NFeRetAutorizacao4", ConsultaRecibo(pedido, agora));
  if (tem("consSitNFe")) return responder("NFeConsultaProtocolo4", Situacao(pedido, agora));
  if (tem("inutNFe")) return responder("NFeInutilizacao4", Inutilizacao(pedido, agora));
  if (tem("envEvento")) return responder("NFeRecepcaoEvento4", Eventos(pedido, agora));
  if (tem("distDFeInt")) return responder("NFeDistribuicaoDFe", Distribuicao(pedido, agora));
  if (tem("ConsCad")) return Cadastro(pedido, agora);
  if (tem("admCscNFCe")) return responder("CscNFCe", CSC(pedido));
  return std::nullopt;
}

std::string TServicosSimulados::NovoNumero(const std::string& cUF) {
  ++FSequencia;
  return ZerosAEsquerda(cUF, 2) + "1" + ZerosAEsquerda(std::to_string(FSequencia), 12);
}

std::string TServicosSimulados::Protocolo(const std::string& tpAmb, const TNota& nota,
                                          TDateTime agora) {
  return "<protNFe versao=\"4.00\"><infProt>" + Tag("tpAmb", tpAmb) + Tag("verAplic", kVerAplic) +
         Tag("chNFe", nota.Chave) + Tag("dhRecbto", DataHoraComFuso(agora)) +
         Tag("nProt", NovoNumero(nota.Chave.substr(0, 2))) + Tag("digVal", nota.Digest) +
         Tag("cStat", "100") + Tag("xMotivo", "Autorizado o uso da NF-e") + "</infProt></protNFe>";
}

std::string TServicosSimulados::Lote(const std::string& pedido, TDateTime agora) {
  std::vector<TNota> notas;
  for (std::size_t pos = pedido.find("Id=\"NFe"); pos != std::string::npos;
       pos = pedido.find("Id=\"NFe", pos + 1)) {
    const std::size_t fim = pedido.find("</NFe>", pos);
    const std::string nfe = pedido.substr(pos, fim == std::string::npos ? 0 : fim - pos);
    notas.push_back({pedido.substr(pos + 7, 44), Campo(nfe, "DigestValue")});
  }
  const std::string tpAmb = Campo(pedido, "tpAmb").empty() ? "2" : Campo(pedido, "tpAmb");
  const std::string cUF = notas.empty() ? "41" : notas.front().Chave.substr(0, 2);
  std::string texto = Raiz("retEnviNFe", "4.00");
  if (Campo(pedido, "indSinc") == "1" && !FOpcoes.SempreRecibo) {
    texto += Comum(tpAmb, 104, "Lote processado") + Tag("cUF", cUF) +
             Tag("dhRecbto", DataHoraComFuso(agora));
    for (const TNota& nota : notas) texto += Protocolo(tpAmb, nota, agora);
    return texto + "</retEnviNFe>";
  }
  const std::string recibo = NovoNumero(cUF);
  FLotes[recibo] = notas;
  return texto + Comum(tpAmb, 103, "Lote recebido com sucesso") + Tag("cUF", cUF) +
         Tag("dhRecbto", DataHoraComFuso(agora)) + "<infRec>" + Tag("nRec", recibo) +
         Tag("tMed", std::to_string(FOpcoes.TMed)) + "</infRec></retEnviNFe>";
}

std::string TServicosSimulados::ConsultaRecibo(const std::string& pedido, TDateTime agora) {
  const std::string recibo = Campo(pedido, "nRec");
  const std::string tpAmb = Campo(pedido, "tpAmb");
  const auto lote = FLotes.find(recibo);
  const int cStat = lote == FLotes.end() ? 106 : FRecibo.Proximo();
  std::string texto =
      Raiz("retConsReciNFe", "4.00") + Tag("tpAmb", tpAmb) + Tag("verAplic", kVerAplic) +
      Tag("nRec", recibo) + Tag("cStat", std::to_string(cStat)) +
      Tag("xMotivo", cStat == 104   ? "Lote processado"
                     : cStat == 105 ? "Lote em processamento"
                     : cStat == 106 ? "Lote não localizado"
                                    : MotivoDoStatus(cStat)) +
      Tag("cUF", ZerosAEsquerda(recibo.substr(0, 2), 2)) + Tag("dhRecbto", DataHoraComFuso(agora));
  if (cStat == 104)
    for (const TNota& nota : lote->second) texto += Protocolo(tpAmb, nota, agora);
  return texto + "</retConsReciNFe>";
}

std::string TServicosSimulados::Situacao(const std::string& pedido, TDateTime agora) {
  const std::string chave = Campo(pedido, "chNFe");
  const std::string tpAmb = Campo(pedido, "tpAmb");
  if (!ChaveAcessoValida(chave))
    return Raiz("retConsSitNFe", "4.00") +
           Comum(tpAmb, kChaveInvalida.cStat, kChaveInvalida.xMotivo) + Tag("cUF", "41") +
           Tag("dhRecbto", DataHoraComFuso(agora)) + Tag("chNFe", chave) + "</retConsSitNFe>";
  const auto cancelamento = FCanceladas.find(chave);
  const bool cancelada = cancelamento != FCanceladas.end();
  std::string texto =
      Raiz("retConsSitNFe", "4.00") +
      Comum(tpAmb, cancelada ? 101 : 100,
            cancelada ? "Cancelamento de NF-e homologado" : "Autorizado o uso da NF-e") +
      Tag("cUF", chave.substr(0, 2)) + Tag("dhRecbto", DataHoraComFuso(agora)) +
      Tag("chNFe", chave) + Protocolo(tpAmb, {chave, ""}, agora);
  if (cancelada)
    texto += "<procEventoNFe versao=\"1.00\">" + cancelamento->second + "</procEventoNFe>";
  return texto + "</retConsSitNFe>";
}

std::string TServicosSimulados::Inutilizacao(const std::string& pedido, TDateTime agora) {
  const std::string cUF = Campo(pedido, "cUF");
  const auto recusa = RecusaDocumento(pedido, {207, "Rejeição: CNPJ do emitente inválido"},
                                      {207, "Rejeição: CNPJ do emitente inválido"});
  const int cStat = recusa ? recusa->cStat : FInutilizacao.Proximo();
  const std::string motivo =
      recusa         ? recusa->xMotivo
      : cStat == 102 ? "Inutilização de número homologado"
      : cStat == 563 ? "Rejeição: Já existe pedido de Inutilização com a mesma faixa de "
                       "inutilização"
                     : MotivoDoStatus(cStat);
  std::string texto = Raiz("retInutNFe", "4.00") + "<infInut>" +
                      Comum(Campo(pedido, "tpAmb"), cStat, motivo) + Tag("cUF", cUF);
  for (const char* campo : {"ano", "CNPJ", "mod", "serie", "nNFIni", "nNFFin"})
    texto += Tag(campo, Campo(pedido, campo));
  texto += Tag("dhRecbto", DataHoraComFuso(agora));
  // Only a granted voiding gets a protocol.
  if (cStat == 102) texto += Tag("nProt", NovoNumero(cUF));
  return texto + "</infInut></retInutNFe>";
}

std::string TServicosSimulados::Eventos(const std::string& pedido, TDateTime agora) {
  const std::string tpAmb = Campo(pedido, "tpAmb");
  std::string texto = Raiz("retEnvEvento", "1.00") + Tag("idLote", Campo(pedido, "idLote")) +
                      Tag("tpAmb", tpAmb) + Tag("verAplic", kVerAplic) +
                      Tag("cOrgao", Campo(pedido, "cOrgao")) + Tag("cStat", "128") +
                      Tag("xMotivo", "Lote de Evento Processado");
  for (std::size_t pos = pedido.find("<infEvento"); pos != std::string::npos;
       pos = pedido.find("<infEvento", pos + 1)) {
    const std::string evento = pedido.substr(pos, pedido.find("</infEvento>", pos) - pos);
    const std::string chave = Campo(evento, "chNFe");
    const std::string tipo = Campo(evento, "tpEvento");
    std::optional<TRecusa> recusa =
        ChaveAcessoValida(chave) ? std::nullopt : std::optional(kChaveInvalida);
    if (!recusa) recusa = RecusaDocumento(evento, kCNPJInformadoInvalido, kCPFInformadoInvalido);
    const std::string retorno =
        "<retEvento versao=\"1.00\"><infEvento>" + Tag("tpAmb", tpAmb) +
        Tag("verAplic", kVerAplic) + Tag("cOrgao", Campo(evento, "cOrgao")) +
        Tag("cStat", recusa ? std::to_string(recusa->cStat) : "135") +
        Tag("xMotivo", recusa ? recusa->xMotivo : "Evento registrado e vinculado a NF-e") +
        Tag("chNFe", chave) + Tag("tpEvento", tipo) + Tag("xEvento", Campo(evento, "descEvento")) +
        Tag("nSeqEvento", Campo(evento, "nSeqEvento")) +
        Tag("dhRegEvento", DataHoraComFuso(agora)) +
        (recusa ? std::string() : Tag("nProt", NovoNumero(chave.substr(0, 2)))) +
        "</infEvento></retEvento>";
    // The signed event as it came, from "<evento" to "</evento>".
    const std::size_t inicio = pedido.rfind("<evento", pos);
    const std::size_t fim = pedido.find("</evento>", pos);
    if (!recusa && tipo == "110111" && inicio != std::string::npos && fim != std::string::npos)
      FCanceladas[chave] = pedido.substr(inicio, fim + 9 - inicio) + retorno;
    texto += retorno;
  }
  return texto + "</retEnvEvento>";
}

std::string TServicosSimulados::Distribuicao(const std::string& pedido, TDateTime agora) {
  const std::string tpAmb = Campo(pedido, "tpAmb");
  std::optional<TRecusa> recusa =
      RecusaDocumento(pedido, kCNPJInformadoInvalido, kCPFInformadoInvalido);
  if (!recusa && Campo(pedido, "chNFe").size() == 44 && !ChaveAcessoValida(Campo(pedido, "chNFe")))
    recusa = kChaveInvalida;
  if (recusa)
    return Raiz("retDistDFeInt", "1.01") + Comum(tpAmb, recusa->cStat, recusa->xMotivo) +
           Tag("dhResp", DataHoraComFuso(agora)) + Tag("ultNSU", NSU(0)) +
           Tag("maxNSU", NSU(kMaiorNSU)) + "</retDistDFeInt>";
  const std::string cnpj = Documento(pedido, {"CNPJ", "CPF"}).second;
  const std::string emissao = DataHoraComFuso(agora);
  const bool porNSU = !Campo(pedido, "NSU").empty();
  // A query by key carries no NSU: it counts as 0.
  const std::string ultNSU = Campo(pedido, "ultNSU");
  const std::optional<int64_t> nsu = LerNSU(porNSU           ? Campo(pedido, "NSU")
                                            : ultNSU.empty() ? "0"
                                                             : ultNSU);
  const std::string chavePedida = Campo(pedido, "chNFe");
  if (cnpj.empty() || !nsu || (!chavePedida.empty() && chavePedida.size() != 44))
    return Raiz("retDistDFeInt", "1.01") + Comum(tpAmb, 215, "Rejeição: Falha no schema XML") +
           Tag("dhResp", emissao) + Tag("ultNSU", NSU(0)) + Tag("maxNSU", NSU(kMaiorNSU)) +
           "</retDistDFeInt>";
  const std::string chave = chavePedida.empty() ? ChaveSimulada(cnpj, 1) : chavePedida;
  const std::string documentos[] = {
      Raiz("resNFe", "1.01") + Tag("chNFe", chave) + Tag("CNPJ", cnpj) +
          Tag("xNome", "EMPRESA SIMULADA LTDA") + Tag("IE", "1234567890") + Tag("dhEmi", emissao) +
          Tag("tpNF", "1") + Tag("vNF", "100.00") + Tag("digVal", "c2ltdWxhZG8=") +
          Tag("dhRecbto", emissao) + Tag("nProt", "141000000000001") + Tag("cSitNFe", "1") +
          "</resNFe>",
      Raiz("resEvento", "1.01") + Tag("cOrgao", "41") + Tag("CNPJ", cnpj) + Tag("chNFe", chave) +
          Tag("dhEvento", emissao) + Tag("tpEvento", "110110") + Tag("nSeqEvento", "1") +
          Tag("xEvento", "Carta de Correcao") + Tag("dhRecbto", emissao) +
          Tag("nProt", "141000000000002") + "</resEvento>",
      NFeProcessada(chave, emissao)};
  const char* schemas[] = {"resNFe_v1.01.xsd", "resEvento_v1.01.xsd", "procNFe_v4.00.xsd"};
  int64_t primeiro = 1;
  int64_t ultimo = kMaiorNSU;
  if (porNSU) {
    primeiro = ultimo = *nsu;
  } else if (!chavePedida.empty()) {
    primeiro = ultimo = kMaiorNSU;
  } else {
    primeiro = *nsu + 1;
  }
  std::string lote;
  for (int64_t n = std::max<int64_t>(primeiro, 1); n <= std::min<int64_t>(ultimo, kMaiorNSU); ++n)
    lote += DocZip(n, schemas[n - 1], documentos[n - 1]);
  const bool achou = !lote.empty();
  return Raiz("retDistDFeInt", "1.01") +
         Comum(tpAmb, achou ? 138 : 137,
               achou ? "Documento(s) localizado(s)" : "Nenhum documento localizado") +
         Tag("dhResp", emissao) +
         Tag("ultNSU", NSU(achou ? std::min<int64_t>(ultimo, kMaiorNSU) : kMaiorNSU)) +
         Tag("maxNSU", NSU(kMaiorNSU)) +
         (achou ? "<loteDistDFeInt>" + lote + "</loteDistDFeInt>" : std::string()) +
         "</retDistDFeInt>";
}

TResposta TServicosSimulados::Cadastro(const std::string& pedido, TDateTime agora) {
  const std::string uf = Campo(pedido, "UF");
  const auto [campo, valor] = Documento(pedido, {"IE", "CNPJ", "CPF"});
  // The answer must echo what was asked; a request without it fails the authority's schema
  // check before any answer document is made.
  if (campo.empty())
    return FalhaSoap("soap:Sender", "Rejeição: Falha no schema XML: informe IE, CNPJ ou CPF");
  const std::string documento = Tag(campo, valor);
  const int32_t cUF = SiglaUFParaCodigo(uf);
  const std::string dhCons = Tag("dhCons", DataHoraComFuso(agora));
  const std::string codigoUF = Tag("cUF", std::to_string(cUF > 0 ? cUF : 41));
  const std::string acao = std::string(kWsdl) + "CadConsultaCadastro4";
  if (const auto recusa = RecusaDocumento(pedido, {258, "Rejeição: CNPJ da consulta inválido"},
                                          {263, "Rejeição: CPF da consulta inválido"}))
    return RespostaServico(acao,
                           Raiz("retConsCad", "2.00") + "<infCons>" + Tag("verAplic", kVerAplic) +
                               Tag("cStat", std::to_string(recusa->cStat)) +
                               Tag("xMotivo", recusa->xMotivo) + Tag("UF", uf) + documento +
                               dhCons + codigoUF + "</infCons></retConsCad>",
                           FOpcoes.Envelope);
  // The taxpayer found: the one asked for, with a simulated IE or CNPJ for what was not asked.
  const std::string ie = campo == "IE" ? valor : "9012345678";
  const std::string identificacao = campo == "IE" ? Tag("CNPJ", "11222333000181") : documento;
  return RespostaServico(
      acao,
      Raiz("retConsCad", "2.00") + "<infCons>" + Tag("verAplic", kVerAplic) + Tag("cStat", "111") +
          Tag("xMotivo", "Consulta cadastro com uma ocorrência") + Tag("UF", uf) + documento +
          dhCons + codigoUF + "<infCad>" + Tag("IE", ie) + identificacao + Tag("UF", uf) +
          Tag("cSit", "1") + Tag("indCredNFe", "1") + Tag("indCredCTe", "4") +
          Tag("xNome", "EMPRESA SIMULADA LTDA") + "</infCad></infCons></retConsCad>",
      FOpcoes.Envelope);
}

std::string TServicosSimulados::CSC(const std::string& pedido) {
  const std::string indOp = Campo(pedido, "indOp");
  const int cStat = indOp == "2" ? 151 : indOp == "3" ? 152 : 150;
  const char* motivo = cStat == 151   ? "Solicitação de novo CSC realizada com sucesso"
                       : cStat == 152 ? "Revogação de CSC realizada com sucesso"
                                      : "Consulta CSC realizada com sucesso";
  return Raiz("retAdmCscNFCe", "1.00") + Tag("tpAmb", Campo(pedido, "tpAmb")) +
         Tag("indOp", indOp) + Tag("cStat", std::to_string(cStat)) + Tag("xMotivo", motivo) +
         "<dadosCsc>" + Tag("idCsc", "000001") +
         Tag("codigoCsc", "SIMULADOCSC0000000000000000000001") + "</dadosCsc></retAdmCscNFCe>";
}

}  // namespace nivra
