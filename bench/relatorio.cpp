// Writing docs/performance.md.
#include "bench/relatorio.h"

#include <curl/curl.h>
#include <openssl/crypto.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace nivra {

namespace {

constexpr const char* kMarcaNotas = "<!-- notas -->";

// The value after ":" of the first line of a /proc file that starts with `chave`.
std::string LinhaProc(const std::string& arquivo, const std::string& chave) {
  std::ifstream entrada(arquivo);
  for (std::string linha; std::getline(entrada, linha);) {
    if (!linha.starts_with(chave)) continue;
    const std::size_t inicio = linha.find_first_not_of(" \t", linha.find(':') + 1);
    return inicio == std::string::npos ? "" : linha.substr(inicio);
  }
  return "?";
}

// The three load averages of /proc/loadavg ("1.20 0.90 0.75").
std::string CargaMedia() {
  std::ifstream entrada("/proc/loadavg");
  std::string um;
  std::string cinco;
  std::string quinze;
  entrada >> um >> cinco >> quinze;
  return um + " " + cinco + " " + quinze;
}

std::string NotasAnteriores(const std::string& arquivo) {
  std::ifstream entrada(arquivo);
  std::string notas;
  bool dentro = false;
  for (std::string linha; std::getline(entrada, linha);) {
    dentro = dentro || linha == kMarcaNotas;
    if (dentro) notas += linha + "\n";
  }
  return notas.empty() ? std::string(kMarcaNotas) + "\n" : notas;
}

}  // namespace

std::string TabelaFiguras(const std::vector<TFigura>& figuras) {
  std::string texto =
      "| figure | measured | compared with | ratio | goal | met |\n"
      "|---|---|---|---|---|---|\n";
  for (const TFigura& f : figuras)
    texto += "| " + f.Nome + " | " + f.Medido + " | " + f.Referencia + " | " + f.Razao + " | " +
             f.Meta + " | " + (f.Atingida ? "yes" : "**no**") + " |\n";
  return texto;
}

std::string DescricaoMaquina() {
  utsname sistema{};
  const std::string kernel =
      ::uname(&sistema) == 0 ? std::string(sistema.sysname) + " " + sistema.release : "?";
  std::ostringstream texto;
  texto << "- processor: " << LinhaProc("/proc/cpuinfo", "model name") << ", "
        << ::sysconf(_SC_NPROCESSORS_ONLN) << " cores online\n"
        << "- memory: " << LinhaProc("/proc/meminfo", "MemTotal") << "\n"
        << "- system: " << kernel << "; load average " << CargaMedia()
        << " when the page was written (other work on the cores slows the concurrent figures)\n"
        << "- compiler: " << __VERSION__ << ", RelWithDebInfo (-O2 -g)\n"
        << "- libraries: libcurl " << curl_version_info(CURLVERSION_NOW)->version << ", "
        << OpenSSL_version(OPENSSL_VERSION) << "\n";
  return texto.str();
}

void EscreverRelatorio(const std::string& arquivo, const std::vector<TFigura>& figuras) {
  const std::string notas = NotasAnteriores(arquivo);
  std::ofstream saida(arquivo, std::ios::trunc);
  saida << "# Performance\n\n"
        << "Written by `make bench` (bench/): every figure measured side by side in one run, "
           "against the local authoriser `sefaz-simulador` on loopback, with the test PKI's "
           "client certificate `empresa.pfx` for both sides of each comparison. Each time is "
           "the median of 7 to 9 repetitions (3 for each single query of the `--todas` "
           "reference); the monitor is watched for 10 s after its first answer.\n\n"
        << "## Machine\n\n"
        << DescricaoMaquina() << "\n"
        << "## Figures\n\n"
        << TabelaFiguras(figuras) << "\n"
        << notas;
  if (!saida) throw std::runtime_error("não foi possível escrever " + arquivo);
}

}  // namespace nivra
