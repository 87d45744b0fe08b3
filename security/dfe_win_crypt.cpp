// TDFeWinCrypt: loading, listing, selecting, exporting and hashing with the user's certificate.
#include "nivranfe/security/dfe_win_crypt.h"

#include <openssl/err.h>

#include <filesystem>
#include <iostream>
#include <vector>

#include "nivranfe/security/arquivo_pfx.h"
#include "nivranfe/security/certificado_x509.h"
#include "nivranfe/security/dfe_ssl.h"
#include "nivranfe/security/erro_openssl.h"
#include "nivranfe/security/lista_pin.h"
#include "nivranfe/security/repositorio_certificados.h"
#include "nivranfe/util/arquivos.h"
#include "nivranfe/util/excecoes.h"

namespace nivra {

namespace {

// Token answers to a PIN (PKCS#11 CK_RV).
constexpr unsigned long CKR_PIN_INCORRECT = 0xA0;
constexpr unsigned long CKR_PIN_INVALID = 0xA1;
constexpr unsigned long CKR_PIN_LEN_RANGE = 0xA2;
constexpr unsigned long CKR_PIN_LOCKED = 0xA4;

constexpr std::size_t TamanhoBloco = 32768;

// The OpenSSL name of a digest choice; nullptr for RIPEMD-160, which is not offered.
const char* NomeDigest(TSSLDgst digest) {
  switch (digest) {
    case TSSLDgst::dgstMD2:
      return "MD2";
    case TSSLDgst::dgstMD4:
      return "MD4";
    case TSSLDgst::dgstMD5:
      return "MD5";
    case TSSLDgst::dgstSHA:
    case TSSLDgst::dgstSHA1:
      return "SHA1";
    case TSSLDgst::dgstSHA256:
      return "SHA256";
    case TSSLDgst::dgstSHA512:
      return "SHA512";
    case TSSLDgst::dgstRMD160:
      break;
  }
  return nullptr;
}

const char* NomeEnumeracao(TSSLDgst digest) {
  static const char* const nomes[] = {"dgstMD2", "dgstMD4",  "dgstMD5",    "dgstRMD160",
                                      "dgstSHA", "dgstSHA1", "dgstSHA256", "dgstSHA512"};
  return nomes[static_cast<int>(digest)];
}

// A failure of the hashing steps, with the library's code.
[[noreturn]] void FalhaHash(const std::string& mensagem) {
  throw ENivraDFeException(mensagem + " , erro: $" + UltimoErroOpenSSL());
}

struct TLiberarMD {
  void operator()(EVP_MD* md) const { EVP_MD_free(md); }
};

std::string DecodificarBase64(const std::string& texto) {
  std::string limpo;
  for (const char c : texto)
    if (c != '\r' && c != '\n' && c != ' ' && c != '\t') limpo += c;
  if (limpo.empty() || limpo.size() % 4 != 0) return {};
  std::string bytes(limpo.size() / 4 * 3, '\0');
  const int tamanho = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(bytes.data()),
                                      reinterpret_cast<const unsigned char*>(limpo.data()),
                                      static_cast<int>(limpo.size()));
  if (tamanho < 0) return {};
  // EVP_DecodeBlock counts the "=" padding as zero bytes.
  std::size_t preenchimento = 0;
  while (preenchimento < 2 && limpo[limpo.size() - 1 - preenchimento] == '=') ++preenchimento;
  bytes.resize(static_cast<std::size_t>(tamanho) - preenchimento);
  return bytes;
}

}  // namespace

TDFeWinCrypt::TDFeWinCrypt(TDFeSSL& ADFeSSL) : TDFeSSLCryptClass(ADFeSSL) {}

TDFeWinCrypt::~TDFeWinCrypt() { Liberar(); }

const TCertContext* TDFeWinCrypt::GetCertContextWinApi() {
  if (!FCertificado) CarregarCertificadoSeNecessario();
  return FCertificado ? &FContexto : nullptr;
}

