// The component against sefaz-simulador.
#include "tests/nfe/ambiente_simulador.h"

#include <algorithm>
#include <filesystem>

#include "nivranfe/util/chave_acesso.h"
#include "nivranfe/util/texto.h"
#include "nivranfe/util/xml_texto.h"
#include "tests/fakes/pki_teste.h"

namespace nivra {

std::string ChaveTeste(int numero) {
  const std::string base =
      "41260611222333000181550010" + ZerosAEsquerda(numero, 8) + "1" + ZerosAEsquerda(numero, 8);
  return base + std::to_string(DigitoChaveAcesso(base));
}

void AmbienteSimulador::Iniciar(const std::vector<std::string>& opcoes) {
  FSimulador = std::make_unique<TSimuladorTeste>(opcoes);
  const std::string url = FSimulador->URL();
  FNFe = std::make_unique<TNivraNFe>();
  FNFe->SetRelogio([] { return CodificarDataHora(2026, 6, 9, 10, 20, 30); });
  FNFe->SetEspera([this](uint32_t ms) { Esperas.push_back(ms); });
  auto& conf = FNFe->Configuracoes();
  conf.Geral().SetSSLCryptLib(TSSLCryptLib::cryWinCrypt);
  conf.Geral().SetSSLHttpLib(TSSLHttpLib::httpWinHttp);
  conf.Geral().SetSSLXmlSignLib(TSSLXmlSignLib::xsMsXml);
  conf.Geral().SetVersaoDF(TkovVersaoDF::ve400);
  conf.Certificados().SetArquivoPFX(PastaPKITeste() + "empresa.pfx");
  conf.Certificados().SetSenha(SenhaPKITeste);
  conf.Arquivos().SetPathSchemas(NIVRA_SCHEMAS);
  conf.Arquivos().SetPathSalvar(FPasta.Caminho() + "Docs/");
  conf.WebServices().SetUF("PR");
  conf.WebServices().SetAmbiente(TkovTipoAmbiente::taHomologacao);
  conf.WebServices().SetParams({
      "[NFe_PR_H]",
      "NfeAutorizacao_4.00=" + url + "/pr/NFeAutorizacao4",
      "NfeRetAutorizacao_4.00=" + url + "/pr/NFeRetAutorizacao4",
      "NfeConsultaProtocolo_4.00=" + url + "/pr/NFeConsultaProtocolo4",
      "NfeInutilizacao_4.00=" + url + "/pr/NFeInutilizacao4",
      "NfeConsultaCadastro_4.00=" + url + "/pr/CadConsultaCadastro4",
      "RecepcaoEvento_4.00=" + url + "/pr/NFeRecepcaoEvento4",
      "[NFCe_PR_H]",
      "AdministrarCSCNFCe_1.00=" + url + "/pr/CscNFCe",
      "[NFe_AN_H]",
      "RecepcaoEvento_4.00=" + url + "/an/NFeRecepcaoEvento4",
      "NFeDistribuicaoDFe_1.01=" + url + "/an/NFeDistribuicaoDFe",
  });
}

void AmbienteSimulador::TearDown() {
  FNFe.reset();
  FSimulador.reset();
}

std::string AmbienteSimulador::XMLNota(int numero, const std::string& versao) {
  return "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe Id=\"NFe" + ChaveTeste(numero) +
         "\" versao=\"" + versao + "\"><ide><cUF>41</cUF><nNF>" + std::to_string(numero) +
         "</nNF><tpAmb>2</tpAmb></ide><emit><CNPJ>11222333000181</CNPJ></emit></infNFe></NFe>";
}

void AmbienteSimulador::CarregarNota(int numero, const std::string& versao) {
  FNFe->NotasFiscais().Add().SetXML(FNFe->SSL().Assinar(XMLNota(numero, versao), "NFe", "infNFe"));
}

std::vector<std::string> AmbienteSimulador::Documentos() const {
  std::vector<std::string> documentos;
  for (const TPedidoRegistrado& p : FSimulador->Pedidos()) {
    std::string dados = ConteudoDaTag(p.Corpo, "nfeDadosMsg", false);
    if (dados.empty()) dados = ConteudoDaTag(p.Corpo, "nfeDadosMsgZip", false);
    documentos.push_back(dados);
  }
  return documentos;
}

std::vector<std::string> AmbienteSimulador::Caminhos() const {
  std::vector<std::string> caminhos;
  for (const TPedidoRegistrado& p : FSimulador->Pedidos()) caminhos.push_back(p.Caminho);
  return caminhos;
}

std::vector<std::string> AmbienteSimulador::Salvos(const std::string& final) const {
  namespace fs = std::filesystem;
  std::vector<std::string> nomes;
  const fs::path raiz = FPasta.Caminho() + "Docs";
  std::error_code erro;
  for (const auto& item : fs::recursive_directory_iterator(raiz, erro)) {
    const std::string nome = item.path().filename().string();
    if (item.is_regular_file() && nome.ends_with(final))
      nomes.push_back(fs::relative(item.path(), raiz).string());
  }
  std::sort(nomes.begin(), nomes.end());
  return nomes;
}

::testing::AssertionResult AmbienteSimulador::ValidoNoSchema(const std::string& documento,
                                                             const std::string& schema) {
  std::string msg;
  if (FNFe->SSL().Validar(documento, std::string(NIVRA_SCHEMAS) + schema, msg))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << msg << "\n" << documento;
}

}  // namespace nivra
