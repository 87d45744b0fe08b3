// Telling a fiscal document's kind and printing it through the printing component.
#include "app/documento_nfe/documento_impresso.h"

#include <string_view>

#include "nivranfe/dfe/documentos_nfe.h"
#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/impressao/danfe_pdf.h"
#include "nivranfe/impressao/leitura_eventos.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"

namespace nivra {

namespace {

// The local name of the first element, past the declaration, comments and a DOCTYPE; empty
// when there is none or it is no name (the file is not XML).
std::string NomeRaiz(std::string_view xml) {
  size_t p = 0;
  while ((p = xml.find('<', p)) != std::string_view::npos) {
    if (xml.substr(p, 4) == "<!--") {
      p = xml.find("-->", p);
    } else if (xml.substr(p, 2) == "<?" || xml.substr(p, 2) == "<!") {
      p = xml.find('>', p);
    } else {
      const size_t fim = xml.find_first_of(" \t\r\n/>", p + 1);
      std::string_view nome = xml.substr(p + 1, fim == std::string_view::npos ? 0 : fim - p - 1);
      if (const size_t prefixo = nome.find(':'); prefixo != std::string_view::npos)
        nome.remove_prefix(prefixo + 1);
      // Only a name of letters, digits, "_", "." and "-" is a name to report.
      if (nome.size() > 64 ||
          nome.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstu"
                                 "vwxyz0123456789_.-") != std::string_view::npos)
        return {};
      return std::string(nome);
    }
    if (p == std::string_view::npos) break;
  }
  return {};
}

// A name made of the Id's letters and digits, as the printing component names its files.
std::string NomePorId(const std::string& id, const std::string& sufixo,
                      const std::string& alternativo) {
  std::string nome = SomenteLetrasEDigitos(id.starts_with("ID") ? id.substr(2) : id);
  return (nome.empty() ? alternativo : nome) + "-" + sufixo;
}

}  // namespace

TDocumentoImpresso LerDocumento(std::string XML) {
  TDocumentoImpresso d;
  const std::string raiz = NomeRaiz(XML);
  if (raiz == "NFe" || raiz == "nfeProc") {
    const TNFeLida lida = LerXMLNFe(XML);
    const nfe::TinfNFe& n = lida.NFe.infNFe;
    const bool nfce = n.ide.mod == "65";
    d.Tipo = nfce ? TDocumentoImpresso::NFCe : TDocumentoImpresso::NFe;
    d.Impresso = nfce ? "DANFCE" : "DANFE";
    d.Nome = (n.Id.starts_with("NFe") ? n.Id.substr(3) : n.Id) + "-nfe";
    d.Descricao = std::string(nfce ? "NFC-e" : "NF-e") + " nº " + n.ide.nNF + " série " +
                  n.ide.serie + " de " + n.emit.xNome;
  } else if (raiz == "procEventoNFe" || raiz == "evento") {
    const TEventoImpresso evento = LerEventoImpresso(XML);
    d.Tipo = TDocumentoImpresso::Evento;
    d.Impresso = "evento";
    d.Nome = NomePorId(evento.Id, "procEventoNFe", "evento");
    d.Descricao = (evento.descEvento.empty() ? "Evento " + evento.tpEvento : evento.descEvento) +
                  " da NF-e " + evento.chNFe;
  } else if (raiz == "procInutNFe" || raiz == "ProcInutNFe" || raiz == "inutNFe") {
    const TInutilizacaoImpressa inutilizacao = LerInutilizacaoImpressa(XML);
    d.Tipo = TDocumentoImpresso::Inutilizacao;
    d.Impresso = "inutilização";
    d.Nome = NomePorId(inutilizacao.Id, "procInutNFe", "inutilizacao");
    d.Descricao = "Inutilização de numeração, modelo " + inutilizacao.mod + " série " +
                  inutilizacao.serie + ", nº " + inutilizacao.nNFIni + " a " + inutilizacao.nNFFin;
  } else {
    throw ENivraDFeException("Documento não reconhecido: " +
                             (raiz.empty() ? std::string("não é XML") : "<" + raiz + ">") +
                             " (esperado NFe, nfeProc, procEventoNFe, evento, procInutNFe ou "
                             "inutNFe).");
  }
  d.XML = std::move(XML);
  return d;
}

std::string ImprimirDocumento(TNivraNFe& nfe, const TDocumentoImpresso& documento,
                              const TOpcoesImpressao& opcoes, std::vector<std::string>& avisos) {
  const bool nfeA4 = documento.Tipo == TDocumentoImpresso::NFe;
  const bool nfce = documento.Tipo == TDocumentoImpresso::NFCe;
  const auto naoSeAplica = [&](bool dada, bool aplica, const std::string& opcao) {
    if (dada && !aplica)
      avisos.push_back(opcao + " não se aplica à impressão de " + documento.Impresso +
                       "; ignorada");
  };
  naoSeAplica(opcoes.Paisagem, nfeA4, "--paisagem");
  naoSeAplica(opcoes.Cancelada, nfeA4, "--cancelada");
  naoSeAplica(opcoes.Bobina != 80, nfce, "--bobina");
  naoSeAplica(!opcoes.Logo.empty(), nfeA4 || nfce, "--logo");

  TNivraNFeDANFEPDF danfe;
  danfe.SetPaisagem(opcoes.Paisagem);
  danfe.SetNFeCancelada(opcoes.Cancelada);
  danfe.SetLarguraBobina(opcoes.Bobina);
  if (nfeA4 || nfce) danfe.SetLogo(opcoes.Logo);
  nfe.SetDANFE(&danfe);
  switch (documento.Tipo) {
    case TDocumentoImpresso::Evento:
      danfe.SetXMLEvento(documento.XML);
      return danfe.GerarPDFEvento();
    case TDocumentoImpresso::Inutilizacao:
      danfe.SetXMLInutilizacao(documento.XML);
      return danfe.GerarPDFInutilizacao();
    case TDocumentoImpresso::NFe:
    case TDocumentoImpresso::NFCe:
      break;
  }
  return danfe.GerarPDFDANFE(nfe.NotasFiscais().LoadFromString(documento.XML));
}

}  // namespace nivra