std::string TDFeWinCrypt::GetCertPFXData() {
  if (!FpPFXData.empty()) return FpPFXData;
  CarregarCertificadoSeNecessario();
  if (!DFeSSL().DadosPFX().empty()) {
    FpPFXData = DFeSSL().DadosPFX();
    return FpPFXData;
  }
  if (FSlot != nullptr || !FChave || !FCertificado)
    throw ENivraDFeExceptionNoPrivateKey("Certificado não permite Exportar Chave Privada.");
  FpPFXData = GerarPFX(FCertificado.get(), FChave.get(), FCadeia, DFeSSL().Senha());
  return FpPFXData;
}

void TDFeWinCrypt::CarregarCertificado() {
  DescarregarCertificado();
  TDFeSSL& ssl = DFeSSL();
  if (!ssl.DadosPFX().empty()) {
    ImportarPFX(ssl.DadosPFX());
  } else if (!ssl.ArquivoPFX().empty()) {
    const std::string arquivo = ssl.ArquivoPFX();
    std::error_code erro;
    if (!std::filesystem::is_regular_file(arquivo, erro))
      throw ENivraDFeCertificadoNaoEncontrado("Arquivo: " + arquivo + " não encontrado");
    const std::string dados = LerArquivoBinario(arquivo);
    ssl.SetDadosPFX(dados);
    ImportarPFX(dados);
  } else if (ssl.NumeroSerie().empty()) {
    throw ENivraDFeException("DadosPFX, ArquivoPFX ou NumeroSerie não especificados !");
  } else {
    CarregarDoStore(ssl.NumeroSerie());
  }
  if (!FCertificado) throw ENivraDFeCertificadoNaoEncontrado("Certificado Digital não encontrado!");
  try {
    ConcluirCarga();
  } catch (...) {
    DescarregarCertificado();
    throw;
  }
}

void TDFeWinCrypt::ConcluirCarga() {
  PreencherDadosCertificado(FCertificado.get(), FpDadosCertificado);
  const bool noToken = FSlot != nullptr;
  FpDadosCertificado.SetTipo(noToken ? TSSLTipoCertificado::tpcA3 : TSSLTipoCertificado::tpcA1);
  FpCertificadoLido = true;
  if (!noToken) {
    FContexto = {FCertificado.get(), FChave.get(), FpDadosCertificado.DERBase64()};
    return;
  }
  const std::string numeroSerie = FpDadosCertificado.NumeroSerie();
  const std::string pin = DFeSSL().Senha();
  if (!pin.empty() && !PINInformado(numeroSerie)) {
    try {
      InformarPIN(pin);
    } catch (const ENivraDFeException&) {
      // So the next attempt does not present the same PIN again; this also unloads.
      DFeSSL().SetSenha("");
      throw;
    }
    RegistrarPINInformado(numeroSerie);
  }
  FChave = FModulo->Chave(FSlot, FCertificado.get());
  FContexto = {FCertificado.get(), FChave.get(), FpDadosCertificado.DERBase64()};
}

void TDFeWinCrypt::ImportarPFX(const std::string& dados) {
  TConteudoPFX conteudo = LerPFX(dados, DFeSSL().Senha());
  FCertificado = std::move(conteudo.Certificado);
  FChave = std::move(conteudo.Chave);
  FCadeia = std::move(conteudo.Cadeia);
}

