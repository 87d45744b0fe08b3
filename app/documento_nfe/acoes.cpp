// The actions of documento-nfe.
#include "app/documento_nfe/acoes.h"

#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "app/documento_nfe/documento_impresso.h"
#include "app/linha_comando/componente.h"
#include "app/linha_comando/programa.h"
#include "app/linha_comando/saida_comum.h"
#include "documento/documento_nfe.h"
#include "documento/json_nfe.h"
#include "util/arquivos.h"

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
  const TNFeLida lida = LerXMLNFe(LerArquivoBinario(opcoes.Arquivo));
  for (const auto& aviso : lida.Avisos) std::cerr << aviso << "\n";
  std::cout << NFeParaJSON(lida.NFe) << "\n";
  return 0;
}

int ValidarDocumento(TNivraNFe& nfe, const TOpcoesDocumento& opcoes) {
  ConfigurarComponente(nfe, opcoes, "");
  const std::string xml = LerArquivoBinario(opcoes.Arquivo);
  const TNFeLida lida = LerXMLNFe(xml);
  const std::vector<std::string> alertas = GerarXMLNFe(lida.NFe).Alertas;
  std::string erroAssinatura;
  const bool assinada = !lida.NFe.Signature.empty();
  const bool assinaturaValida =
      assinada && nfe.SSL().VerificarAssinatura(xml, erroAssinatura, "infNFe");
  // Without the invoice schema in the folder the document is not checked against it.
  const std::string arquivoSchema = nfe.Configuracoes().Arquivos().PathSchemas() + "nfe_v4.00.xsd";
  const bool temSchema = std::filesystem::exists(arquivoSchema);
  std::string erroSchema = "sem nfe_v4.00.xsd em " + nfe.Configuracoes().Arquivos().PathSchemas();
  const bool schemaValido = temSchema && nfe.ValidarNoSchema(xml, "nfe", 4.0, erroSchema);
  const bool valido = alertas.empty() && assinaturaValida && (schemaValido || !temSchema);
  if (opcoes.Json) {
    nlohmann::ordered_json saida = {
        {"chNFe", lida.NFe.infNFe.Id.substr(3)},
        {"valido", valido},
        {"alertas", alertas},
        {"avisos", lida.Avisos},
        {"assinatura", assinada ? (assinaturaValida ? "válida" : erroAssinatura) : "ausente"},
        {"schema",
         schemaValido ? "válido" : (temSchema ? erroSchema : "não verificado: " + erroSchema)}};
    std::cout << saida.dump(2) << "\n";
  } else {
    for (const auto& aviso : lida.Avisos) std::cout << "Aviso: " << aviso << "\n";
    for (const auto& alerta : alertas) std::cout << "Alerta: " << alerta << "\n";
    std::cout << "Assinatura: "
              << (assinada ? (assinaturaValida ? "válida" : "inválida (" + erroAssinatura + ")")
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
  const TDocumentoXML documento = LerDocumento(LerArquivoBinario(opcoes.Arquivo));
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
