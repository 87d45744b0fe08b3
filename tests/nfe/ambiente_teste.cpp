// Test component for the service tests.
#include "tests/nfe/ambiente_teste.h"

#include <algorithm>

#include "nivranfe/util/datahora.h"

namespace nivra {

namespace {

// A small table of our own: direct entries, a redirection, a WSDL/SOAP override with "*".
const std::vector<std::string> kTabela = {
    "; services table of the service tests",
    "[NFe_PR_P]",
    "NfeStatusServico_3.10=https://nfe.sefa.pr.gov.br/nfe/NFeStatusServico3",
    "NfeStatusServico_4.00=https://nfe.sefa.pr.gov.br/nfe/NFeStatusServico4",
    "[NFe_PR_H]",
    "NfeStatusServico_4.00=https://homologacao.nfe.sefa.pr.gov.br/nfe/NFeStatusServico4",
    "[NFe_BA_P]",
    "NfeStatusServico_3.10=https://nfe.sefaz.ba.gov.br/webservices/NfeStatusServico/"
    "NfeStatusServico.asmx",
    "[NFe_SC_P]",
    "Usar=NFe_SVRS_P",
    "[NFe_SE_P]",
    "Usar=NFe_SVRS_P",
    "[NFe_SVRS_P]",
    "NfeStatusServico_4.00=https://nfe.svrs.rs.gov.br/ws/NfeStatusServico/NfeStatusServico4.asmx",
    "[NFe_RS_P]",
    "NfeStatusServico_4.00=https://nfe.svrs.rs.gov.br/ws/NfeStatusServico/NfeStatusServico4.asmx",
    "[NFe_SP_P]",
    "NfeStatusServico_4.00=https://nfe.fazenda.sp.gov.br/ws/nfestatusservico4.asmx",
    "WSDL=WSDL_TESTE",
    "SoapAction=SOAP_TESTE",
    "[WSDL_TESTE]",
    "NfeStatusServico_4.00=http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4",
    "[SOAP_TESTE]",
    "NfeStatusServico_4.00=*",
};

}  // namespace

std::string RespostaSoap(const std::string& elementoResultado, const std::string& retorno,
                         const std::string& prefixo) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><" + prefixo + ":Envelope xmlns:" + prefixo +
         "=\"http://www.w3.org/2003/05/soap-envelope\"><" + prefixo + ":Body><" +
         elementoResultado +
         " xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4\">" + retorno + "</" +
         elementoResultado + "></" + prefixo + ":Body></" + prefixo + ":Envelope>";
}

std::string RetConsStatServ(int cStat, const std::string& xMotivo, const std::string& dhRecbto,
                            int tMed, const std::string& dhRetorno, const std::string& xObs) {
  std::string texto =
      "<retConsStatServ versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
      "<tpAmb>1</tpAmb><verAplic>PR-v4_7_9</verAplic><cStat>" +
      std::to_string(cStat) + "</cStat><xMotivo>" + xMotivo + "</xMotivo><cUF>41</cUF><dhRecbto>" +
      dhRecbto + "</dhRecbto><tMed>" + std::to_string(tMed) + "</tMed>";
  if (!dhRetorno.empty()) texto += "<dhRetorno>" + dhRetorno + "</dhRetorno>";
  if (!xObs.empty()) texto += "<xObs>" + xObs + "</xObs>";
  return texto + "</retConsStatServ>";
}

std::string DataHoraXML(TDateTime valor, const std::string& offset) {
  return FormatarDataHora("yyyy-mm-ddThh:nn:ss", valor) + offset;
}

void AmbienteServico::SetUp() {
  std::filesystem::create_directories(FPasta / "Schemas");
  // Only the names matter to the version choice.
  for (const char* nome : {"consStatServ_v3.10.xsd", "consStatServ_v4.00.xsd"})
    TPastaTemporaria::Escrever((FPasta / "Schemas" / nome).string(), "<xs:schema/>");

  FNFe = std::make_unique<TNivraNFe>();
  FNFe->SetRelogio([this] { return FAgora; });
  auto& conf = FNFe->Configuracoes();
  conf.Arquivos().SetPathSalvar((FPasta / "Docs").string() + "/");
  conf.Arquivos().SetPathSchemas((FPasta / "Schemas").string() + "/");
  conf.WebServices().SetParams(kTabela);
  conf.WebServices().SetUF("PR");
  conf.WebServices().SetAmbiente(TkovTipoAmbiente::taProducao);
  conf.Geral().SetVersaoDF(TkovVersaoDF::ve400);

  auto http = std::make_unique<THttpGravador>(FNFe->SSL());
  FHttp = http.get();
  FNFe->SSL().UsarSSLHttpClass(std::move(http));

  FNFe->SetOnGerarLog([this](const std::string& linha, bool& tratado) {
    Log.push_back(linha);
    if (MarcarTratado) tratado = true;
  });
  FNFe->SetOnStatusChange([this](TNivraDFe&) { Mudancas.push_back(FNFe->Status()); });
}

void AmbienteServico::TearDown() { FNFe.reset(); }

std::vector<std::string> AmbienteServico::ArquivosSalvos() const {
  std::vector<std::string> nomes;
  std::error_code erro;
  for (const auto& item : std::filesystem::directory_iterator(FPasta / "Docs", erro))
    nomes.push_back(item.path().filename().string());
  std::sort(nomes.begin(), nomes.end());
  return nomes;
}

std::string AmbienteServico::LerArquivo(const std::string& nome) const {
  return TPastaTemporaria::Ler((FPasta / "Docs" / nome).string());
}

}  // namespace nivra