void TDFeWinCrypt::CarregarDoStore(const std::string& numeroSerie) {
  std::vector<TEntradaRepositorio> entradas;
  if (!LerRepositorioCertificados(DFeSSL().StoreLocation(), entradas)) FalhaAbrirStore();
  for (TEntradaRepositorio& entrada : entradas) {
    X509* certificado = entrada.Conteudo.Certificado.get();
    if (NumeroSerieCertificado(X509_get0_serialNumber(certificado)) != numeroSerie) continue;
    AbrirEntradaRepositorio(entrada);
    FCertificado = std::move(entrada.Conteudo.Certificado);
    FChave = std::move(entrada.Conteudo.Chave);
    FCadeia = std::move(entrada.Conteudo.Cadeia);
    return;
  }
  if (std::shared_ptr<TModuloPKCS11> modulo = TModuloPKCS11::Obter()) {
    for (TCertificadoToken& token : modulo->Certificados()) {
      if (NumeroSerieCertificado(X509_get0_serialNumber(token.Certificado.get())) != numeroSerie)
        continue;
      FModulo = std::move(modulo);
      FSlot = token.Slot;
      FCertificado = std::move(token.Certificado);
      return;
    }
  }
  throw ENivraDFeCertificadoNaoEncontrado("Certificado \"" + numeroSerie + "\" não encontrado!");
}

void TDFeWinCrypt::InformarPIN(const std::string& pin) {
  switch (FModulo->Entrar(FSlot, pin)) {
    case CKR_PIN_INCORRECT:
    case CKR_PIN_INVALID:
    case CKR_PIN_LEN_RANGE:
      throw ENivraDFeSenhaInvalida(
          "O cartão não pode ser acessado porque o PIN errado foi apresentado.");
    case CKR_PIN_LOCKED:
      throw ENivraDFeSenhaInvalida(
          "O cartão não pode ser acessado porque o número máximo de tentativas de entrada de PIN "
          "foi atingido");
    default:
      // Other answers are not errors while loading; a key the token then hides fails its use.
      break;
  }
}

void TDFeWinCrypt::DescarregarCertificado() {
  Liberar();
  TDFeSSLCryptClass::DescarregarCertificado();
}

void TDFeWinCrypt::Liberar() noexcept {
  const std::string& numeroSerie = FpDadosCertificado.NumeroSerie();
  if (PINInformado(numeroSerie)) {
    if (FModulo && FSlot != nullptr) FModulo->Sair(FSlot);
    RemoverPINInformado(numeroSerie);
  }
  FContexto = {};
  FChave.reset();
  FCertificado.reset();
  FCadeia.clear();
  FSlot = nullptr;
  FModulo.reset();
  FpPFXData.clear();
}

void TDFeWinCrypt::FalhaAbrirStore() const {
  throw ENivraDFeException(
      "TDFeWinCrypt. Erro ao abrir StoreName: " + DFeSSL().StoreName() +
      " Location: " + std::to_string(static_cast<int>(DFeSSL().StoreLocation())));
}

void TDFeWinCrypt::LerCertificadosStore() {
  FpListaCertificados.Clear();
  std::vector<TEntradaRepositorio> entradas;
  if (!LerRepositorioCertificados(DFeSSL().StoreLocation(), entradas)) FalhaAbrirStore();
  const std::shared_ptr<TModuloPKCS11> modulo = TModuloPKCS11::Obter();
  std::vector<TCertificadoToken> doToken;
  if (modulo) doToken = modulo->Certificados();
  std::vector<X509*> certificados;
  certificados.reserve(entradas.size() + doToken.size());
  for (const TEntradaRepositorio& entrada : entradas)
    certificados.push_back(entrada.Conteudo.Certificado.get());
  for (const TCertificadoToken& token : doToken) certificados.push_back(token.Certificado.get());
  for (X509* certificado : certificados) {
    auto dados = std::make_unique<TDadosCertificado>();
    try {
      PreencherDadosCertificado(certificado, *dados);
    } catch (const ENivraDFeException& e) {
      std::cerr << "nivra: certificado ilegível ignorado: " << e.what() << '\n';
      continue;
    }
    FpListaCertificados.Add(std::move(dados));
  }
}

