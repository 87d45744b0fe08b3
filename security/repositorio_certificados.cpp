// The certificate store folder.
#include "security/repositorio_certificados.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "security/certificado_x509.h"
#include "util/arquivos.h"
#include "util/excecoes.h"

namespace {

namespace fs = std::filesystem;

[[noreturn]] void FalhaGravacao(const std::string& arquivo, int erro) {
  throw ENivraDFeException("Falha ao gravar o certificado em " + arquivo + ": " +
                           std::strerror(erro));
}

// Creates the folder (and its parents) with the store's mode when it is missing.
void CriarPasta(const std::string& pasta) {
  std::error_code erro;
  fs::create_directories(pasta, erro);
  if (erro) FalhaGravacao(pasta, erro.value());
  if (::chmod(pasta.c_str(), 0700) != 0) FalhaGravacao(pasta, errno);
}

}  // namespace

std::string PastaRepositorioCertificados(TSSLStoreLocation local) {
  if (const std::string pasta = VariavelAmbiente("NIVRA_CERT_STORE"); !pasta.empty())
    return CaminhoComBarra(pasta);
  if (local == TSSLStoreLocation::slLocalMachine) return "/etc/nivra/certificados/";
  return PastaXdg(VariavelAmbiente("XDG_DATA_HOME"), VariavelAmbiente("HOME"), ".local/share/") +
         "nivra/certificados/";
}

TDadosCertificado ImportarCertificadoPFX(const std::string& arquivoPFX, const std::string& senha,
                                         TSSLStoreLocation local) {
  std::error_code erro;
  if (!fs::is_regular_file(arquivoPFX, erro))
    throw ENivraDFeException("Arquivo: " + arquivoPFX + " não encontrado");
  const TConteudoPFX conteudo = LerPFX(LerArquivoBinario(arquivoPFX), senha);
  TDadosCertificado dados;
  PreencherDadosCertificado(conteudo.Certificado.get(), dados);
  dados.SetTipo(TSSLTipoCertificado::tpcA1);
  const std::string pasta = PastaRepositorioCertificados(local);
  CriarPasta(pasta);
  // The entry holds a key without a password: readable by its owner only, from its first byte.
  GravarArquivoAtomico(
      pasta + dados.NumeroSerie() + ".pfx",
      GerarPFX(conteudo.Certificado.get(), conteudo.Chave.get(), conteudo.Cadeia, ""), 0600);
  return dados;
}

bool LerRepositorioCertificados(TSSLStoreLocation local,
                                std::vector<TEntradaRepositorio>& entradas) {
  entradas.clear();
  const std::string pasta = PastaRepositorioCertificados(local);
  std::error_code erro;
  if (!fs::exists(pasta, erro)) return !erro;
  std::vector<std::string> arquivos;
  for (fs::directory_iterator it(pasta, erro), fim; !erro && it != fim; it.increment(erro)) {
    const fs::path& caminho = it->path();
    if (it->is_regular_file() && (caminho.extension() == ".pfx" || caminho.extension() == ".p12"))
      arquivos.push_back(caminho.string());
  }
  if (erro) return false;
  std::sort(arquivos.begin(), arquivos.end());
  for (const std::string& arquivo : arquivos) {
    try {
      entradas.push_back({arquivo, LerPFX(LerArquivoBinario(arquivo), "")});
    } catch (const std::exception& e) {
      std::cerr << "nivra: certificado " << arquivo << " ignorado: " << e.what() << '\n';
    }
  }
  return true;
}
