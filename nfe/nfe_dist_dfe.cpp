// The national distribution of documents.
#include "nivranfe/nfe/nfe_dist_dfe.h"

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/nfe/campos_resposta.h"
#include "nivranfe/nfe/dist_dfe_int.h"
#include "nivranfe/nfe/documentos_pedido.h"
#include "nivranfe/nfe/env_evento.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/documentos.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/xml_texto.h"
#include "nivranfe/xml/leitor.h"
#include "nivranfe/xml/valor_campo.h"

namespace nivra {

TDistribuicaoDFe::TDistribuicaoDFe(TNivraNFe& AOwner) : TNFeServicoRetorno(AOwner) {
  TDistribuicaoDFe::Clear();
}

void TDistribuicaoDFe::Clear() {
  TNFeServicoRetorno::Clear();
  FPStatus = TStatusNivraNFe::stDistDFeInt;
  FPLayout = TLayOut::LayDistDFeInt;
  FPArqEnv = "con-dist-dfe";
  FPArqResp = "dist-dfe";
}

void TDistribuicaoDFe::DefinirURL() {
  DefinirURLPara(NivraNFe().GetNomeModeloDFe(), "AN", FPConfiguracoes.WebServices().Ambiente(),
                 VersaoParaNumero(FPConfiguracoesNFe.Geral().VersaoDF()));
}

void TDistribuicaoDFe::DefinirServicoEAction() {
  FPServico = ObterPrefixoWsdl() + "NFeDistribuicaoDFe";
  FPSoapAction = FPServico + "/nfeDistDFeInteresse";
}

void TDistribuicaoDFe::DefinirDadosMsg() {
  ValidarPedido();
  TDistDFeInt pedido;
  pedido.tpAmb = FPConfiguracoes.WebServices().Ambiente();
  pedido.cUFAutor = FcUFAutor;
  pedido.CNPJCPF = FCNPJCPF;
  pedido.ultNSU = FultNSU;
  pedido.NSU = FNSU;
  pedido.chNFe = FchNFe;
  pedido.SetVersao(FPVersaoServico);
  AplicarOpcoesGerador(pedido.Gerador());
  (void)pedido.GerarXML();
  FPDadosMsg = pedido.Gerador().ArquivoFormatoXML();
}

void TDistribuicaoDFe::ValidarPedido() const {
  const std::string documento = CNPJSemMascara(FCNPJCPF);
  ValidarCNPJouCPF(documento);
  const auto numerico = [](const std::string& valor) {
    if (!TextoSoDeDigitos(valor))
      throw ENivraNFeException(
          "A distribuição de DF-e (leiaute 1.01) aceita só CNPJ e chave numéricos: \"" + valor +
          "\".");
  };
  numerico(documento);
  if (!FNSU.empty()) {
    ValidarNSU(FNSU);
  } else if (!FchNFe.empty()) {
    ValidarChaveNFe(FchNFe);
    numerico(FchNFe);
  } else if (!FultNSU.empty()) {
    ValidarNSU(FultNSU);
  }
}

bool TDistribuicaoDFe::TratarResposta() {
  LerResposta({"nfeDistDFeInteresseResult", "nfeResultMsg"}, "retDistDFeInt");
  std::string recusados;
  for (const TDocZipRetorno& documento : FRetorno.docZip) {
    if (!documento.Erro.empty()) {
      FazerLog(documento.Erro);
      recusados += "\r\n" + documento.Erro;
    } else if (FPConfiguracoes.Arquivos().Salvar()) {
      SalvarDocumento(documento);
    }
  }
  // The documents that were read are saved; the refused ones fail the request.
  if (!recusados.empty()) {
    FPMsg = "Documentos recusados:" + recusados;
    return false;
  }
  return FRetorno.cStat == 137 || FRetorno.cStat == 138;
}

bool TDistribuicaoDFe::NomeNoPadrao(const TDocZipRetorno& Documento, const std::string& Campo,
                                    const std::string& Valor, bool NoPadrao) {
  if (!NoPadrao)
    FazerLog("Documento NSU " + Documento.NSU + " não salvo: " + Campo + " \"" + Valor +
             "\" inválido");
  return NoPadrao;
}

void TDistribuicaoDFe::SalvarDocumento(const TDocZipRetorno& Documento) {
  auto& arquivos = FPConfiguracoesNFe.Arquivos();
  std::string chave = Aparar(ConteudoDaTag(Documento.XML, "chNFe", false));
  // A full document names its key only in the Id of infNFe.
  if (const std::size_t id = Documento.XML.find("Id=\"NFe");
      chave.empty() && id != std::string::npos)
    chave = Documento.XML.substr(id + 7, 44);
  if (!NomeNoPadrao(Documento, "chNFe", chave, FormaDeChaveAcesso(chave))) return;
  TDateTime emissao = 0;
  if (arquivos.EmissaoPathNFe()) {
    TLeitor leitor;
    leitor.SetGrupo(Documento.XML);
    try {
      emissao = VarianteParaDataHora(leitor.rCampo(TkovTipoCampo::tcDatHor, "dhEmi"));
    } catch (const std::exception&) {
      emissao = 0;
    }
  }
  const auto comeca = [&](const char* nome) { return Documento.schema.starts_with(nome); };
  if (comeca("resNFe_") || comeca("procNFe_")) {
    const std::string sufixo = comeca("resNFe_") ? "-resNFe.xml" : "-nfe.xml";
    (void)FPDFeOwner.Gravar(chave + sufixo, Documento.XML,
                            arquivos.GetPathDownload("", FCNPJCPF, emissao));
    return;
  }
  if (!arquivos.SalvarEvento()) return;
  const std::string tipo = Aparar(ConteudoDaTag(Documento.XML, "tpEvento", false));
  const std::string sequencia = Aparar(ConteudoDaTag(Documento.XML, "nSeqEvento", false));
  if (!NomeNoPadrao(Documento, "tpEvento", tipo, TipoEventoNoPadrao(tipo)) ||
      !NomeNoPadrao(Documento, "nSeqEvento", sequencia, SequenciaEventoNoPadrao(sequencia)))
    return;
  const std::string nome = tipo + chave + ZerosAEsquerda(sequencia, 2);
  const TkovTpEvento tpEvento = TipoEventoDoCodigo(tipo).value_or(TkovTpEvento::teCCe);
  const std::string pasta = arquivos.GetPathEvento(tpEvento, FCNPJCPF, emissao);
  if (comeca("resEvento_"))
    (void)FPDFeOwner.Gravar(nome + "-resEventoNFe.xml", Documento.XML, pasta);
  else if (comeca("procEventoNFe_"))
    (void)FPDFeOwner.Gravar(nome + "-procEventoNFe.xml", Documento.XML, pasta);
}

std::string TDistribuicaoDFe::MontarMsgErro(const std::exception&) {
  return "WebService Distribuição de DFe:\r\n- Inativo ou Inoperante tente novamente.";
}

}  // namespace nivra