std::string TDFeWinCrypt::SelecionarCertificado() {
  DescarregarCertificado();
  LerCertificadosStore();
  std::string numeroSerie;
  if (const TEscolhaCertificado& escolher = DFeSSL().EscolherCertificado())
    numeroSerie = escolher(FpListaCertificados, "Selecione um Certificado",
                           "Selecione o Certificado que deseja utilizar:");
  DescarregarCertificado();
  if (!numeroSerie.empty()) DFeSSL().SetNumeroSerie(numeroSerie);
  return numeroSerie;
}

bool TDFeWinCrypt::CarregarCertificadoPublico(const std::string& DadosX509Base64) {
  DescarregarCertificado();
  const std::string der = DecodificarBase64(DadosX509Base64);
  const auto* cursor = reinterpret_cast<const unsigned char*>(der.data());
  TX509Ptr certificado(d2i_X509(nullptr, &cursor, static_cast<long>(der.size())));
  if (!certificado) {
    ERR_clear_error();
    return false;
  }
  PreencherDadosCertificado(certificado.get(), FpDadosCertificado);
  FCertificado = std::move(certificado);
  FContexto = {FCertificado.get(), nullptr, FpDadosCertificado.DERBase64()};
  return !FpDadosCertificado.SubjectName().empty();
}

std::string TDFeWinCrypt::CalcHash(std::istream& AStream, TSSLDgst Digest, bool Assina) {
  const char* nome = NomeDigest(Digest);
  if (nome == nullptr)
    throw ENivraDFeException(std::string("Digest ") + NomeEnumeracao(Digest) +
                             " não suportado em " + ClassName());
  CarregarProvedoresOpenSSL();
  ERR_clear_error();
  EVP_PKEY* chave = nullptr;
  if (Assina) {
    CarregarCertificadoSeNecessario();
    if (!FCertificado) FalhaHash("Certificado não pode ser carregado po MS CryptoAPI");
    if (!FChave) FalhaHash("O recipiente da chave não pôde ser aberto");
    chave = FChave.get();
  }
  const std::unique_ptr<EVP_MD, TLiberarMD> md(EVP_MD_fetch(nullptr, nome, nullptr));
  if (!md)
    FalhaHash(std::string("O Provedor de Criptografia não suporta o algoritmo: ") +
              NomeEnumeracao(Digest));
  const TEVPMDCtxPtr contexto(EVP_MD_CTX_new());
  if (!contexto) FalhaHash("CryptCreateHash");
  const int iniciado = Assina
                           ? EVP_DigestSignInit(contexto.get(), nullptr, md.get(), nullptr, chave)
                           : EVP_DigestInit_ex(contexto.get(), md.get(), nullptr);
  if (iniciado != 1) FalhaHash("CryptCreateHash");

  AStream.clear();
  AStream.seekg(0);
  std::vector<char> bloco(TamanhoBloco);
  while (AStream.read(bloco.data(), static_cast<std::streamsize>(bloco.size())) ||
         AStream.gcount() > 0) {
    const auto lidos = static_cast<std::size_t>(AStream.gcount());
    const int ok = Assina ? EVP_DigestSignUpdate(contexto.get(), bloco.data(), lidos)
                          : EVP_DigestUpdate(contexto.get(), bloco.data(), lidos);
    if (ok != 1) FalhaHash("CryptHashData");
  }
  if (AStream.bad()) FalhaHash("CryptHashData");

  if (Assina) {
    std::size_t tamanho = 0;
    if (EVP_DigestSignFinal(contexto.get(), nullptr, &tamanho) != 1) FalhaHash("CryptSignHash");
    std::string assinatura(tamanho, '\0');
    if (EVP_DigestSignFinal(contexto.get(), reinterpret_cast<unsigned char*>(assinatura.data()),
                            &tamanho) != 1)
      FalhaHash("CryptSignHash");
    assinatura.resize(tamanho);
    return assinatura;
  }
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int tamanho = 0;
  if (EVP_DigestFinal_ex(contexto.get(), digest, &tamanho) != 1) FalhaHash("CryptGetHashParam");
  return std::string(reinterpret_cast<const char*>(digest), tamanho);
}

}  // namespace nivra
