// Fuzz target of whole answers: a SOAP answer (protocols, events, zipped documents) read by the
// distribution, situation, registration or status service and the documents it read saved.
// Nothing may be written outside the save folder, no failure may escape but the component's own,
// memory stays bounded whatever the zipped documents inflate to, and every saved file is
// well-formed XML.
//
// Input: one byte choosing the service, the answer, then optionally a NUL and a document that is
// zipped into the answer in place of every "@DOC@".
#include <fuzzer/FuzzedDataProvider.h>
#include <libxml/parser.h>
#include <stdlib.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "nivranfe/dfe/nivra_nfe.h"
#include "nivranfe/nfe/webservices.h"
#include "nivranfe/util/compactacao.h"
#include "nivranfe/util/excecoes.h"
#include "nivranfe/util/texto.h"
#include "tests/fakes/http_gravador.h"
#include "tests/fuzz/exigir.h"

using namespace nivra;

namespace {

namespace fs = std::filesystem;

bool BemFormado(const std::string& texto) {
  const std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> documento(
      xmlReadMemory(texto.data(), static_cast<int>(texto.size()), "x.xml", nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
      &xmlFreeDoc);
  return documento != nullptr;
}

std::string Ler(const fs::path& arquivo) {
  std::string texto(fs::file_size(arquivo), '\0');
  FILE* f = std::fopen(arquivo.c_str(), "rb");
  Exigir(f != nullptr);
  Exigir(std::fread(texto.data(), 1, texto.size(), f) == texto.size());
  std::fclose(f);
  return texto;
}

// One component for the whole run, answering through the recording double, saving below
// Raiz/Docs/a/b (so a name climbing two folders would still be caught inside Raiz).
struct TAmbiente {
  TAmbiente() {
    char modelo[] = "/tmp/fuzz_respostas_XXXXXX";
    Exigir(::mkdtemp(modelo) != nullptr);
    Raiz = modelo;
    Salvar = Raiz / "Docs" / "a" / "b";
    fs::create_directories(Salvar);
    auto& conf = NFe.Configuracoes();
    conf.WebServices().SetParams({"[NFe_PR_H]", "NfeStatusServico_4.00=https://pr/sta",
                                  "NfeConsultaProtocolo_4.00=https://pr/sit",
                                  "NfeConsultaCadastro_4.00=https://pr/cad", "[NFe_AN_H]",
                                  "NFeDistribuicaoDFe_1.01=https://an/dist"});
    conf.WebServices().SetUF("PR");
    conf.WebServices().SetAmbiente(TkovTipoAmbiente::taHomologacao);
    conf.Geral().SetVersaoDF(TkovVersaoDF::ve400);
    conf.Arquivos().SetPathSalvar(Salvar.string() + "/");
    conf.Arquivos().SetPathSchemas((Raiz / "sem-schemas").string() + "/");
    conf.Arquivos().SetSalvar(true);
    conf.Arquivos().SetSalvarEvento(true);
    // The request and the answer as they travelled are not documents read from the answer.
    conf.Geral().SetSalvar(false);
    NFe.SetRelogio([] { return CodificarDataHora(2026, 6, 9, 10, 20, 30); });
    auto http = std::make_unique<THttpGravador>(NFe.SSL());
    Http = http.get();
    NFe.SSL().UsarSSLHttpClass(std::move(http));
  }

  fs::path Raiz;
  fs::path Salvar;
  TNivraNFe NFe;
  THttpGravador* Http = nullptr;
};

TAmbiente& Ambiente() {
  static TAmbiente ambiente;
  return ambiente;
}

void Executar(TAmbiente& a, uint8_t servico) {
  auto& ws = a.NFe.WebServices();
  switch (servico % 4) {
    case 0:
      (void)a.NFe.DistribuicaoDFePorUltNSU(41, "11222333000181", "0");
      break;
    case 1:
      (void)a.NFe.Consultar("41260611222333000181550010000000011000000017");
      break;
    case 2:
      ws.ConsultaCadastro().SetCNPJ("11222333000181");
      (void)ws.ConsultaCadastro().Executar();
      break;
    default:
      (void)ws.StatusServico().Executar();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider entrada(data, size);
  const uint8_t servico = entrada.ConsumeIntegral<uint8_t>();
  std::string resposta = entrada.ConsumeRemainingBytesAsString();
  std::string documento;
  if (const std::size_t nulo = resposta.find('\0'); nulo != std::string::npos) {
    documento = resposta.substr(nulo + 1);
    resposta.resize(nulo);
    SubstituirTodos(resposta, "@DOC@", CompactarBase64(documento));
  }

  TAmbiente& a = Ambiente();
  a.Http->Resposta = resposta;
  try {
    Executar(a, servico);
  } catch (const ENivraDFeException&) {
    // A refused answer or document is reported this way.
  }

  // Nothing beside the save folder's tree, and every file saved is well-formed.
  for (const auto& item : fs::directory_iterator(a.Raiz)) Exigir(item.path() == a.Raiz / "Docs");
  for (const auto& item : fs::recursive_directory_iterator(a.Raiz / "Docs"))
    if (item.is_regular_file()) Exigir(BemFormado(Ler(item.path())));
  for (const auto& item : fs::directory_iterator(a.Raiz / "Docs")) fs::remove_all(item.path());
  fs::create_directories(a.Salvar);
  return 0;
}
