// The NF-e document benchmarks: the product's path and the library call that bounds it.
#include "bench/documento_bench.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>

#include <memory>
#include <stdexcept>

#include "app/linha_comando/componente.h"
#include "nivranfe/documento/documento_nfe.h"
#include "nivranfe/util/arquivos.h"
#include "tests/documento/nota_teste.h"

namespace nivra {

namespace {

void Verificar(bool certo, const std::string& oque) {
  if (!certo) throw std::runtime_error("falha no benchmark: " + oque);
}

// The test invoice with `itens` items of the same product and totals that match.
nfe::TNFe NotaComItens(size_t itens) {
  nfe::TNFe nota = NotaDeTeste();
  const nfe::Tdet item = nota.infNFe.det[0];
  nota.infNFe.det.clear();
  TDecimal total;
  for (size_t i = 1; i <= itens; ++i) {
    nfe::Tdet& det = nota.infNFe.det.emplace_back(item);
    det.nItem = std::to_string(i);
    total += det.prod.vProd;
  }
  nota.infNFe.total.ICMSTot.vProd = total;
  nota.infNFe.total.ICMSTot.vNF = total;
  nota.infNFe.pag.detPag[0].vPag = total;
  return nota;
}

// Build, write and sign a 10-item invoice, as a program issuing it does.
void DocumentoAssinado(benchmark::State& estado, const TAmbienteBench* ambiente) {
  TNivraNFe nfe;
  TOpcoesConexao opcoes = ambiente->Opcoes();
  ConfigurarComponente(nfe, opcoes, TAmbienteBench::Senha());
  for (auto _ : estado) {
    nfe::TNFe nota = NotaComItens(10);
    ComporChaveNFe(nota);
    const TXMLGeradoNFe gerado = GerarXMLNFe(nota);
    Verificar(gerado.Alertas.empty(), "nota sem alertas");
    const std::string assinado = nfe.SSL().Assinar(gerado.XML, "NFe", "infNFe");
    Verificar(assinado.find("<SignatureValue>") != std::string::npos, "assinatura");
  }
}

// The two parts of DocumentoAssinado apart: writing the built invoice, and signing its text.
void DocumentoEscrita(benchmark::State& estado) {
  nfe::TNFe nota = NotaComItens(10);
  ComporChaveNFe(nota);
  for (auto _ : estado) {
    const TXMLGeradoNFe gerado = GerarXMLNFe(nota);
    benchmark::DoNotOptimize(gerado.XML.data());
  }
}

void DocumentoAssinatura(benchmark::State& estado, const TAmbienteBench* ambiente) {
  TNivraNFe nfe;
  TOpcoesConexao opcoes = ambiente->Opcoes();
  ConfigurarComponente(nfe, opcoes, TAmbienteBench::Senha());
  nfe::TNFe nota = NotaComItens(10);
  ComporChaveNFe(nota);
  const std::string xml = GerarXMLNFe(nota).XML;
  for (auto _ : estado) {
    const std::string assinado = nfe.SSL().Assinar(xml, "NFe", "infNFe");
    benchmark::DoNotOptimize(assinado.data());
  }
}

// One RSA-SHA1 signature of a digest-sized input by OpenSSL with the same key.
void OpenSSLAssinatura(benchmark::State& estado) {
  const std::string pfx = LerArquivoBinario(TAmbienteBench::ArquivoPFX());
  const unsigned char* p = reinterpret_cast<const unsigned char*>(pfx.data());
  std::unique_ptr<PKCS12, decltype(&PKCS12_free)> pkcs12(
      d2i_PKCS12(nullptr, &p, static_cast<long>(pfx.size())), &PKCS12_free);
  EVP_PKEY* chave = nullptr;
  X509* certificado = nullptr;
  Verificar(pkcs12 && PKCS12_parse(pkcs12.get(), TAmbienteBench::Senha().c_str(), &chave,
                                   &certificado, nullptr) == 1,
            "PKCS#12");
  const std::string dados(600, 'x');  // about the size of a SignedInfo
  unsigned char assinatura[1024];
  for (auto _ : estado) {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    size_t tamanho = sizeof assinatura;
    Verificar(
        EVP_DigestSignInit(ctx.get(), nullptr, EVP_sha1(), nullptr, chave) == 1 &&
            EVP_DigestSign(ctx.get(), assinatura, &tamanho,
                           reinterpret_cast<const unsigned char*>(dados.data()), dados.size()) == 1,
        "assinatura OpenSSL");
  }
  EVP_PKEY_free(chave);
  X509_free(certificado);
}

// A 500-item nfeProc, as an authorised document arrives.
const std::string& NFeProc500() {
  static const std::string xml = [] {
    nfe::TNFe nota = NotaComItens(500);
    ComporChaveNFe(nota, [] { return 1u; });
    return "<nfeProc xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">" +
           GerarXMLNFe(nota).XML +
           "<protNFe versao=\"4.00\"><infProt><tpAmb>2</tpAmb><verAplic>SIM</verAplic><chNFe>" +
           nota.infNFe.Id.substr(3) +
           "</chNFe><dhRecbto>2026-12-10T09:31:00-03:00</dhRecbto><nProt>141260000000001"
           "</nProt><cStat>100</cStat><xMotivo>Autorizado o uso da NF-e</xMotivo></infProt>"
           "</protNFe></nfeProc>";
  }();
  return xml;
}

void DocumentoLeitura(benchmark::State& estado) {
  const std::string& xml = NFeProc500();
  for (auto _ : estado) {
    const TNFeLida lida = LerXMLNFe(xml);
    Verificar(lida.NFe.infNFe.det.size() == 500 && lida.protNFe, "leitura do nfeProc");
  }
}

void Libxml2Leitura(benchmark::State& estado) {
  const std::string& xml = NFeProc500();
  for (auto _ : estado) {
    xmlDoc* documento = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                                      XML_PARSE_NONET | XML_PARSE_HUGE);
    Verificar(documento != nullptr, "libxml2");
    xmlFreeDoc(documento);
  }
}

}  // namespace

void RegistrarFigurasDocumento(const TAmbienteBench& ambiente) {
  for (auto* b :
       {benchmark::RegisterBenchmark("documento_assinado", DocumentoAssinado, &ambiente),
        benchmark::RegisterBenchmark("openssl_assinatura", OpenSSLAssinatura),
        benchmark::RegisterBenchmark("documento_escrita", DocumentoEscrita),
        benchmark::RegisterBenchmark("documento_assinatura", DocumentoAssinatura, &ambiente),
        benchmark::RegisterBenchmark("documento_leitura", DocumentoLeitura),
        benchmark::RegisterBenchmark("libxml2_leitura", Libxml2Leitura)}) {
    b->Repetitions(9)->ReportAggregatesOnly(true)->UseRealTime()->Unit(benchmark::kMillisecond);
  }
}

}  // namespace nivra
