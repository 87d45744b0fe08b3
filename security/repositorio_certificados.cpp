// The certificate store folder.
#include "nivranfe/security/repositorio_certificados.h"

#include <openssl/x509.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <mutex>

#include "nivranfe/security/certificado_x509.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

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

std::string SerieDe(const TConteudoPFX& conteudo) {
  return NumeroSerieCertificado(X509_get0_serialNumber(conteudo.Certificado.get()));
}

// The password kept for the certificate, or a new one kept before any entry depends on it.
TSenhaSecreta SenhaDaEntrada(const TDadosCertificado& dados, TChaveiro& chaveiro) {
  TSenhaSecreta senha = chaveiro.Buscar(dados.NumeroSerie());
  if (!senha.Vazia()) return senha;
  senha = TSenhaSecreta::Aleatoria();
  const std::string cnpj = dados.CNPJ().empty() ? "-" : dados.CNPJ();
  chaveiro.Guardar(
      dados.NumeroSerie(), dados.CNPJ(),
      "Certificado " + dados.RazaoSocial() + " | CNPJ " + cnpj + " | série " + dados.NumeroSerie(),
      senha);
  return senha;
}

// Whether `lido` holds the same certificate and key as `original`.
bool MesmoConteudo(const TConteudoPFX& lido, const TConteudoPFX& original) {
  return X509_cmp(lido.Certificado.get(), original.Certificado.get()) == 0 &&
         EVP_PKEY_eq(lido.Chave.get(), original.Chave.get()) == 1;
}

}  // namespace

std::string PastaRepositorioCertificados(TSSLStoreLocation local) {
  if (const std::string pasta = VariavelAmbiente("NIVRA_CERT_STORE"); !pasta.empty())
    return CaminhoComBarra(pasta);
  if (local == TSSLStoreLocation::slLocalMachine) return "/etc/nivra/certificados/";
  return PastaXdg(VariavelAmbiente("XDG_DATA_HOME"), VariavelAmbiente("HOME"), ".local/share/") +
         "nivra/certificados/";
}

void AvisarRepositorioSemChaveiro() {
  static std::once_flag avisado;
  std::call_once(avisado, [] {
    std::cerr << "nivra: nenhum chaveiro (Secret Service) responde nesta sessão; as entradas do "
                 "repositório de certificados não estão protegidas por senha\n";
  });
}

void ProtegerEntrada(const std::string& arquivo, const TConteudoPFX& conteudo,
                     const TDadosCertificado& dados, TChaveiro& chaveiro) {
  std::string bytes;
  {
    const TSenhaSecreta senha = SenhaDaEntrada(dados, chaveiro);
    bytes = GerarPFXProtegido(conteudo.Certificado.get(), conteudo.Chave.get(), conteudo.Cadeia,
                              senha.Texto());
  }
  // Not named .pfx, so a copy left by an interruption is never taken for an entry.
  const std::string novo = arquivo + ".novo";
  GravarArquivoAtomico(novo, bytes, 0600);
  bool confere = false;
  try {
    const TSenhaSecreta senha = chaveiro.Buscar(dados.NumeroSerie());
    confere =
        !senha.Vazia() && MesmoConteudo(LerPFX(LerArquivoBinario(novo), senha.Texto()), conteudo);
  } catch (const ENivraDFeException&) {
    ::unlink(novo.c_str());
    throw;
  }
  if (!confere) {
    ::unlink(novo.c_str());
    throw ENivraDFeException("O certificado gravado em " + novo +
                             " não pôde ser lido de volta com a senha do chaveiro");
  }
  if (std::rename(novo.c_str(), arquivo.c_str()) != 0) {
    const int erro = errno;
    ::unlink(novo.c_str());
    FalhaGravacao(arquivo, erro);
  }
}

TDadosCertificado ImportarCertificadoPFX(const std::string& arquivoPFX, const std::string& senha,
                                         TSSLStoreLocation local, TProtecaoEntrada protecao,
                                         TChaveiro& chaveiro) {
  std::error_code erro;
  if (!fs::is_regular_file(arquivoPFX, erro))
    throw ENivraDFeException("Arquivo: " + arquivoPFX + " não encontrado");
  const TConteudoPFX conteudo = LerPFX(LerArquivoBinario(arquivoPFX), senha);
  TDadosCertificado dados;
  PreencherDadosCertificado(conteudo.Certificado.get(), dados);
  dados.SetTipo(TSSLTipoCertificado::tpcA1);
  const bool comChaveiro = chaveiro.Disponivel();
  if (!comChaveiro && protecao == TProtecaoEntrada::ExigirChaveiro)
    throw ENivraDFeException(
        "Nenhum chaveiro (Secret Service) responde nesta sessão, e a proteção do certificado "
        "pelo chaveiro é exigida: o certificado não foi importado");
  const std::string pasta = PastaRepositorioCertificados(local);
  CriarPasta(pasta);
  const std::string entrada = pasta + dados.NumeroSerie() + ".pfx";
  if (comChaveiro) {
    ProtegerEntrada(entrada, conteudo, dados, chaveiro);
    return dados;
  }
  AvisarRepositorioSemChaveiro();
  // The entry holds a key without a password: readable by its owner only, from its first byte.
  GravarArquivoAtomico(
      entrada, GerarPFX(conteudo.Certificado.get(), conteudo.Chave.get(), conteudo.Cadeia, ""),
      0600);
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
    std::string bytes;
    try {
      bytes = LerArquivoBinario(arquivo);
      entradas.push_back({arquivo, LerPFX(bytes, ""), false});
    } catch (const std::exception& e) {
      // A protected entry shows its certificates without the password.
      if (TConteudoPFX emClaro = CertificadosEmClaroPFX(bytes); emClaro.Certificado) {
        entradas.push_back({arquivo, std::move(emClaro), true});
        continue;
      }
      std::cerr << "nivra: certificado " << arquivo << " ignorado: " << e.what() << '\n';
    }
  }
  return true;
}

void AbrirEntradaRepositorio(TEntradaRepositorio& entrada, TChaveiro& chaveiro) {
  if (entrada.Conteudo.Chave) return;
  const std::string serie = SerieDe(entrada.Conteudo);
  if (!chaveiro.Disponivel())
    throw ENivraDFeException("O certificado " + serie +
                             " está protegido pelo chaveiro, e nenhum chaveiro (Secret Service) "
                             "responde nesta sessão");
  const TSenhaSecreta senha = chaveiro.Buscar(serie);
  if (senha.Vazia())
    throw ENivraDFeException("O chaveiro não guarda a senha do certificado " + serie + " (" +
                             entrada.Arquivo + ")");
  TConteudoPFX aberto = LerPFX(LerArquivoBinario(entrada.Arquivo), senha.Texto());
  if (X509_cmp(aberto.Certificado.get(), entrada.Conteudo.Certificado.get()) != 0)
    throw ENivraDFeException("O certificado " + entrada.Arquivo + " mudou enquanto era lido");
  entrada.Conteudo = std::move(aberto);
}

}  // namespace nivra
