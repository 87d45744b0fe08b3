// Reading one answer document.
#include "nivranfe/nfe/nfe_servico_retorno.h"

#include "nivranfe/dfe/configuracoes_nfe.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/numeros.h"
#include "nivranfe/util/uf.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

TNFeServicoRetorno::TNFeServicoRetorno(TNivraNFe& AOwner) : TNFeWebService(AOwner) {
  TNFeServicoRetorno::Clear();
}

void TNFeServicoRetorno::Clear() {
  TNFeWebService::Clear();
  FRetorno = TRetornoNFe();
  FRetorno.tpAmb = FPConfiguracoes.WebServices().Ambiente();
  FRetorno.cUF = FPConfiguracoes.WebServices().UFCodigo();
}

void TNFeServicoRetorno::LerResposta(const std::vector<std::string>& Elementos,
                                     const std::string& Raiz) {
  FPRetWS = XMLDaResposta(PrimeiroConteudoDeTags(Elementos, FPRetornoWS, false), Raiz);
  ExigirRetorno(FPRetWS, Raiz);
  // A malformed date stops the reading of the dates alone; the other fields are read.
  (void)FRetorno.LerXml(FPRetWS, Raiz);
  FPMsg = FRetorno.xMotivo;
}

std::string TNFeServicoRetorno::MontarMsgLog() {
  return "Versão Layout: " + FRetorno.versao + "\r\n" +
         "Ambiente: " + TipoAmbienteParaTexto(FRetorno.tpAmb) + "\r\n" +
         "Versão Aplicativo: " + FRetorno.verAplic + "\r\n" +
         "Status Código: " + std::to_string(FRetorno.cStat) + "\r\n" +
         "Status Descrição: " + FRetorno.xMotivo + "\r\n" +
         "UF: " + CodigoUFParaSigla(FRetorno.cUF) + "\r\n" + "Recebimento: " +
         (FRetorno.dhRecbto == 0 ? std::string() : FormatarDataHora("", FRetorno.dhRecbto)) +
         "\r\n";
}

void TNFeServicoRetorno::DefinirURLDoLote(TLayOut Autorizacao, TLayOut Recepcao) {
  const auto& geral = FPConfiguracoesNFe.Geral();
  const auto& ws = FPConfiguracoes.WebServices();
  TkovModeloDF modelo = geral.ModeloDF();
  int cUF = ws.UFCodigo();
  double versao = VersaoParaNumero(geral.VersaoDF());
  auto& notas = NivraNFe().NotasFiscais();
  if (notas.Count() > 0) {
    const NotaFiscal& primeira = notas.Items(0);
    if (primeira.tpAmb() != 0 && primeira.tpAmb() != ws.AmbienteCodigo())
      throw ENivraNFeException(
          "Ambiente do XML (tpAmb) é diferente do configurado no Componente "
          "(Configuracoes.WebServices.Ambiente)");
    const std::string chave = primeira.ChaveAcesso();
    if (!chave.empty()) {
      bool ok = false;
      modelo = TextoParaModelo(ok, chave.substr(20, 2));
      cUF = CodigoUFDaChave(chave);
    }
    const std::string texto = primeira.VersaoXML();
    if (!texto.empty()) versao = TextoParaDecimal(texto, versao);
  }
  bool ok = false;
  FPLayout =
      TNivraNFe::EhAutorizacao(NumeroParaVersao(ok, versao), modelo, cUF) ? Autorizacao : Recepcao;
  DefinirURLPara(ModeloParaPrefixo(modelo), UFOuContingencia(CUFParaSigla(cUF)), ws.Ambiente(),
                 versao);
}

}  // namespace nivra
