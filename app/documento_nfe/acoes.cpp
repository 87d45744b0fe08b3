// The actions of documento-nfe.
#include "app/documento_nfe/acoes.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "app/documento_nfe/documento_impresso.h"
#include "app/linha_comando/componente.h"
#include "app/linha_comando/programa.h"
#include "app/linha_comando/saida_comum.h"
#include "nivranfe/documento/documento_evento.h"
#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/documento/json_nfe.h"
#include "nivranfe/util/arquivos.h"

namespace nivra {

namespace {

void Escrever(const std::string& texto, const std::string& arquivo) {
  if (arquivo.empty()) {
    std::cout << texto << "\n";
  } else {
    GravarArquivoAtomico(arquivo, texto);
  }
}

bool ComCertificado(const TOpcoesDocumento& opcoes) {
  return !opcoes.ArquivoPFX.empty() || !opcoes.NumeroSerie.empty();
}

}  // namespace

int GerarDocumento(TNivraNFe& nfe, const TOpcoesDocumento& opcoes) {
  NotaFiscal& nota = nfe.NotasFiscais().Add(NFeDeJSON(LerArquivoBinario(opcoes.Arquivo)));
  for (const auto& alerta : nota.Alertas()) std::cerr << alerta << "\n";
  if (!nota.Alertas().empty()) {
    std::cerr << "documento-nfe: " << nota.Alertas().size()
              << " alerta(s); o XML não foi assinado nem gravado\n";
    return kSaidaFalha;
  }
  if (ComCertificado(opcoes)) {
    ConfigurarComponente(nfe, opcoes, SenhaDoCertificado(opcoes));
    nota.SetXML(nfe.SSL().Assinar(nota.XML(), "NFe", "infNFe"));
  }
  Escrever(nota.XML(), opcoes.Saida);
  std::cerr << "NF-e " << nota.ChaveAcesso() << (ComCertificado(opcoes) ? " assinada" : " gerada")
            << (opcoes.Saida.empty() ? "" : " em " + opcoes.Saida) << "\n";
  return 0;
}

int DocumentoEmJSON(const TOpcoesDocumento& opcoes) {
  const std::string xml = LerArquivoBinario(opcoes.Arquivo);
  if (DocumentoDeEvento(xml)) {
    const TEventoLido lido = LerXMLEvento(xml);
    for (const auto& aviso : lido.Avisos) std::cerr << aviso << "\n";
    std::cout << (lido.retEvento ? ProcEventoParaJSON({lido.evento, *lido.retEvento})
                                 : EventoParaJSON(lido.evento))
              << "\n";
    return 0;
  }
  const TNFeLida lida = LerXMLNFe(xml);
  for (const auto& aviso : lida.Avisos) std::cerr << aviso << "\n";
  std::cout << NFeParaJSON(lida.NFe) << "\n";
  return 0;
}

namespace {

// What validar judges of a document read into its model: the key it is about, its model's
// alerts and reading warnings, the element its signature covers and the schema it goes by
// (empty when there is none for it, as for an event outside a procEventoNFe).
struct TDocumentoLido {
  std::string Chave;
  std::vector<std::string> Alertas;
  std::vector<std::string> Avisos;
  bool Assinado = false;
  const char* ElementoAssinado = "";
  std::string Schema;
  double VersaoSchema = 0;
};

TDocumentoLido LerParaValidar(const std::string& xml) {
  if (DocumentoDeEvento(xml)) {
    TEventoLido lido = LerXMLEvento(xml);
    return {lido.evento.infEvento.chNFe,
            GerarXMLEvento(lido.evento).Alertas,
            std::move(lido.Avisos),
            !lido.evento.Signature.empty(),
            "infEvento",
            lido.retEvento ? "procEventoNFe" : "",
            1.0};
  }
  TNFeLida lida = LerXMLNFe(xml);
  return {lida.NFe.infNFe.Id.substr(std::min<size_t>(3, lida.NFe.infNFe.Id.size())),
          GerarXMLNFe(lida.NFe).Alertas,
          std::move(lida.Avisos),
          !lida.NFe.Signature.empty(),
          "infNFe",
          "nfe",
          4.0};
}

// "nome_v1.00.xsd".
std::string ArquivoDoSchema(const TDocumentoLido& lido) {
  char versao[16];
  std::snprintf(versao, sizeof versao, "%.2f", lido.VersaoSchema);
  return lido.Schema + "_v" + versao + ".xsd";
}

}  // namespace

int ValidarDocumento(TNivraNFe& nfe, const TOpcoesDocumento& opcoes) {
  ConfigurarComponente(nfe, opcoes, "");
  const std::string xml = LerArquivoBinario(opcoes.Arquivo);
  const TDocumentoLido lido = LerParaValidar(xml);
  std::string erroAssinatura;
  const bool assinaturaValida =
      lido.Assinado && nfe.SSL().VerificarAssinatura(xml, erroAssinatura, lido.ElementoAssinado);
  // Without the document's schema in the folder the document is not checked against it.
  const std::string pasta = nfe.Configuracoes().Arquivos().PathSchemas();
  const bool temSchema =
      !lido.Schema.empty() && std::filesystem::exists(pasta + ArquivoDoSchema(lido));
  std::string erroSchema = lido.Schema.empty() ? "evento fora de um procEventoNFe"
                                               : "sem " + ArquivoDoSchema(lido) + " em " + pasta;
  const bool schemaValido =
      temSchema && nfe.ValidarNoSchema(xml, lido.Schema, lido.VersaoSchema, erroSchema);
  const bool valido = lido.Alertas.empty() && assinaturaValida && (schemaValido || !temSchema);
  if (opcoes.Json) {
    nlohmann::ordered_json saida = {
        {"chNFe", lido.Chave},
        {"valido", valido},
        {"alertas", lido.Alertas},
        {"avisos", lido.Avisos},
        {"assinatura", lido.Assinado ? (assinaturaValida ? "válida" : erroAssinatura) : "ausente"},
        {"schema",
         schemaValido ? "válido" : (temSchema ? erroSchema : "não verificado: " + erroSchema)}};
    std::cout << saida.dump(2) << "\n";
  } else {
    for (const auto& aviso : lido.Avisos) std::cout << "Aviso: " << aviso << "\n";
    for (const auto& alerta : lido.Alertas) std::cout << "Alerta: " << alerta << "\n";
    std::cout << "Assinatura: "
              << (lido.Assinado
                      ? (assinaturaValida ? "válida" : "inválida (" + erroAssinatura + ")")
                      : "ausente")
              << "\nSchema: "
              << (schemaValido ? "válido"
                               : (temSchema ? "inválido (" : "não verificado (") + erroSchema + ")")
              << "\n"
              << (valido ? "Documento válido" : "Documento inválido") << "\n";
  }
  return valido ? 0 : kSaidaInvalido;
}

int ImprimirDocumentoPDF(TNivraNFe& nfe, const TOpcoesDocumento& opcoes) {
  ConfigurarComponente(nfe, opcoes, "");
  const TDocumentoImpresso documento = LerDocumento(LerArquivoBinario(opcoes.Arquivo));
  std::vector<std::string> avisos;
  const std::string pdf = ImprimirDocumento(nfe, documento, opcoes.Impressao, avisos);
  for (const auto& aviso : avisos) std::cerr << "documento-nfe: " << aviso << "\n";
  const std::string arquivo = opcoes.Saida.empty() ? documento.Nome + ".pdf" : opcoes.Saida;
  GravarArquivoAtomico(arquivo, pdf, 0644);
  if (opcoes.Json)
    std::cout << TextoJson({{"documento", documento.Descricao},
                            {"impresso", documento.Impresso},
                            {"arquivo", arquivo},
                            {"bytes", pdf.size()}});
  std::cerr << documento.Impresso << " de " << documento.Descricao << " gravado em " << arquivo
            << "\n";
  return 0;
}

}  // namespace nivra
