// What an invoice's holder reads out of its XML.
#include "nivranfe/dfe/documentos_nfe.h"

#include <filesystem>

#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/xml_texto.h"

namespace nivra {

namespace {

constexpr std::size_t kTamanhoChave = 44;

}  // namespace

std::string NotaFiscal::ChaveAcesso() const {
  const std::string& xml = XML();
  const std::size_t inicio = xml.find("Id=\"NFe");
  if (inicio == std::string::npos) return {};
  const std::string chave = xml.substr(inicio + 7, kTamanhoChave);
  // The key's alphabet (letters only where the issuer's CNPJ is), whatever its check digit.
  return FormaDeChaveAcesso(chave) ? chave : std::string();
}

int NotaFiscal::tpAmb() const {
  const std::string valor = ConteudoDaTag(XML(), "tpAmb", false);
  return valor == "1" || valor == "2" ? valor[0] - '0' : 0;
}

std::string NotaFiscal::CNPJEmitente() const {
  const std::string chave = ChaveAcesso();
  return chave.empty() ? std::string() : chave.substr(6, 14);
}

std::string NotaFiscal::VersaoXML() const {
  const std::string infNFe = ConteudoDaTag(XML(), "infNFe", true);
  const std::size_t inicio = infNFe.find("versao=\"");
  if (inicio == std::string::npos || inicio > infNFe.find('>')) return {};
  return infNFe.substr(inicio + 8, infNFe.find('"', inicio + 8) - inicio - 8);
}

std::string NotaFiscal::DigestValue() const { return ConteudoDaTag(XML(), "DigestValue", false); }

std::string NotaFiscal::XMLProcessado() const {
  if (FXMLProtocolo.empty()) return {};
  const std::string& xml = XML();
  const std::size_t inicio = xml.find("<NFe");
  const std::size_t fim = xml.rfind("</NFe>");
  if (inicio == std::string::npos || fim == std::string::npos) return {};
  return "<nfeProc xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">" +
         xml.substr(inicio, fim + 6 - inicio) + FXMLProtocolo + "</nfeProc>";
}

bool NotaFiscal::GerarXML() {
  if (!FModelo) throw ENivraDFeException("Nota Fiscal sem modelo para gerar o XML");
  if (FModelo->infNFe.Id.empty()) ComporChaveNFe(*FModelo);
  TXMLGeradoNFe gerado = GerarXMLNFe(*FModelo);
  SetXML(gerado.XML);
  FAlertas = std::move(gerado.Alertas);
  return FAlertas.empty();
}

void NotaFiscal::LerXML(const std::string& XMLNFe) {
  TNFeLida lida = LerXMLNFe(XMLNFe);
  FModelo = std::move(lida.NFe);
  FAvisos = std::move(lida.Avisos);
  FAlertas.clear();
  SetXML(XMLNFe);
  if (lida.protNFe) {
    const auto& prot = lida.protNFe->infProt;
    SetProtocolo(GerarXMLProtNFe(*lida.protNFe).XML, prot.nProt, std::atoi(prot.cStat.c_str()),
                 prot.xMotivo);
  }
}

NotaFiscal& TNotasFiscais::Add(const nfe::TNFe& Modelo) {
  auto nota = std::make_unique<NotaFiscal>();
  nota->NFe() = Modelo;
  nota->GerarXML();
  return *FItens.emplace_back(std::move(nota));
}

NotaFiscal& TNotasFiscais::LoadFromString(const std::string& XMLNFe) {
  auto nota = std::make_unique<NotaFiscal>();
  nota->LerXML(XMLNFe);
  return *FItens.emplace_back(std::move(nota));
}

NotaFiscal& TNotasFiscais::LoadFromFile(const std::string& CaminhoArquivo) {
  NotaFiscal& nota = LoadFromString(LerArquivoBinario(CaminhoArquivo));
  nota.SetNomeArq(CaminhoArquivo);
  return nota;
}

bool TNotasFiscais::GerarNFe() {
  bool semAlertas = true;
  for (auto& nota : FItens) {
    if (nota->TemModelo()) semAlertas = nota->GerarXML() && semAlertas;
  }
  return semAlertas;
}

std::vector<std::string> TNotasFiscais::Alertas() const {
  std::vector<std::string> alertas;
  for (std::size_t i = 0; i < FItens.size(); ++i) {
    for (const auto& alerta : FItens[i]->Alertas()) {
      alertas.push_back("NF-e " + std::to_string(i + 1) + ": " + alerta);
    }
  }
  return alertas;
}

void TNotasFiscais::GravarXML(const std::string& Pasta) const {
  for (const auto& nota : FItens) {
    const std::string chave = nota->ChaveAcesso();
    if (chave.empty()) throw ENivraDFeException("Nota Fiscal sem chave de acesso para gravar");
    const std::string processado = nota->XMLProcessado();
    const std::string arquivo = (std::filesystem::path(Pasta) / (chave + "-nfe.xml")).string();
    GravarArquivoAtomico(arquivo, processado.empty() ? nota->XML() : processado);
  }
}

}  // namespace nivra
